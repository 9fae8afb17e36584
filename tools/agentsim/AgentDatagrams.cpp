#include "AgentDatagrams.h"

#include <cstring>

#include "protocol/PacketHeader.h"

namespace vantelo::agentsim {

void StartAgentDatagram(const AgentSettings& agent, uint16_t opCode, uint16_t result,
                        uint16_t sequence, uint32_t deviceTypeId, PacketBuffer* out) {
    PacketHeader header{};
    header.protocolVersion = agent.protocolVersion;
    header.direction = kDirectionReply;
    std::memcpy(header.mac, agent.mac, sizeof header.mac);
    header.interfaceVersion = agent.interfaceVersion;
    header.opCode = opCode;
    header.resultCode = result;
    header.deviceTypeId = deviceTypeId;
    header.sequence = sequence;
    EncodeHeader(header, out->bytes);
    out->length = kHeaderSize;
}

void AppendSettings(const AgentSettings& agent, PacketBuffer* out) {
    // The texts are bounded by the field capacities, so every element fits in 1500 bytes.
    AppendTextElement(*out, TlvType::ProductName, agent.productName);
    AppendTextElement(*out, TlvType::SystemName, agent.systemName);
    AppendTextElement(*out, TlvType::Location, agent.location);
    AppendAddressElement(*out, TlvType::IpAddress, agent.ip);
    AppendAddressElement(*out, TlvType::SubnetMask, agent.subnetMask);
    AppendAddressElement(*out, TlvType::Gateway, agent.gateway);
    AppendAddressElement(*out, TlvType::TrapIp, agent.trapIp);
    if (agent.dhcp != DhcpState::NotReported) {
        AppendDhcpElement(*out, agent.interfaceVersion, static_cast<uint16_t>(agent.dhcp));
    }
}

void BuildTrap(const AgentSettings& agent, uint32_t deviceTypeId, std::string_view text,
               PacketBuffer* out) {
    StartAgentDatagram(agent, static_cast<uint16_t>(OpCode::Trap), 0, 0, deviceTypeId, out);
    if (text.size() > kTrapTextMax) {
        text = text.substr(0, kTrapTextMax);
    }
    uint8_t* at = out->bytes + out->length;
    PutU32(at, agent.ip);
    // A trap command without text gives an empty view whose data may be null, which memcpy must
    // not get even for zero bytes.
    if (!text.empty()) {
        std::memcpy(at + 4, text.data(), text.size());
    }
    at[4 + text.size()] = 0;
    out->length += 4 + text.size() + 1;
}

}  // namespace vantelo::agentsim
