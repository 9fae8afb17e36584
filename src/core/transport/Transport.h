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
#include "transport/Interfaces.h"

namespace vantelo {

// The console's sockets, each an index into the transport's socket array.
enum class SocketId : size_t { Broadcast, Unicast };
inline constexpr size_t kSocketCount = 2;

// The console's two sockets with what addresses them: the device type and base port of the
// definition file, the receive buffer and the request sequence. The broadcast socket listens on
// the base port, the unicast socket on the next one; agents listen on the port after that.
class Transport {
public:
    Transport(SocketFactory& factory, NetworkInterfaces* interfaces, Boxes& boxes)
        : factory_(factory), boxes_(boxes), routes_(interfaces) {}
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    void SetDefinition(uint32_t deviceTypeId, uint16_t basePort);
    uint32_t DeviceTypeId() const { return deviceTypeId_; }
    uint16_t BasePort() const { return basePort_; }
    uint16_t AgentPort() const { return static_cast<uint16_t>(basePort_ + 2); }
    // The port the socket listens on: the base port and the next one.
    uint16_t PortOf(SocketId socket) const {
        return static_cast<uint16_t>(basePort_ + static_cast<size_t>(socket));
    }

    // Opens the socket on its port; onReadable runs once for every datagram that waits. A socket
    // that cannot be created or bound is reported and stays closed.
    void Open(SocketId socket, std::function<void()> onReadable);
    // Closes the broadcast socket, then the unicast socket.
    void Close();
    // How opening the socket went, and the system's error code when it failed (0 before any).
    SocketOpenResult OpenResult(SocketId socket) const { return opened_[Index(socket)].result; }
    int OpenError(SocketId socket) const { return opened_[Index(socket)].error; }

    // Reads one datagram of the socket into the zeroed receive buffer; returns its length, or -1
    // when the socket is closed or the datagram does not fit in 1500 bytes. A shorter datagram
    // leaves zeros behind it, which complete a short header.
    long Receive(SocketId socket, Endpoint* from);
    // The interface the datagram last received arrived on; 0 when unknown.
    int ArrivalInterface() const { return arrival_; }
    std::span<const uint8_t> ReceiveBuffer() const { return receiveBuffer_; }
    // Datagrams dropped by Receive because they did not fit in 1500 bytes.
    uint64_t OversizeDrops() const { return oversizeDrops_; }

    // The broadcast option of the broadcast socket: 0, or -1 when it is closed or refuses.
    int EnableBroadcast();
    // Sends from the socket: 0, or -1 with the system's error code in *error. A socket that
    // never opened gives the code it failed to open with.
    int Send(SocketId socket, const uint8_t* data, size_t length, Endpoint to, int* error);
    // Sends to one agent's port at its address, from the unicast socket.
    int SendToAgent(uint32_t address, const uint8_t* data, size_t length, int* error);
    // Sends to every agent's port at the broadcast address, from the broadcast socket, once out
    // of each interface of via: 0, or -1 when via is empty or a send failed.
    int SendBroadcast(const std::vector<NetworkInterface>& via, const uint8_t* data, size_t length,
                      int* error);
    // Which interfaces the broadcasts go out of.
    Interfaces& Routes() { return routes_; }
    const Interfaces& Routes() const { return routes_; }

    uint16_t RequestSequence() const { return requestSequence_; }
    // A reply to the numbered request is taken once: the first copy moves the sequence on.
    bool TakeReplySequence(uint16_t sequence);

private:
    struct Opened {
        SocketOpenResult result = SocketOpenResult::Ok;
        int error = 0;
    };

    static size_t Index(SocketId socket) { return static_cast<size_t>(socket); }
    DatagramSocket* OpenSocket(SocketId socket) const;

    SocketFactory& factory_;
    Boxes& boxes_;
    uint32_t deviceTypeId_ = 0;
    uint16_t basePort_ = 0;
    uint16_t requestSequence_ = 0;
    uint64_t oversizeDrops_ = 0;
    std::array<std::unique_ptr<DatagramSocket>, kSocketCount> sockets_;
    std::array<Opened, kSocketCount> opened_{};
    std::array<uint8_t, kMaxDatagram> receiveBuffer_{};
    int arrival_ = 0;
    Interfaces routes_;
};

}  // namespace vantelo
