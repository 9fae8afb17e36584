#pragma once

#include <unistd.h>

#include <utility>

namespace vantelo {

// An open file descriptor that closes itself. Close() reports what a plain close would lose:
// a file system may refuse buffered bytes only then.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Get() const { return fd_; }

    // Hands the descriptor over to the caller, who closes it.
    int Release() { return std::exchange(fd_, -1); }
    // Returns 0, or -1 when closing failed; the descriptor is gone either way.
    int Close() { return ::close(std::exchange(fd_, -1)) == 0 ? 0 : -1; }

private:
    int fd_;
};

}  // namespace vantelo
