#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "support/Records.h"

namespace vantelo::test {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// The file's bytes; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::string& path);
// The names in the directory; a save must leave no temporary file among them.
std::set<std::string> DirectoryEntries(const std::string& dir);

}  // namespace vantelo::test
