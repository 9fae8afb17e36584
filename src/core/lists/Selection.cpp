#include "lists/Selection.h"

#include <string>

#include "protocol/AgentKeyOf.h"
#include "protocol/DeviceTables.h"
#include "protocol/PacketHeader.h"

namespace vantelo {

namespace {

constexpr size_t kMacKeyLength = 12;

VersionCode VersionOf(const DeviceRecord& record) {
    if (record.protocolVersion != kProtocolVersion) {
        return VersionCode::ProtocolUnsupported;
    }
    if (record.interfaceVersion > 2) {
        return VersionCode::InterfaceUnsupported;
    }
    return record.interfaceVersion < 2 ? VersionCode::OlderInterface : VersionCode::Supported;
}

// The agent of a slot the version check found; none when it found no slot.
AgentKey SlotKey(const AgentLists& lists, bool inMonitor, int slot) {
    if (slot < 0) {
        return {};
    }
    const DeviceTable& table = inMonitor ? lists.MonitorTable() : lists.DiscoveryTable();
    return KeyOf(table[static_cast<size_t>(slot)]);
}

}  // namespace

SelectionCode CheckSelection(const AgentLists& lists) {
    int discovery = lists.DiscoveryList().SelectedCount();
    int monitor = lists.MonitorList().SelectedCount();
    if (discovery > 1 || monitor > 1) {
        return SelectionCode::Several;
    }
    if (discovery == 0 && monitor == 0) {
        return SelectionCode::None;
    }
    return discovery == 1 ? SelectionCode::Discovery : SelectionCode::Monitor;
}

VersionCode CheckVersion(const AgentLists& lists, ListId list, int* slotIndex) {
    TableLookup lookup{};
    const DeviceTable* table = nullptr;
    if (list == ListId::Discovery) {
        const ListModel& rows = lists.DiscoveryList();
        std::string key = rows.Text(rows.FirstSelectedRow(), 0).substr(0, kMacKeyLength);
        lookup = FindInDiscoveryTable(lists.DiscoveryTable(), rows.RowCount(), key, false);
        table = &lists.DiscoveryTable();
    } else {
        const ListModel& rows = lists.MonitorList();
        lookup = FindInMonitorTable(lists.MonitorTable(), rows.RowCount(),
                                    rows.Text(rows.FirstSelectedRow(), 1), true);
        table = &lists.MonitorTable();
    }
    if (!lookup.found) {
        *slotIndex = -1;
        return VersionCode::ProtocolUnsupported;
    }
    *slotIndex = lookup.index;
    return VersionOf((*table)[static_cast<size_t>(lookup.index)]);
}

int SelectTarget(const AgentLists& lists, Boxes& boxes, SelectionTarget* target) {
    SelectionCode selection = CheckSelection(lists);
    if (selection == SelectionCode::Several) {
        boxes.Report(OutcomeKind::SeveralSelected, ErrorBox("Only one device can be selected"));
        return -1;
    }
    if (selection == SelectionCode::None) {
        boxes.Report(OutcomeKind::NothingSelected, ErrorBox("Please select one device"));
        return -1;
    }
    bool inMonitor = selection == SelectionCode::Monitor;
    int slot = -1;
    VersionCode version =
        CheckVersion(lists, inMonitor ? ListId::Monitor : ListId::Discovery, &slot);
    if (version == VersionCode::ProtocolUnsupported) {
        boxes.Report(OutcomeKind::ProtocolVersionUnsupported,
                     ErrorBox("agent protocol version not support"),
                     SlotKey(lists, inMonitor, slot));
        return -1;
    }
    if (version == VersionCode::InterfaceUnsupported) {
        boxes.Report(OutcomeKind::InterfaceVersionUnsupported,
                     ErrorBox("agent interface version not support"),
                     SlotKey(lists, inMonitor, slot));
        return -1;
    }
    *target = SelectionTarget{slot, inMonitor};
    return 0;
}

}  // namespace vantelo
