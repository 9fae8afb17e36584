#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/PacketHeader.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {

// An agent's settings, as it reports them in its replies.
struct AgentSettings {
    std::array<uint8_t, 6> mac{};
    uint32_t ip = 0;
    std::string productName = "VS-24P";
    std::string systemName = "switch";
    std::string location = "lab";
    uint32_t subnetMask = 0xFFFF0000;
    uint32_t gateway = 0x0A4D00FE;
    uint32_t trapIp = VirtualNetwork::kConsoleAddress;
    uint16_t dhcp = 0;
    uint16_t protocolVersion = kProtocolVersion;
    uint16_t interfaceVersion = 2;
};

// The settings of agent n: MAC 02 0a 1b 00 hi lo and address 10.77.hi.lo+1 (hi, lo of n).
AgentSettings NumberedAgent(int n);

// The header of an agent datagram: the agent's versions and MAC, direction 1.
PacketHeader AgentHeader(const AgentSettings& agent, OpCode opCode, uint32_t deviceTypeId);

// The settings as elements: names, location, the four addresses and DHCP.
std::vector<uint8_t> SettingsElements(const AgentSettings& agent);

// The header's 40 bytes followed by the elements.
std::vector<uint8_t> Datagram(const PacketHeader& header, const std::vector<uint8_t>& elements);

// A complete reply carrying the agent's settings.
std::vector<uint8_t> SettingsReply(const AgentSettings& agent, OpCode opCode,
                                   uint32_t deviceTypeId);

// A trap: the header, the agent address it names (which need not be the sender's) and the
// event text, followed by a zero byte when terminated.
std::vector<uint8_t> TrapDatagram(const AgentSettings& agent, uint32_t address,
                                  const std::string& event, uint32_t deviceTypeId,
                                  bool terminated = true);

// An agent that answers discovery requests and polls on its port with its settings, or, in
// loader mode, with a bare loader mode reply. It stays silent while `silent` is set.
class SimulatedAgent : public FakeAgent {
public:
    SimulatedAgent(AgentSettings agent, uint32_t deviceTypeId, uint16_t agentPort)
        : settings(std::move(agent)), deviceTypeId_(deviceTypeId), agentPort_(agentPort) {}

    uint32_t Address() const override { return settings.ip; }
    void OnRequest(VirtualNetwork& network, const SentDatagram& request) override;

    AgentSettings settings;
    bool loaderMode = false;
    bool silent = false;
    int requestsHeard = 0;

private:
    uint32_t deviceTypeId_;
    uint16_t agentPort_;
};

}  // namespace vantelo::test
