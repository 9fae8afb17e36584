#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "ports/DatagramSocket.h"

namespace vantelo {

// The transfer's own socket on the client port, apart from the console's two sockets.
class TftpSocket {
public:
    explicit TftpSocket(SocketFactory& sockets) : sockets_(sockets) {}
    TftpSocket(const TftpSocket&) = delete;
    TftpSocket& operator=(const TftpSocket&) = delete;
    ~TftpSocket() { Close(); }

    // Creates and binds the socket; onReadable runs once for every datagram that waits.
    SocketOpenResult Open(std::function<void()> onReadable);
    bool IsOpen() const { return socket_ != nullptr; }
    void Close();
    // 0, or -1 when the socket is closed or the datagram cannot be sent.
    int Send(const uint8_t* data, size_t length, Endpoint to);
    // As DatagramSocket::Receive; -1 when the socket is closed.
    long Receive(uint8_t* buffer, size_t capacity, Endpoint* from);

private:
    SocketFactory& sockets_;
    std::unique_ptr<DatagramSocket> socket_;
    // A closed socket lives on until the next Open: Close may run inside its readable callback.
    std::unique_ptr<DatagramSocket> retired_;
};

}  // namespace vantelo
