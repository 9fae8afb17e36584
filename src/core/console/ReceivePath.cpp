#include "console/ReceivePath.h"

#include <cstring>

#include "console/EngineHooks.h"
#include "lists/ListRows.h"
#include "protocol/Conversions.h"
#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"
#include "protocol/ResultCode.h"
#include "protocol/TlvElements.h"

namespace vantelo {

namespace {

constexpr const char* kDiscoveryFull = "Add fail, out of 256 devices";

DatagramSocket* SocketOf(ConsoleState& state, SocketId socket) {
    DatagramSocket* chosen =
        socket == SocketId::Broadcast ? state.broadcastSocket.get() : state.unicastSocket.get();
    return chosen != nullptr && chosen->IsOpen() ? chosen : nullptr;
}

// Reads one datagram into the zeroed buffer; returns its length, or -1 when nothing fits in
// 1500 bytes. A shorter datagram leaves zeros behind it, which complete a short header.
long ReadDatagram(ConsoleState& state, SocketId socket, Endpoint* from) {
    std::memset(state.receiveBuffer, 0, sizeof state.receiveBuffer);
    DatagramSocket* source = SocketOf(state, socket);
    if (source == nullptr) {
        return -1;
    }
    long length = source->Receive(state.receiveBuffer, sizeof state.receiveBuffer, from);
    if (length < 0 || length > static_cast<long>(kMaxDatagram)) {
        return -1;
    }
    return length;
}

void MarkAnswered(DeviceRecord& record, uint32_t deviceTypeId, int32_t rowState,
                  int32_t statusImage) {
    record.rowState = rowState;
    record.deviceTypeId = deviceTypeId;
    record.statusImage = statusImage;
    record.missedPolls = 0;
    record.answered = 1;
}

void StoreInMonitorSlot(ConsoleState& state, int slot, int32_t statusImage) {
    DeviceRecord& reply = state.currentReply;
    MarkAnswered(reply, state.deviceTypeId, kRowShown, statusImage);
    state.monitorTable[static_cast<size_t>(slot)] = reply;
    ShowMonitorRow(state, slot);
}

// Updates the agent's discovery slot or appends one; returns -1 when the table is full.
int StoreInDiscoveryTable(ConsoleState& state) {
    DeviceRecord& reply = state.currentReply;
    TableLookup byMac = FindInDiscoveryTable(state.discoveryTable, state.DiscoveryCount(),
                                             TextOf(reply.macText), false);
    if (!byMac.found && byMac.index >= kTableSlots) {
        ShowBox(state, kDiscoveryFull);
        return -1;
    }
    MarkAnswered(reply, state.deviceTypeId, byMac.found ? kRowShown : kRowNotShown, kNoImage);
    state.discoveryTable[static_cast<size_t>(byMac.index)] = reply;
    ShowDiscoveryRow(state, byMac.index);
    return 0;
}

// Agents of another protocol version and agents in loader mode: only the MAC text, the sender's
// address and the header's version fields are kept.
void StoreWithoutDecoding(ConsoleState& state, bool loader) {
    DeviceRecord& reply = state.currentReply;
    if (loader) {
        reply.loaderMark = kLoaderMark;
    }
    TableLookup byIp =
        FindInMonitorTable(state.monitorTable, state.MonitorCount(), TextOf(reply.ipText), true);
    if (byIp.found) {
        StoreInMonitorSlot(state, byIp.index, kNoImage);
        return;
    }
    StoreInDiscoveryTable(state);
}

struct RememberedSelection {
    int monitorRow;
    int discoveryRow;
};

void SelectAgain(ConsoleState& state, RememberedSelection remembered) {
    if (remembered.monitorRow >= 0) {
        state.monitorList.SetSelected(remembered.monitorRow, true);
    }
    if (remembered.discoveryRow >= 0) {
        state.discoveryList.SetSelected(remembered.discoveryRow, true);
    }
}

// Stores the monitored agent's reply; returns false when the agent is not monitored.
bool StoreInMonitorTable(ConsoleState& state) {
    const DeviceRecord& reply = state.currentReply;
    TableLookup byIp =
        FindInMonitorTable(state.monitorTable, state.MonitorCount(), TextOf(reply.ipText), true);
    if (byIp.found) {
        StoreInMonitorSlot(state, byIp.index, kNoImage);
        return true;
    }
    TableLookup byMac =
        FindInMonitorTable(state.monitorTable, state.MonitorCount(), TextOf(reply.macText), false);
    if (!byMac.found) {
        return false;
    }
    // An agent found only by its MAC text keeps its not-alive mark until it answers by address.
    int32_t image =
        state.monitorTable[static_cast<size_t>(byMac.index)].statusImage == kNotAliveImage
            ? kNotAliveImage
            : kNoImage;
    StoreInMonitorSlot(state, byMac.index, image);
    return true;
}

void StoreDecodedReply(ConsoleState& state, size_t length) {
    RememberedSelection remembered{state.monitorList.FirstSelectedRow(),
                                   state.discoveryList.FirstSelectedRow()};
    DecodeElements(std::span(state.receiveBuffer).first(length), &state.currentReply);
    if (!StoreInMonitorTable(state) && StoreInDiscoveryTable(state) != 0) {
        return;
    }
    ConfirmSetReply(state);
    SelectAgain(state, remembered);
}

bool IsUpgradeTarget(const ConsoleState& state) {
    char deviceMac[UpgradeContext::kMacCapacity];
    state.upgrade.GetDeviceMac(deviceMac);
    return TextOf(state.currentReply.macText) == TextOf(deviceMac);
}

// Replies that answer one numbered request are taken once: the first copy moves the sequence on.
bool TakesSequence(ConsoleState& state, const PacketHeader& header) {
    auto code = static_cast<OpCode>(header.opCode);
    if (code != OpCode::BroadcastSetReply && code != OpCode::UpgradeTriggerReply) {
        return true;
    }
    if (header.sequence != state.requestSequence) {
        return false;
    }
    ++state.requestSequence;
    return true;
}

// The checks of an agent datagram whose header passed; ends in one of its destinations.
void Dispatch(ConsoleState& state, const PacketHeader& header, size_t length) {
    DeviceRecord& reply = state.currentReply;
    auto code = static_cast<OpCode>(header.opCode);
    if (header.protocolVersion != kProtocolVersion || code == OpCode::LoaderModeReply) {
        StoreWithoutDecoding(state, header.protocolVersion == kProtocolVersion);
        return;
    }
    if (code == OpCode::DiscoveryReply && IsUpgradeTarget(state)) {
        state.rediscovery.value = 1;
    }
    if (!TakesSequence(state, header)) {
        return;
    }
    if (const char* message = ResultCodeMessage(header.resultCode)) {
        ShowBox(state, message);
        return;
    }
    if (code == OpCode::UpgradeTriggerReply && IsUpgradeTarget(state)) {
        state.upgrade.SetTriggerAcknowledged(1);
        return;
    }
    reply.lastOpCode = header.opCode;
    if (code == OpCode::Trap) {
        HandleTrap(state, state.receiveBuffer, length);
        return;
    }
    StoreDecodedReply(state, length);
}

}  // namespace

void ReceiveDatagram(ConsoleState& state, SocketId socket) {
    DeviceRecord& reply = state.currentReply;
    reply = DeviceRecord{};
    reply.dhcp = kDhcpNotReported;
    Endpoint from{};
    long length = ReadDatagram(state, socket, &from);
    if (length < 0) {
        return;
    }
    PacketHeader header{};
    DecodeHeader(state.receiveBuffer, &header);
    MacToText(header.mac, reply.macText);
    if (header.deviceTypeId != state.deviceTypeId) {
        return;
    }
    reply.protocolVersion = header.protocolVersion;
    reply.interfaceVersion = header.interfaceVersion;
    reply.direction = header.direction;
    if (header.direction != kDirectionReply) {
        return;
    }
    SetAddressField(from.address, &reply.ip, reply.ipText);
    Dispatch(state, header, static_cast<size_t>(length));
}

}  // namespace vantelo
