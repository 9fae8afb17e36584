#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "events/Boxes.h"
#include "ports/DatagramSocket.h"
#include "protocol/PacketHeader.h"

namespace vantelo {

enum class SocketId { Broadcast, Unicast };

// The console's two sockets with what addresses them: the device type and base port of the
// definition file, the receive buffer and the request sequence. The broadcast socket listens on
// the base port, the unicast socket on the next one; agents listen on the port after that.
class Transport {
public:
    Transport(SocketFactory& sockets, Boxes& boxes) : sockets_(sockets), boxes_(boxes) {}
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    void SetDefinition(uint32_t deviceTypeId, uint16_t basePort);
    uint32_t DeviceTypeId() const { return deviceTypeId_; }
    uint16_t BasePort() const { return basePort_; }
    uint16_t AgentPort() const { return static_cast<uint16_t>(basePort_ + 2); }

    // Opens the socket on its port; onReadable runs once for every datagram that waits. A socket
    // that cannot be created or bound is reported and stays closed.
    void Open(SocketId socket, std::function<void()> onReadable);
    // Closes the broadcast socket, then the unicast socket.
    void Close();

    // Reads one datagram of the socket into the zeroed receive buffer; returns its length, or -1
    // when the socket is closed or the datagram does not fit in 1500 bytes. A shorter datagram
    // leaves zeros behind it, which complete a short header.
    long Receive(SocketId socket, Endpoint* from);
    std::span<const uint8_t> ReceiveBuffer() const { return receiveBuffer_; }
    // Datagrams dropped by Receive because they did not fit in 1500 bytes.
    uint64_t OversizeDrops() const { return oversizeDrops_; }

    // The broadcast option of the broadcast socket: 0, or -1 when it is closed or refuses.
    int EnableBroadcast();
    // Sends from the socket: 0, or -1 with the system's error code in *error.
    int Send(SocketId socket, const uint8_t* data, size_t length, Endpoint to, int* error);

    uint16_t RequestSequence() const { return requestSequence_; }
    // A reply to the numbered request is taken once: the first copy moves the sequence on.
    bool TakeReplySequence(uint16_t sequence);

private:
    DatagramSocket* OpenSocket(SocketId socket) const;

    SocketFactory& sockets_;
    Boxes& boxes_;
    uint32_t deviceTypeId_ = 0;
    uint16_t basePort_ = 0;
    uint16_t requestSequence_ = 0;
    uint64_t oversizeDrops_ = 0;
    std::unique_ptr<DatagramSocket> broadcast_;
    std::unique_ptr<DatagramSocket> unicast_;
    std::array<uint8_t, kMaxDatagram> receiveBuffer_{};
};

}  // namespace vantelo
