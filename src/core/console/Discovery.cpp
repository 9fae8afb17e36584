#include "console/Discovery.h"

#include "protocol/DeviceTables.h"
#include "protocol/TlvElements.h"

namespace vantelo {

void RunDiscovery(ConsoleState& state) {
    PacketBuffer request{};
    DatagramSocket* socket = state.broadcastSocket.get();
    if (socket == nullptr || !socket->IsOpen() || socket->EnableBroadcast() != 0) {
        ShowBox(state, "Set socketopt error");
        return;
    }
    Endpoint to{kBroadcastAddress, state.AgentPort()};
    request.length = BuildRequestHeader(std::span(request.bytes).first<kHeaderSize>(),
                                        OpCode::DiscoveryRequest, state.deviceTypeId);
    // Monitored agents hear the broadcast too; their answers count as answers to a poll.
    CountPollRound(state.monitorTable);
    state.discoveryList.DeleteAll();
    state.discoveryTable.fill(DeviceRecord{});
    int error = 0;
    if (socket->SendTo(request.bytes, request.length, to, &error) != 0) {
        ShowBox(state, "Discovery sento fail");
    }
}

}  // namespace vantelo
