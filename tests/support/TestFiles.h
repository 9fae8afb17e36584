#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "protocol/DeviceRecord.h"
#include "support/AgentDatagrams.h"

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
std::vector<uint8_t> RecordBytes(const std::vector<DeviceRecord>& records);
// The names in the directory; a save must leave no temporary file among them.
std::set<std::string> DirectoryEntries(const std::string& dir);

// The record a stored reply of the agent leaves in a table slot.
DeviceRecord StoredRecord(const AgentSettings& agent, uint32_t deviceTypeId);
// The record "Add item" makes for an address.
DeviceRecord HandAddedRecord(uint32_t ip);

}  // namespace vantelo::test
