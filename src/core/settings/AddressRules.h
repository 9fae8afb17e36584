#pragma once

#include <cstdint>

namespace vantelo {

// Predicates over host-order IPv4 values (first octet in the most significant byte).

// A unicast host address of class A, B or C with neither network nor host part all zeros, and
// neither host part all ones; network 127 is refused.
bool IsLegalHostIp(uint32_t address);

// The host part under mask is neither all zeros nor all ones, or the mask is all ones.
bool IsHostPartValid(uint32_t address, uint32_t mask);

// The gateway is 0.0.0.0 or lies in the address's subnet.
bool IsGatewayInSubnet(uint32_t address, uint32_t gateway, uint32_t mask);

bool IsSameSubnet(uint32_t a, uint32_t b, uint32_t mask);

// Reading from bit 31 down, no 1 bit follows a 0 bit.
bool IsMaskContiguous(uint32_t mask);

}  // namespace vantelo
