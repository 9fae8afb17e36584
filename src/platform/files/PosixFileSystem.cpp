#include "platform/files/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/files/DescriptorIo.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/LinkTarget.h"

namespace vantelo {

namespace {

// Errors of creating the temporary file after which writing the target in place may still
// work: the directory takes no new entry from us, or the temporary name is too long.
bool InPlaceMayWork(int error) {
    return error == EACCES || error == EPERM || error == ENAMETOOLONG;
}

// Gives the temporary file what the old file had, then makes its bytes durable.
int FillTemporary(FileDescriptor& file, const struct stat* old, const uint8_t* bytes,
                  size_t length) {
    if (old != nullptr) {
        // Only a privileged process may give a file away; any other keeps it as its own, as
        // every save by rename does. This goes first: changing the owner clears set-id bits.
        if (::fchown(file.Get(), old->st_uid, old->st_gid) != 0 && errno != EPERM) {
            return -1;
        }
        if (::fchmod(file.Get(), old->st_mode & 07777) != 0) {
            return -1;
        }
    }
    if (WriteAll(file.Get(), bytes, length) != 0 || ::fsync(file.Get()) != 0) {
        return -1;
    }
    return file.Close();
}

int WriteInPlace(const std::string& target, const uint8_t* bytes, size_t length) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    if (::ftruncate(file.Get(), 0) != 0 || WriteAll(file.Get(), bytes, length) != 0 ||
        ::fsync(file.Get()) != 0) {
        return -1;
    }
    return file.Close();
}

// The target of a save: where path's links lead, and what is there now. Returns 0 and fills
// *exists and *old, or -1 when the target is not a regular file the process may write.
int LookAtTarget(const std::string& path, std::string* target, bool* exists, struct stat* old) {
    if (path.empty() || path.back() == '/' || FollowLinks(path, target) != 0) {
        return -1;
    }
    *exists = ::stat(target->c_str(), old) == 0;
    if (!*exists) {
        return errno == ENOENT ? 0 : -1;
    }
    if (!S_ISREG(old->st_mode) || ::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
        return -1;
    }
    return 0;
}

// The descriptor of a regular file opened for reading without waiting for a writer, or -1.
int OpenRegularForReading(const std::string& path, struct stat* status) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen() || ::fstat(file.Get(), status) != 0 || !S_ISREG(status->st_mode)) {
        return -1;
    }
    return file.Release();
}

}  // namespace

PosixFileSystem::PosixFileSystem() : PosixFileSystem(SystemRandom()) {}

PosixFileSystem::PosixFileSystem(RandomSource random) : random_(std::move(random)) {}

int PosixFileSystem::ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) {
    bytes->clear();
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    size_t count = limit < SIZE_MAX ? limit + 1 : limit;
    if (ReadUpTo(file.Get(), count, bytes) != 0) {
        bytes->clear();
        return -1;
    }
    return 0;
}

int PosixFileSystem::ReplaceFile(const std::string& path, const uint8_t* bytes, size_t length) {
    std::string target;
    bool exists = false;
    struct stat old {};
    if (LookAtTarget(path, &target, &exists, &old) != 0) {
        return -1;
    }
    std::string directory = DirectoryOf(target);
    std::string temporary;
    // An existing file's contents stay private to its owner until its own mode is on them.
    FileDescriptor file(
        CreateTemporaryFile(directory, NameOf(target), exists ? 0600 : 0666, random_, &temporary));
    if (!file.IsOpen()) {
        return exists && InPlaceMayWork(errno) ? WriteInPlace(target, bytes, length) : -1;
    }
    if (FillTemporary(file, exists ? &old : nullptr, bytes, length) != 0 ||
        ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return -1;
    }
    // The new contents are in place; unless the directory reaches the disk, a power loss may
    // still bring the old ones back, and the caller hears of it.
    return SyncDirectory(directory);
}

int PosixFileSystem::AppendFile(const std::string& path, const uint8_t* bytes, size_t length) {
    FileDescriptor file(::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    struct stat status {};
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    if (WriteAll(file.Get(), bytes, length) != 0) {
        return -1;
    }
    return file.Close();
}

int PosixFileSystem::EmptyFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return -1;
    }
    // Exclusive creation: a file or link planted between the two calls is not written through.
    FileDescriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file.IsOpen()) {
        return -1;
    }
    return file.Close();
}

int PosixFileSystem::FileSize(const std::string& path, uint64_t* size) {
    struct stat status {};
    FileDescriptor file(OpenRegularForReading(path, &status));
    if (!file.IsOpen()) {
        return -1;
    }
    *size = static_cast<uint64_t>(status.st_size);
    return 0;
}

int PosixFileSystem::ReadRange(const std::string& path, uint64_t offset, size_t limit,
                               std::vector<uint8_t>* bytes, uint64_t* size) {
    bytes->clear();
    struct stat status {};
    FileDescriptor file(OpenRegularForReading(path, &status));
    if (!file.IsOpen() || offset > static_cast<uint64_t>(INT64_MAX) ||
        ::lseek(file.Get(), static_cast<off_t>(offset), SEEK_SET) < 0) {
        return -1;
    }
    if (ReadUpTo(file.Get(), limit, bytes) != 0) {
        bytes->clear();
        return -1;
    }
    *size = static_cast<uint64_t>(status.st_size);
    return 0;
}

}  // namespace vantelo
