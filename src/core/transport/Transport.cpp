#include "transport/Transport.h"

namespace vantelo {

void Transport::SetDefinition(uint32_t deviceTypeId, uint16_t basePort) {
    deviceTypeId_ = deviceTypeId;
    basePort_ = basePort;
}

void Transport::Open(SocketId socket, std::function<void()> onReadable) {
    std::unique_ptr<DatagramSocket>& slot = sockets_[Index(socket)];
    Opened& opened = opened_[Index(socket)];
    slot = factory_.CreateSocket();
    opened.result = slot ? slot->Open(PortOf(socket)) : SocketOpenResult::CreateFailed;
    opened.error = 0;
    if (opened.result != SocketOpenResult::Ok) {
        opened.error = slot ? slot->OpenError() : 0;
        slot.reset();
        boxes_.Report(
            OutcomeKind::SocketOpenFailed,
            ErrorBox(opened.result == SocketOpenResult::BindFailed ? "Bind socket error"
                                                                   : "Creat Socket error"));
        return;
    }
    slot->SetReadableCallback(std::move(onReadable));
}

void Transport::Close() {
    for (const std::unique_ptr<DatagramSocket>& socket : sockets_) {
        if (socket != nullptr) {
            socket->Close();
        }
    }
}

DatagramSocket* Transport::OpenSocket(SocketId socket) const {
    DatagramSocket* chosen = sockets_[Index(socket)].get();
    return chosen != nullptr && chosen->IsOpen() ? chosen : nullptr;
}

long Transport::Receive(SocketId socket, Endpoint* from) {
    receiveBuffer_.fill(0);
    arrival_ = 0;
    DatagramSocket* source = OpenSocket(socket);
    if (source == nullptr) {
        return -1;
    }
    long length = source->Receive(receiveBuffer_.data(), receiveBuffer_.size(), from);
    arrival_ = source->ArrivalInterface();
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
    DatagramSocket* sender = sockets_[Index(socket)].get();
    if (sender == nullptr) {
        *error = opened_[Index(socket)].error;
        return -1;
    }
    // A socket closed at the end says so itself.
    return sender->SendTo(data, length, to, error);
}

int Transport::SendToAgent(uint32_t address, const uint8_t* data, size_t length, int* error) {
    return Send(SocketId::Unicast, data, length, Endpoint{address, AgentPort()}, error);
}

int Transport::SendBroadcast(const std::vector<NetworkInterface>& via, const uint8_t* data,
                             size_t length, int* error) {
    const Endpoint to{kBroadcastAddress, AgentPort()};
    *error = 0;
    int result = via.empty() ? -1 : 0;
    for (const NetworkInterface& out : via) {
        DatagramSocket* sender = sockets_[Index(SocketId::Broadcast)].get();
        int sent = 0;
        if (out.index == 0 || sender == nullptr) {
            sent = Send(SocketId::Broadcast, data, length, to, error);
        } else {
            sent = sender->SendVia(data, length, to, out.index, out.address, error);
        }
        result = sent != 0 ? -1 : result;
    }
    return result;
}

bool Transport::TakeReplySequence(uint16_t sequence) {
    if (sequence != requestSequence_) {
        return false;
    }
    ++requestSequence_;
    return true;
}

}  // namespace vantelo
