#pragma once

#include <QDateTime>
#include <map>
#include <memory>
#include <optional>

#include "ports/DatagramSocket.h"

namespace vantelo::cli {

// When a datagram last came in from each address, over the sockets of another factory: what
// the tool reports as an agent's lastSeen.
class SeenSockets final : public SocketFactory {
public:
    explicit SeenSockets(std::unique_ptr<SocketFactory> inner) : inner_(std::move(inner)) {}

    std::unique_ptr<DatagramSocket> CreateSocket() override;

    // The time of the last datagram from address (host order), if one came in.
    std::optional<QDateTime> LastSeen(uint32_t address) const;

private:
    class Socket;

    std::unique_ptr<SocketFactory> inner_;
    std::map<uint32_t, QDateTime> seen_;
};

}  // namespace vantelo::cli
