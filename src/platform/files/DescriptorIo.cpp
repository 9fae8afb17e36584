#include "platform/files/DescriptorIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files/FileDescriptor.h"

namespace vantelo {

namespace {

// The buffer grows by this much at a time, so a small file costs a small buffer whatever the
// caller's limit.
constexpr size_t kReadChunk = 64 * 1024;

}  // namespace

int ReadUpTo(int fd, size_t count, std::vector<uint8_t>* bytes) {
    bytes->clear();
    while (bytes->size() < count) {
        size_t held = bytes->size();
        size_t wanted = std::min(count - held, kReadChunk);
        bytes->resize(held + wanted);
        ssize_t got = ::read(fd, bytes->data() + held, wanted);
        bytes->resize(held + static_cast<size_t>(std::max<ssize_t>(got, 0)));
        if (got == 0) {
            break;
        }
        if (got < 0 && errno != EINTR) {
            return -1;
        }
    }
    return 0;
}

int WriteAll(int fd, const uint8_t* bytes, size_t length) {
    size_t written = 0;
    while (written < length) {
        ssize_t put = ::write(fd, bytes + written, length - written);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return -1;
        }
        written += static_cast<size_t>(put);
    }
    return 0;
}

int SyncDirectory(const std::string& directory) {
    FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.IsOpen() || ::fsync(dir.Get()) != 0) {
        return -1;
    }
    return dir.Close();
}

}  // namespace vantelo
