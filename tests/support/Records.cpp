#include "support/Records.h"

#include <cstring>

#include "protocol/Conversions.h"

namespace vantelo::test {

std::vector<uint8_t> RecordBytes(const std::vector<DeviceRecord>& records) {
    std::vector<uint8_t> bytes(records.size() * sizeof(DeviceRecord));
    if (!records.empty()) {
        std::memcpy(bytes.data(), records.data(), bytes.size());
    }
    return bytes;
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
