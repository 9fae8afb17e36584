#include "transport/Sockets.h"

#include "console/ReceivePath.h"

namespace vantelo {

void OpenSocket(ConsoleState& state, SocketId socket) {
    bool broadcast = socket == SocketId::Broadcast;
    std::unique_ptr<DatagramSocket>& slot = broadcast ? state.broadcastSocket : state.unicastSocket;
    slot = state.ports.sockets->CreateSocket();
    auto port = static_cast<uint16_t>(broadcast ? state.basePort : state.basePort + 1);
    SocketOpenResult result = slot ? slot->Open(port) : SocketOpenResult::CreateFailed;
    if (result != SocketOpenResult::Ok) {
        slot.reset();
        ShowBox(state, result == SocketOpenResult::BindFailed ? "Bind socket error"
                                                              : "Creat Socket error");
        return;
    }
    slot->SetReadableCallback([&state, socket] { ReceiveDatagram(state, socket); });
}

void CloseSockets(ConsoleState& state) {
    for (DatagramSocket* socket : {state.broadcastSocket.get(), state.unicastSocket.get()}) {
        if (socket != nullptr) {
            socket->Close();
        }
    }
}

}  // namespace vantelo
