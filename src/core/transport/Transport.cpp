#include "transport/Transport.h"

namespace vantelo {

void Transport::SetDefinition(uint32_t deviceTypeId, uint16_t basePort) {
    deviceTypeId_ = deviceTypeId;
    basePort_ = basePort;
}

void Transport::Open(SocketId socket, std::function<void()> onReadable) {
    bool broadcast = socket == SocketId::Broadcast;
    std::unique_ptr<DatagramSocket>& slot = broadcast ? broadcast_ : unicast_;
    slot = sockets_.CreateSocket();
    auto port = static_cast<uint16_t>(broadcast ? basePort_ : basePort_ + 1);
    SocketOpenResult result = slot ? slot->Open(port) : SocketOpenResult::CreateFailed;
    if (result != SocketOpenResult::Ok) {
        slot.reset();
        boxes_.Report(OutcomeKind::SocketOpenFailed,
                      ErrorBox(result == SocketOpenResult::BindFailed ? "Bind socket error"
                                                                      : "Creat Socket error"));
        return;
    }
    slot->SetReadableCallback(std::move(onReadable));
}

void Transport::Close() {
    for (DatagramSocket* socket : {broadcast_.get(), unicast_.get()}) {
        if (socket != nullptr) {
            socket->Close();
        }
    }
}

DatagramSocket* Transport::OpenSocket(SocketId socket) const {
    DatagramSocket* chosen = socket == SocketId::Broadcast ? broadcast_.get() : unicast_.get();
    return chosen != nullptr && chosen->IsOpen() ? chosen : nullptr;
}

long Transport::Receive(SocketId socket, Endpoint* from) {
    receiveBuffer_.fill(0);
    DatagramSocket* source = OpenSocket(socket);
    if (source == nullptr) {
        return -1;
    }
    long length = source->Receive(receiveBuffer_.data(), receiveBuffer_.size(), from);
    if (length > static_cast<long>(kMaxDatagram)) {
        ++oversizeDrops_;
        return -1;
    }
    return length < 0 ? -1 : length;
}

int Transport::EnableBroadcast() {
    DatagramSocket* socket = OpenSocket(SocketId::Broadcast);
    return socket != nullptr && socket->EnableBroadcast() == 0 ? 0 : -1;
}

int Transport::Send(SocketId socket, const uint8_t* data, size_t length, Endpoint to, int* error) {
    DatagramSocket* sender = OpenSocket(socket);
    if (sender == nullptr) {
        *error = 0;
        return -1;
    }
    return sender->SendTo(data, length, to, error);
}

bool Transport::TakeReplySequence(uint16_t sequence) {
    if (sequence != requestSequence_) {
        return false;
    }
    ++requestSequence_;
    return true;
}

}  // namespace vantelo
