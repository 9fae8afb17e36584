#pragma once

#include "platform/files/TemporaryFile.h"
#include "ports/FileSystem.h"

namespace vantelo {

// The console's files on a POSIX file system.
//
// ReadFile opens without waiting (a FIFO or a device is refused, not opened for a writer).
// ReplaceFile writes a new file beside the target and renames it over the target, so that a
// reader or a crash sees the old contents or the new ones, never a mixture:
// - a symbolic link is followed to its final target, which is replaced; the link stays;
// - the new file gets the old file's mode and, where the process may, its owner; a new file
//   gets 0666 less the umask;
// - a target that is not a regular file, or that the process may not write, is refused;
// - when the directory takes no new file although the target is writable, the target is
//   overwritten in place instead: a failure then may leave it cut short.
// AppendFile opens in append mode, so every call's bytes land together at the end even with
// other writers, and refuses anything but a regular file. EmptyFile removes the entry (a link,
// not its target) and makes a new empty regular file in its place.
// AppendFile writes at the end of the file with one append-mode descriptor, so lines of two
// writers never interleave within one call. FileSize and ReadRange open without waiting, as
// ReadFile does, and keep nothing open between calls.
class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();
    // random names the temporary files.
    explicit PosixFileSystem(RandomSource random);

    int ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) override;
    int ReplaceFile(const std::string& path, const uint8_t* bytes, size_t length) override;
    int AppendFile(const std::string& path, const uint8_t* bytes, size_t length) override;
    int EmptyFile(const std::string& path) override;
    int FileSize(const std::string& path, uint64_t* size) override;
    int ReadRange(const std::string& path, uint64_t offset, size_t limit,
                  std::vector<uint8_t>* bytes, uint64_t* size) override;

private:
    RandomSource random_;
};

}  // namespace vantelo
