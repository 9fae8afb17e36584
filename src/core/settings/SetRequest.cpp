#include "settings/SetRequest.h"

#include <span>

#include "protocol/AgentKeyOf.h"
#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr size_t kMacTextLength = 12;

void WriteSetHeader(PacketBuffer& packet, const DeviceRecord& request, OpCode opCode,
                    const Transport& transport) {
    PacketHeader header{};
    header.protocolVersion = kProtocolVersion;
    header.direction = kDirectionRequest;
    // A MAC text that is not hex leaves the header's MAC zero rather than half written.
    HexTextToBytes(TextOf(request.macText).substr(0, kMacTextLength), header.mac,
                   sizeof header.mac);
    header.opCode = static_cast<uint16_t>(opCode);
    header.deviceTypeId = transport.DeviceTypeId();
    header.sequence = transport.RequestSequence();
    EncodeHeader(header, std::span(packet.bytes).first<kHeaderSize>());
    packet.length = kHeaderSize;
}

MessageBoxRequest UnownedError(const char* text) {
    return MessageBoxRequest{text, "Error", BoxIcon::Error, BoxButtons::Ok, BoxOwner::None};
}

}  // namespace

// The texts come from fixed fields of at most 40 characters, so the whole request stays far
// below the datagram's limit and no append can be refused.
size_t BuildSetTlv(PacketBuffer& packet, const DeviceRecord& request, PendingSet& pending) {
    size_t start = packet.length;
    AppendTextElement(packet, TlvType::Password, TextOf(request.password));
    AppendTextElement(packet, TlvType::ProductName, TextOf(request.productName));
    AppendTextElement(packet, TlvType::SystemName, TextOf(request.systemName));
    AppendTextElement(packet, TlvType::Location, TextOf(request.location));
    AppendAddressElement(packet, TlvType::IpAddress, request.ip);
    pending.RecordRequestedIp(request.ip);
    AppendAddressElement(packet, TlvType::Gateway, request.gateway);
    AppendAddressElement(packet, TlvType::TrapIp, request.trapIp);
    AppendAddressElement(packet, TlvType::SubnetMask, request.subnetMask);
    if (!TextOf(request.newPassword).empty()) {
        AppendTextElement(packet, TlvType::NewPassword, TextOf(request.newPassword));
    }
    if (request.dhcp != kDhcpNotReported) {
        AppendDhcpElement(packet, request.interfaceVersion, request.dhcp);
    }
    return packet.length - start;
}

int SendSetRequest(const SetRequestParts& parts, const DeviceRecord& request,
                   SelectionTarget target, const char* unicastError) {
    PacketBuffer packet{};
    WriteSetHeader(packet, request,
                   target.inMonitorTable ? OpCode::UnicastSetRequest : OpCode::BroadcastSetRequest,
                   parts.transport);
    parts.pending.RecordTarget(TextOf(request.macText));
    BuildSetTlv(packet, request, parts.pending);
    const DeviceTable& table =
        target.inMonitorTable ? parts.lists.MonitorTable() : parts.lists.DiscoveryTable();
    const DeviceRecord& agent = table[static_cast<size_t>(target.slotIndex)];
    int error = 0;
    if (target.inMonitorTable) {
        parts.lists.CountPollSent(target.slotIndex);
        // The address the agent has now, not the one the request asks for.
        if (parts.transport.SendToAgent(agent.ip, packet.bytes, packet.length, &error) != 0) {
            parts.boxes.Report(OutcomeKind::SetSendFailed, UnownedError(unicastError),
                               KeyOf(agent));
            return -1;
        }
        return 0;
    }
    parts.lists.CountPollRound();
    if (parts.transport.EnableBroadcast() != 0 ||
        parts.transport.SendBroadcast(parts.transport.Routes().ForAgent(TextOf(request.macText)),
                                      packet.bytes, packet.length, &error) != 0) {
        parts.boxes.Report(OutcomeKind::SetSendFailed, UnownedError("UDP set send error"),
                           KeyOf(agent));
        return -1;
    }
    return 0;
}

}  // namespace vantelo
