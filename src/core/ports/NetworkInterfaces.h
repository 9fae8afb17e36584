#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantelo {

// One IPv4 interface of the workstation that a broadcast can go out of.
struct NetworkInterface {
    int index = 0;  // the system's interface index; 0 leaves the choice to the routing table
    std::string name;
    uint32_t address = 0;  // host order: the interface's first IPv4 address
    uint32_t mask = 0;     // host order
};

// The workstation's usable interfaces: up, not loopback, able to broadcast, each with an IPv4
// address. Read afresh on every call: adapters and VPNs come and go.
class NetworkInterfaces {
public:
    virtual ~NetworkInterfaces() = default;
    virtual std::vector<NetworkInterface> Usable() = 0;
};

}  // namespace vantelo
