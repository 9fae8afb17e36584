#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Agent.h"

namespace vantelo::agentsim {

// Agents made from a count and a first address: consecutive addresses, MACs 02:00 followed by the
// four address bytes, generated names, one password.
struct GeneratedAgents {
    size_t count = 0;
    uint32_t first = 0;
    uint32_t subnetMask = 0;
    uint32_t gateway = 0;
    uint32_t trapIp = 0;
    std::string password;
};

// Each returns 0, or -1 with a one-line reason in error.
int GenerateAgents(const GeneratedAgents& plan, std::vector<AgentSettings>* agents,
                   std::string* error);

// One agent a line, thirteen fields separated by '|':
//   MAC|IP|MASK|GATEWAY|TRAPIP|PRODUCT|SYSTEM|LOCATION|PASSWORD|DHCP|PROTOCOL|INTERFACE|LOADER
// DHCP is enable, disable or none; LOADER is yes or no. Blank lines and lines starting with '#'
// are skipped.
int ParseAgentFile(std::string_view text, std::vector<AgentSettings>* agents, std::string* error);

// 1 to 1000 agents, every address a host address under its mask, no address or MAC twice.
int CheckAgents(const std::vector<AgentSettings>& agents, std::string* error);

// Parses "enable", "disable" or "none".
int ParseDhcpState(std::string_view text, DhcpState* state);
const char* DhcpStateText(DhcpState state);

// 12 hexadecimal digits, optionally with ':' or '-' between the pairs.
int ParseMac(std::string_view text, uint8_t* mac);

// A decimal number within [low, high].
int ParseNumber(std::string_view text, uint32_t low, uint32_t high, uint32_t* value);

}  // namespace vantelo::agentsim
