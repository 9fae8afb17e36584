#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantelo {

// The console's files: define.ecf, monitor.cfg, the monitor lists the operator names and the
// system log.
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

    // Adds the length bytes at the end of the file at path, creating it when missing, in one
    // write: a reader never sees part of them followed by another writer's bytes. Returns 0, or
    // -1 when the file cannot be opened or does not take them all. Never waits for a reader.
    virtual int AppendFile(const std::string& path, const uint8_t* bytes, size_t length) = 0;

    // Deletes the file at path and creates it again empty. Returns 0, or -1 when no empty file
    // could be made there.
    virtual int EmptyFile(const std::string& path) = 0;
    // The size in bytes of the regular file at path: 0 and *size, or -1 when path names no
    // regular file or it cannot be opened for reading.
    virtual int FileSize(const std::string& path, uint64_t* size) = 0;

    // Reads at most limit bytes of the regular file at path from offset on (none past its end),
    // and the file's size at that moment in *size. Returns 0 and fills both, or -1 with *bytes
    // empty as ReadFile does.
    virtual int ReadRange(const std::string& path, uint64_t offset, size_t limit,
                          std::vector<uint8_t>* bytes, uint64_t* size) = 0;
};

}  // namespace vantelo
