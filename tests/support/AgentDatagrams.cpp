#include "support/AgentDatagrams.h"

#include <algorithm>
#include <span>

#include "protocol/TlvElements.h"

namespace vantelo::test {

AgentSettings NumberedAgent(int n) {
    AgentSettings agent;
    auto high = static_cast<uint8_t>(n >> 8);
    auto low = static_cast<uint8_t>(n);
    agent.mac = {0x02, 0x0a, 0x1b, 0x00, high, low};
    agent.ip = 0x0A4D0000u | (uint32_t{high} << 8) | (uint32_t{low} + 1u);
    agent.systemName = "sw" + std::to_string(n);
    return agent;
}

PacketHeader AgentHeader(const AgentSettings& agent, OpCode opCode, uint32_t deviceTypeId) {
    PacketHeader header{};
    header.protocolVersion = agent.protocolVersion;
    header.direction = kDirectionReply;
    std::copy(agent.mac.begin(), agent.mac.end(), header.mac);
    header.interfaceVersion = agent.interfaceVersion;
    header.opCode = static_cast<uint16_t>(opCode);
    header.deviceTypeId = deviceTypeId;
    return header;
}

std::vector<uint8_t> SettingsElements(const AgentSettings& agent) {
    PacketBuffer packet{};
    packet.length = kHeaderSize;
    AppendTextElement(packet, TlvType::ProductName, agent.productName);
    AppendTextElement(packet, TlvType::SystemName, agent.systemName);
    AppendTextElement(packet, TlvType::Location, agent.location);
    AppendAddressElement(packet, TlvType::IpAddress, agent.ip);
    AppendAddressElement(packet, TlvType::SubnetMask, agent.subnetMask);
    AppendAddressElement(packet, TlvType::Gateway, agent.gateway);
    AppendAddressElement(packet, TlvType::TrapIp, agent.trapIp);
    AppendDhcpElement(packet, agent.interfaceVersion, agent.dhcp);
    return std::vector<uint8_t>(packet.bytes + kHeaderSize, packet.bytes + packet.length);
}

std::vector<uint8_t> Datagram(const PacketHeader& header, const std::vector<uint8_t>& elements) {
    std::vector<uint8_t> bytes(kHeaderSize + elements.size());
    EncodeHeader(header, std::span(bytes).first<kHeaderSize>());
    std::copy(elements.begin(), elements.end(), bytes.begin() + kHeaderSize);
    return bytes;
}

std::vector<uint8_t> SettingsReply(const AgentSettings& agent, OpCode opCode,
                                   uint32_t deviceTypeId) {
    return Datagram(AgentHeader(agent, opCode, deviceTypeId), SettingsElements(agent));
}

std::vector<uint8_t> TrapDatagram(const AgentSettings& agent, uint32_t address,
                                  const std::string& event, uint32_t deviceTypeId,
                                  bool terminated) {
    std::vector<uint8_t> data = {static_cast<uint8_t>(address >> 24),
                                 static_cast<uint8_t>(address >> 16),
                                 static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address)};
    data.insert(data.end(), event.begin(), event.end());
    if (terminated) {
        data.push_back(0);
    }
    return Datagram(AgentHeader(agent, OpCode::Trap, deviceTypeId), data);
}

void SimulatedAgent::OnRequest(VirtualNetwork& network, const SentDatagram& request) {
    PacketHeader header{};
    if (request.to.port != agentPort_ || DecodeHeader(request.bytes, &header) != 0 ||
        header.deviceTypeId != deviceTypeId_) {
        return;
    }
    auto code = static_cast<OpCode>(header.opCode);
    if (code != OpCode::DiscoveryRequest && code != OpCode::PollRequest) {
        return;
    }
    ++requestsHeard;
    if (silent) {
        return;
    }
    std::vector<uint8_t> reply =
        loaderMode ? Datagram(AgentHeader(settings, OpCode::LoaderModeReply, deviceTypeId_), {})
                   : SettingsReply(settings, OpCode::DiscoveryReply, deviceTypeId_);
    network.Queue(request.from.port, Endpoint{settings.ip, agentPort_}, std::move(reply));
}

}  // namespace vantelo::test
