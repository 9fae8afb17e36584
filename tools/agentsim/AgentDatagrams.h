#pragma once

#include <cstdint>
#include <string_view>

#include "Agent.h"
#include "protocol/TlvElements.h"

namespace vantelo::agentsim {

// Starts a datagram from the agent: its protocol and interface versions, direction 1, its MAC,
// the given operation, result and sequence, and deviceTypeId.
void StartAgentDatagram(const AgentSettings& agent, uint16_t opCode, uint16_t result,
                        uint16_t sequence, uint32_t deviceTypeId, PacketBuffer* out);

// Appends the agent's settings as elements: names, addresses and, unless the agent does not
// report it, its DHCP state in the width its interface version uses.
void AppendSettings(const AgentSettings& agent, PacketBuffer* out);

// The longest event text a trap carries: 1500 bytes less the header, the address and the zero.
inline constexpr size_t kTrapTextMax = kMaxDatagram - kHeaderSize - 4 - 1;

// A trap: the header with operation 9, the agent's address in four bytes, the event text (cut to
// kTrapTextMax) and a zero byte.
void BuildTrap(const AgentSettings& agent, uint32_t deviceTypeId, std::string_view text,
               PacketBuffer* out);

}  // namespace vantelo::agentsim
