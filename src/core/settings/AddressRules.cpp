#include "settings/AddressRules.h"

namespace vantelo {

namespace {

bool PartsAllowed(uint32_t network, uint32_t host, uint32_t hostMask) {
    return network != 0 && host != 0 && host != hostMask;
}

}  // namespace

bool IsLegalHostIp(uint32_t address) {
    if ((address & 0x80000000u) == 0) {
        uint32_t network = address & 0x7F000000u;
        return network != 0x7F000000u && PartsAllowed(network, address & 0x00FFFFFFu, 0x00FFFFFFu);
    }
    if ((address & 0xC0000000u) == 0x80000000u) {
        return PartsAllowed(address & 0x3FFF0000u, address & 0x0000FFFFu, 0x0000FFFFu);
    }
    if ((address & 0xE0000000u) == 0xC0000000u) {
        return PartsAllowed(address & 0x1FFFFF00u, address & 0x000000FFu, 0x000000FFu);
    }
    return false;
}

bool IsHostPartValid(uint32_t address, uint32_t mask) {
    uint32_t hostMask = ~mask;
    if (hostMask == 0) {
        return true;
    }
    uint32_t host = address & hostMask;
    return host != 0 && host != hostMask;
}

bool IsGatewayInSubnet(uint32_t address, uint32_t gateway, uint32_t mask) {
    return gateway == 0 || (address & mask) == (gateway & mask);
}

bool IsSameSubnet(uint32_t a, uint32_t b, uint32_t mask) {
    return (a & mask) == (b & mask);
}

bool IsMaskContiguous(uint32_t mask) {
    uint32_t inverted = ~mask;
    // The zeros must form one run at the low end: inverted + 1 is then a power of two (or 0).
    return (inverted & (inverted + 1)) == 0;
}

}  // namespace vantelo
