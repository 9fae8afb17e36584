#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantelo {

// The console's files: define.ecf, monitor.cfg and the monitor lists the operator names.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the regular file at path: its first limit + 1 bytes at most, so that the caller can
    // tell a file longer than limit. Returns 0 and fills *bytes, or -1 with *bytes empty when
    // path names no regular file (missing, a directory, a FIFO, a device) or reading fails.
    // Never waits for another process.
    virtual int ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) = 0;

    // Makes the file at path hold exactly the length bytes, creating it when missing. Returns 0,
    // or -1 when the bytes could not be written whole; the earlier contents then stay as they
    // were wherever the platform allows.
    virtual int ReplaceFile(const std::string& path, const uint8_t* bytes, size_t length) = 0;
};

}  // namespace vantelo
