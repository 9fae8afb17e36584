#include "upgrade/TftpSocket.h"

#include "upgrade/TftpPackets.h"

namespace vantelo {

SocketOpenResult TftpSocket::Open(std::function<void()> onReadable) {
    Close();
    retired_.reset();
    std::unique_ptr<DatagramSocket> socket = sockets_.CreateSocket();
    if (socket == nullptr) {
        return SocketOpenResult::CreateFailed;
    }
    SocketOpenResult result = socket->Open(kTftpClientPort);
    if (result != SocketOpenResult::Ok) {
        return result;
    }
    socket->SetReadableCallback(std::move(onReadable));
    socket_ = std::move(socket);
    return SocketOpenResult::Ok;
}

void TftpSocket::Close() {
    if (socket_ != nullptr) {
        socket_->Close();
        retired_ = std::move(socket_);
    }
}

int TftpSocket::Send(const uint8_t* data, size_t length, Endpoint to) {
    int error = 0;
    return socket_ != nullptr ? socket_->SendTo(data, length, to, &error) : -1;
}

long TftpSocket::Receive(uint8_t* buffer, size_t capacity, Endpoint* from) {
    return socket_ != nullptr ? socket_->Receive(buffer, capacity, from) : -1;
}

}  // namespace vantelo
