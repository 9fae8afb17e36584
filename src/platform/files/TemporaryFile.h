#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>

namespace vantelo {

// The random numbers that make temporary file names unique.
using RandomSource = std::function<uint64_t()>;

// A RandomSource seeded from the system's entropy.
RandomSource SystemRandom();

// The name of a temporary file beside the file name: "<name>.<16 hex digits>.tmp".
std::string TemporaryName(const std::string& name, uint64_t random);

// Creates a new file for writing in directory under a TemporaryName of name, with mode before
// the umask. It is made exclusively: never an existing file, never through a symbolic link; a
// taken name is tried again with another random number. Returns the open descriptor and fills
// *path, or -1 with errno telling why.
int CreateTemporaryFile(const std::string& directory, const std::string& name, mode_t mode,
                        const RandomSource& random, std::string* path);

}  // namespace vantelo
