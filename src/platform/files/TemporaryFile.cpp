#include "platform/files/TemporaryFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>

namespace vantelo {

namespace {

// Enough tries that only a directory full of our own names runs out.
constexpr int kAttempts = 16;

}  // namespace

RandomSource SystemRandom() {
    std::random_device device;
    auto engine = std::make_shared<std::mt19937_64>((uint64_t{device()} << 32) | device());
    return [engine] { return (*engine)(); };
}

std::string TemporaryName(const std::string& name, uint64_t random) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random));
    return name + suffix;
}

int CreateTemporaryFile(const std::string& directory, const std::string& name, mode_t mode,
                        const RandomSource& random, std::string* path) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string candidate = directory + "/" + TemporaryName(name, random());
        int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            *path = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

}  // namespace vantelo
