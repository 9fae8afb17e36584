#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ports/DatagramSocket.h"

namespace vantelo::test {

// A datagram the console sent, as the network saw it.
struct SentDatagram {
    std::vector<uint8_t> bytes;
    Endpoint from;
    Endpoint to;
    int interfaceIndex = 0;  // the interface it was sent out of; 0: where the routing table chose
};

class VirtualNetwork;

// Something on the network that hears the console's requests: a broadcast reaches every agent,
// a unicast datagram the agent at its address. Replies go back through VirtualNetwork::Queue.
class FakeAgent {
public:
    virtual ~FakeAgent() = default;
    virtual uint32_t Address() const = 0;
    virtual void OnRequest(VirtualNetwork& network, const SentDatagram& request) = 0;
};

// The console's sockets and the agents around them, in memory. Datagrams for the console wait
// in a queue until Deliver() hands them, one per readable call, to the socket bound to their
// port, so the engine is never entered from inside one of its own calls.
class VirtualNetwork : public SocketFactory {
public:
    static constexpr uint32_t kConsoleAddress = 0x0A4D0001;  // 10.77.0.1

    VirtualNetwork();
    ~VirtualNetwork() override;

    std::unique_ptr<DatagramSocket> CreateSocket() override;

    // Faults: opening port fails with result (error EMFILE or EADDRINUSE); the broadcast option
    // cannot be set; every send fails with error (0 ends the fault).
    void FailOpen(uint16_t port, SocketOpenResult result);
    void FailBroadcastOption(bool fail);
    void FailSends(int error);

    void AddAgent(FakeAgent* agent);

    // A datagram from `from` to the console's socket on port, arriving on the interface of that
    // index (0: not told).
    void Queue(uint16_t port, Endpoint from, std::vector<uint8_t> bytes, int interfaceIndex = 0);
    // Delivers every waiting datagram, also those queued meanwhile; returns how many arrived
    // at an open socket. The others are lost, as on a real network.
    int Deliver();
    // Puts a datagram straight into the socket on port without a readable call.
    bool PutInSocket(uint16_t port, Endpoint from, const std::vector<uint8_t>& bytes);

    bool IsBound(uint16_t port) const;
    int CloseCalls() const;
    const std::vector<SentDatagram>& Sent() const;
    void ClearSent();

private:
    class Socket;
    struct Shared;

    std::shared_ptr<Shared> shared_;
};

}  // namespace vantelo::test
