#pragma once

#include <cstddef>
#include <cstdint>

namespace vantelo::agentsim {

// An IPv4 address (host order) and a UDP port.
struct Endpoint {
    uint32_t ip = 0;
    uint16_t port = 0;
    bool operator==(const Endpoint&) const = default;
};

// The datagram sockets the simulator needs; the event loop implements them with POSIX sockets and
// the tests in memory.
class Network {
public:
    virtual ~Network() = default;
    // Sends from an agent's address and port. A datagram that cannot be sent is lost, as on a wire.
    virtual void Send(Endpoint from, Endpoint to, const uint8_t* data, size_t size) = 0;
    // Opens a fresh port on the agent's address for one transfer: 0 and the port, or -1.
    virtual int OpenTransferPort(uint32_t ip, uint16_t* port) = 0;
    virtual void CloseTransferPort(Endpoint local) = 0;
};

}  // namespace vantelo::agentsim
