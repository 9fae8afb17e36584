#include "AgentDatagrams.h"

#include <cstring>

#include "protocol/ByteCursor.h"
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
    EncodeHeader(header, std::span(out->bytes).first<kHeaderSize>());
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
    ByteWriter writer(std::span(out->bytes).subspan(out->length));
    writer.WriteU32(agent.ip);
    writer.WriteText(text.substr(0, kTrapTextMax));
    writer.WriteU8(0);
    out->length += writer.position();
}

}  // namespace vantelo::agentsim
