#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "Network.h"

namespace vantelo::agentsim {

// The simulator's datagram sockets. One socket on 0.0.0.0 at the agent port and one at port 69
// receive for every agent (a socket bound to one address would never see a broadcast); the
// destination address comes with each datagram (IP_PKTINFO), and replies leave from the agent's
// address by naming it as the source of each send. A transfer port is a socket bound to the
// agent's address and port 0.
class SocketNetwork : public Network {
public:
    SocketNetwork() = default;
    SocketNetwork(const SocketNetwork&) = delete;
    SocketNetwork& operator=(const SocketNetwork&) = delete;
    ~SocketNetwork() override;

    // 0, or -1 with a reason.
    int Open(uint16_t agentPort, uint16_t tftpPort, std::string* error);

    void Send(Endpoint from, Endpoint to, const uint8_t* data, size_t size) override;
    int OpenTransferPort(uint32_t ip, uint16_t* port) override;
    void CloseTransferPort(Endpoint local) override;

    int ManagementSocket() const { return management_; }
    int TftpSocket() const { return tftp_; }
    // The socket of a transfer port, or -1 once it has been closed.
    int TransferSocket(Endpoint local) const;
    const std::map<std::pair<uint32_t, uint16_t>, int>& TransferSockets() const {
        return transfers_;
    }

    // Receives one datagram without waiting. Returns its size (capacity when it was longer),
    // or -1 when none is waiting; dstIp is the address it was sent to.
    static ssize_t Receive(int fd, uint8_t* buffer, size_t capacity, uint32_t* dstIp,
                           Endpoint* from);

private:
    uint16_t agentPort_ = 0;
    uint16_t tftpPort_ = 0;
    int management_ = -1;
    int tftp_ = -1;
    std::map<std::pair<uint32_t, uint16_t>, int> transfers_;
};

}  // namespace vantelo::agentsim
