#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ports/FileSystem.h"

namespace vantelo::test {

// Files held in memory by path, for runs of many thousands of saves that a disk's fsync would
// slow down: fuzzing. Every path names a regular file or nothing, and every save succeeds.
class MemoryFileSystem : public FileSystem {
public:
    int ReadFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes) override {
        auto file = files.find(path);
        if (file == files.end()) {
            bytes->clear();
            return -1;
        }
        size_t count = std::min(file->second.size(), limit + 1);
        bytes->assign(file->second.begin(), file->second.begin() + static_cast<long>(count));
        return 0;
    }

    int ReplaceFile(const std::string& path, const uint8_t* bytes, size_t length) override {
        files[path].assign(bytes, bytes + length);
        return 0;
    }

    int AppendFile(const std::string& path, const uint8_t* bytes, size_t length) override {
        files[path].insert(files[path].end(), bytes, bytes + length);
        return 0;
    }

    int EmptyFile(const std::string& path) override {
        files[path].clear();
        return 0;
    }

    int FileSize(const std::string& path, uint64_t* size) override {
        auto file = files.find(path);
        if (file == files.end()) {
            return -1;
        }
        *size = file->second.size();
        return 0;
    }

    int ReadRange(const std::string& path, uint64_t offset, size_t limit,
                  std::vector<uint8_t>* bytes, uint64_t* size) override {
        bytes->clear();
        auto file = files.find(path);
        if (file == files.end()) {
            return -1;
        }
        if (offset < file->second.size()) {
            size_t count = std::min(file->second.size() - offset, static_cast<uint64_t>(limit));
            auto first = file->second.begin() + static_cast<long>(offset);
            bytes->assign(first, first + static_cast<long>(count));
        }
        *size = file->second.size();
        return 0;
    }

    std::map<std::string, std::vector<uint8_t>> files;
};

}  // namespace vantelo::test
