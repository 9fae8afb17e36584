#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantelo {

// Reads until the end of the file or until *bytes holds count bytes, going on after signals.
// Returns 0, or -1 when a read fails.
int ReadUpTo(int fd, size_t count, std::vector<uint8_t>* bytes);

// Writes all length bytes, going on after short writes and signals. Returns 0, or -1 when a
// write fails or the file takes no more bytes.
int WriteAll(int fd, const uint8_t* bytes, size_t length);

// Flushes the directory's entries, so that a file renamed into it is still there after a power
// loss. Returns 0, or -1.
int SyncDirectory(const std::string& directory);

}  // namespace vantelo
