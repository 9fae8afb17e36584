#include "console/ReceivePath.h"

#include "protocol/AgentKeyOf.h"
#include "protocol/Conversions.h"
#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"
#include "protocol/ResultCode.h"
#include "protocol/TlvElements.h"

namespace vantelo {

namespace {

constexpr const char* kDiscoveryFull = "Add fail, out of 256 devices";

void MarkAnswered(DeviceRecord& record, uint32_t deviceTypeId, int32_t rowState,
                  int32_t statusImage) {
    record.rowState = rowState;
    record.deviceTypeId = deviceTypeId;
    record.statusImage = statusImage;
    record.missedPolls = 0;
    record.answered = 1;
}

struct RememberedSelection {
    int monitorRow;
    int discoveryRow;
};

void SelectAgain(AgentLists& lists, RememberedSelection remembered) {
    if (remembered.monitorRow >= 0) {
        lists.Select(ListId::Monitor, remembered.monitorRow, true);
    }
    if (remembered.discoveryRow >= 0) {
        lists.Select(ListId::Discovery, remembered.discoveryRow, true);
    }
}

}  // namespace

void ReceivePath::StoreInMonitorSlot(int slot, int32_t statusImage) {
    MarkAnswered(reply_, p_.transport.DeviceTypeId(), kRowShown, statusImage);
    p_.lists.StoreMonitor(slot, reply_);
    activity_->AgentAnswered(TextOf(reply_.ipText));
}

// Updates the agent's discovery slot or appends one; returns -1 when the table is full.
int ReceivePath::StoreInDiscoveryTable() {
    TableLookup byMac = FindInDiscoveryTable(p_.lists.DiscoveryTable(), p_.lists.DiscoveryCount(),
                                             TextOf(reply_.macText), false);
    if (!byMac.found && byMac.index >= kTableSlots) {
        p_.boxes.Notify(ErrorBox(kDiscoveryFull));
        return -1;
    }
    MarkAnswered(reply_, p_.transport.DeviceTypeId(), byMac.found ? kRowShown : kRowNotShown,
                 kNoImage);
    p_.lists.StoreDiscovery(byMac.index, reply_);
    return 0;
}

// Agents of another protocol version and agents in loader mode: only the MAC text, the sender's
// address and the header's version fields are kept.
void ReceivePath::StoreWithoutDecoding(bool loader) {
    if (loader) {
        reply_.loaderMark = kLoaderMark;
    }
    TableLookup byIp = FindInMonitorTable(p_.lists.MonitorTable(), p_.lists.MonitorCount(),
                                          TextOf(reply_.ipText), true);
    if (byIp.found) {
        StoreInMonitorSlot(byIp.index, kNoImage);
        return;
    }
    StoreInDiscoveryTable();
}

// Stores the monitored agent's reply; returns false when the agent is not monitored.
bool ReceivePath::StoreInMonitorTable() {
    const DeviceTable& table = p_.lists.MonitorTable();
    int count = p_.lists.MonitorCount();
    TableLookup byIp = FindInMonitorTable(table, count, TextOf(reply_.ipText), true);
    if (byIp.found) {
        StoreInMonitorSlot(byIp.index, kNoImage);
        return true;
    }
    TableLookup byMac = FindInMonitorTable(table, count, TextOf(reply_.macText), false);
    if (!byMac.found) {
        return false;
    }
    // An agent found only by its MAC text keeps its not-alive mark until it answers by address.
    int32_t image = table[static_cast<size_t>(byMac.index)].statusImage == kNotAliveImage
                        ? kNotAliveImage
                        : kNoImage;
    StoreInMonitorSlot(byMac.index, image);
    return true;
}

void ReceivePath::StoreDecodedReply(size_t length) {
    RememberedSelection remembered{p_.lists.MonitorList().FirstSelectedRow(),
                                   p_.lists.DiscoveryList().FirstSelectedRow()};
    DecodeElements(p_.transport.ReceiveBuffer().first(length), &reply_);
    if (!StoreInMonitorTable() && StoreInDiscoveryTable() != 0) {
        return;
    }
    p_.setConfirmation.ConfirmSetReply(reply_);
    SelectAgain(p_.lists, remembered);
}

bool ReceivePath::IsUpgradeTarget() const {
    const UpgradeContext::MacField deviceMac = p_.upgrade.DeviceMac();
    return TextOf(reply_.macText) == std::string_view(deviceMac.data());
}

// The checks of an agent datagram whose header passed; ends in one of its destinations.
void ReceivePath::Dispatch(const PacketHeader& header, size_t length) {
    auto code = static_cast<OpCode>(header.opCode);
    if (header.protocolVersion != kProtocolVersion || code == OpCode::LoaderModeReply) {
        StoreWithoutDecoding(header.protocolVersion == kProtocolVersion);
        return;
    }
    if (code == OpCode::DiscoveryReply && IsUpgradeTarget()) {
        p_.rediscovery.value = 1;
    }
    bool numbered = code == OpCode::BroadcastSetReply || code == OpCode::UpgradeTriggerReply;
    if (numbered && !p_.transport.TakeReplySequence(header.sequence)) {
        ++drops_.staleSequence;
        return;
    }
    if (const char* message = ResultCodeMessage(header.resultCode)) {
        p_.boxes.ReportLater(OutcomeKind::ResultRefused, ErrorBox(message), KeyOf(reply_));
        return;
    }
    if (code == OpCode::UpgradeTriggerReply && IsUpgradeTarget()) {
        p_.upgrade.SetTriggerAcknowledged(1);
        return;
    }
    reply_.lastOpCode = header.opCode;
    if (code == OpCode::Trap) {
        p_.traps.HandleTrap(p_.transport.ReceiveBuffer().first(length));
        return;
    }
    StoreDecodedReply(length);
}

void ReceivePath::ReceiveDatagram(SocketId socket) {
    reply_ = DeviceRecord{};
    reply_.dhcp = kDhcpNotReported;
    Endpoint from{};
    long length = p_.transport.Receive(socket, &from);
    if (length < 0) {
        return;
    }
    PacketHeader header{};
    DecodeHeader(p_.transport.ReceiveBuffer(), &header);
    MacToText(header.mac, reply_.macText);
    if (header.deviceTypeId != p_.transport.DeviceTypeId()) {
        ++drops_.wrongDeviceType;
        return;
    }
    reply_.protocolVersion = header.protocolVersion;
    reply_.interfaceVersion = header.interfaceVersion;
    reply_.direction = header.direction;
    if (header.direction != kDirectionReply) {
        ++drops_.wrongDirection;
        return;
    }
    SetAddressField(from.address, &reply_.ip, reply_.ipText);
    Dispatch(header, static_cast<size_t>(length));
}

}  // namespace vantelo
