#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ports/FileSystem.h"

namespace vantelo::test {

// Files held in memory by path: for runs of many thousands of saves that a disk's fsync would
// slow down (fuzzing), and for the engine's tests on every platform. Every path names a regular
// file or nothing. Every write succeeds except into a directory that RemoveDirectory took away.
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
        if (InRemovedDirectory(path)) {
            return -1;
        }
        files[path].assign(bytes, bytes + length);
        return 0;
    }

    int AppendFile(const std::string& path, const uint8_t* bytes, size_t length) override {
        if (InRemovedDirectory(path)) {
            return -1;
        }
        files[path].insert(files[path].end(), bytes, bytes + length);
        return 0;
    }

    int EmptyFile(const std::string& path) override {
        if (InRemovedDirectory(path)) {
            return -1;
        }
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

    // The tests' own hands on the files, around the port.
    void Write(const std::string& path, const std::vector<uint8_t>& bytes) { files[path] = bytes; }
    // The file's bytes; empty when there is no such file.
    std::vector<uint8_t> Read(const std::string& path) const {
        auto file = files.find(path);
        return file == files.end() ? std::vector<uint8_t>{} : file->second;
    }
    bool Exists(const std::string& path) const { return files.count(path) != 0; }
    void Remove(const std::string& path) { files.erase(path); }
    // The names of the files directly in dir.
    std::set<std::string> Entries(const std::string& dir) const {
        std::set<std::string> names;
        const std::string prefix = dir + "/";
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos) {
                names.insert(path.substr(prefix.size()));
            }
        }
        return names;
    }
    // Takes dir away with every file in it; later writes into it fail.
    void RemoveDirectory(const std::string& dir) {
        std::erase_if(files, [&](const auto& file) { return file.first.starts_with(dir + "/"); });
        removedDirectories.insert(dir);
    }

    std::map<std::string, std::vector<uint8_t>> files;

private:
    bool InRemovedDirectory(const std::string& path) const {
        const size_t slash = path.rfind('/');
        return slash != std::string::npos && removedDirectories.count(path.substr(0, slash)) != 0;
    }

    std::set<std::string> removedDirectories;
};

}  // namespace vantelo::test
