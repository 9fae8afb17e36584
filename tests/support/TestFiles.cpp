#include "support/TestFiles.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "protocol/Conversions.h"

namespace vantelo::test {

TempDirectory::TempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantelo-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary directory");
    }
    path_ = pattern;
}

TempDirectory::~TempDirectory() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

std::vector<uint8_t> RecordBytes(const std::vector<DeviceRecord>& records) {
    std::vector<uint8_t> bytes(records.size() * sizeof(DeviceRecord));
    if (!records.empty()) {
        std::memcpy(bytes.data(), records.data(), bytes.size());
    }
    return bytes;
}

std::set<std::string> DirectoryEntries(const std::string& dir) {
    std::set<std::string> names;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

DeviceRecord StoredRecord(const AgentSettings& agent, uint32_t deviceTypeId) {
    DeviceRecord record{};
    record.deviceTypeId = deviceTypeId;
    MacToText(agent.mac, record.macText);
    CopyField(record.productName, agent.productName.data(), agent.productName.size());
    CopyField(record.systemName, agent.systemName.data(), agent.systemName.size());
    CopyField(record.location, agent.location.data(), agent.location.size());
    SetAddressField(agent.ip, &record.ip, record.ipText);
    SetAddressField(agent.trapIp, &record.trapIp, record.trapIpText);
    SetAddressField(agent.subnetMask, &record.subnetMask, record.subnetMaskText);
    SetAddressField(agent.gateway, &record.gateway, record.gatewayText);
    record.rowState = kRowShown;
    record.statusImage = kNoImage;
    record.answered = 1;
    record.lastOpCode = static_cast<uint16_t>(OpCode::DiscoveryReply);
    record.protocolVersion = agent.protocolVersion;
    record.interfaceVersion = agent.interfaceVersion;
    record.direction = kDirectionReply;
    record.dhcp = agent.dhcp;
    return record;
}

DeviceRecord HandAddedRecord(uint32_t ip) {
    DeviceRecord record{};
    SetAddressField(ip, &record.ip, record.ipText);
    record.deviceTypeId = kHandAddedDeviceTypeId;
    record.statusImage = kNoImage;
    return record;
}

}  // namespace vantelo::test
