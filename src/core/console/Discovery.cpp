#include "console/Discovery.h"

#include "protocol/TlvElements.h"

namespace vantelo {

void RunDiscovery(Transport& transport, AgentLists& lists, Boxes& boxes,
                  const std::vector<NetworkInterface>& via) {
    if (transport.EnableBroadcast() != 0) {
        boxes.Report(OutcomeKind::DiscoverySendFailed, ErrorBox("Set socketopt error"));
        return;
    }
    if (via.empty()) {
        boxes.Report(OutcomeKind::DiscoverySendFailed, ErrorBox("No network interface is up"));
        return;
    }
    PacketBuffer request{};
    request.length = BuildRequestHeader(std::span(request.bytes).first<kHeaderSize>(),
                                        OpCode::DiscoveryRequest, transport.DeviceTypeId());
    // Monitored agents hear the broadcast too; their answers count as answers to a poll.
    lists.CountPollRound();
    lists.ClearDiscovery();
    int error = 0;
    if (transport.SendBroadcast(via, request.bytes, request.length, &error) != 0) {
        boxes.Report(OutcomeKind::DiscoverySendFailed, ErrorBox("Discovery sento fail"));
    }
}

}  // namespace vantelo
