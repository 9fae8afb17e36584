#include "lists/Selection.h"

#include <string>

#include "protocol/DeviceTables.h"

namespace vantelo {

namespace {

constexpr size_t kMacKeyLength = 12;

// The rule's own changes do not set it off again: both hooks fire before a change is applied,
// so a nested call would still see the other list selected and never end.
template <typename Change>
void RunSelectionRule(ConsoleState& state, Change change) {
    if (state.selectionRuleRunning) {
        return;
    }
    state.selectionRuleRunning = true;
    change();
    state.selectionRuleRunning = false;
}

void ClearFirstMonitorSelection(ConsoleState& state) {
    RunSelectionRule(state, [&state] {
        int row = state.monitorList.FirstSelectedRow();
        if (row >= 0) {
            state.monitorList.SetSelected(row, false);
        }
    });
}

void ClearDiscoverySelection(ConsoleState& state) {
    RunSelectionRule(state, [&state] {
        for (int row : state.discoveryList.SelectedRows()) {
            state.discoveryList.SetSelected(row, false);
        }
    });
}

int VersionCode(const DeviceRecord& record) {
    if (record.protocolVersion != kProtocolVersion) {
        return kVersionProtocolUnsupported;
    }
    if (record.interfaceVersion > 2) {
        return kVersionInterfaceUnsupported;
    }
    return record.interfaceVersion < 2 ? kVersionOlderInterface : kVersionSupported;
}

}  // namespace

void InstallSelectionExclusivity(ConsoleState& state) {
    state.discoveryList.SetItemChangingHook([&state](int) { ClearFirstMonitorSelection(state); });
    state.monitorList.SetItemChangingHook([&state](int) { ClearDiscoverySelection(state); });
}

int CheckSelection(const ConsoleState& state) {
    int discovery = state.discoveryList.SelectedCount();
    int monitor = state.monitorList.SelectedCount();
    if (discovery > 1 || monitor > 1) {
        return kSelectionSeveral;
    }
    if (discovery == 0 && monitor == 0) {
        return kSelectionNone;
    }
    return discovery == 1 ? kSelectionDiscovery : kSelectionMonitor;
}

int CheckVersion(const ConsoleState& state, ListId list, int* slotIndex) {
    TableLookup lookup{};
    const DeviceTable* table = nullptr;
    if (list == ListId::Discovery) {
        const ListModel& rows = state.discoveryList;
        std::string key = rows.Text(rows.FirstSelectedRow(), 0).substr(0, kMacKeyLength);
        lookup = FindInDiscoveryTable(state.discoveryTable, rows.RowCount(), key, false);
        table = &state.discoveryTable;
    } else {
        const ListModel& rows = state.monitorList;
        lookup = FindInMonitorTable(state.monitorTable, rows.RowCount(),
                                    rows.Text(rows.FirstSelectedRow(), 1), true);
        table = &state.monitorTable;
    }
    if (!lookup.found) {
        *slotIndex = -1;
        return kVersionProtocolUnsupported;
    }
    *slotIndex = lookup.index;
    return VersionCode((*table)[static_cast<size_t>(lookup.index)]);
}

int SelectTarget(ConsoleState& state) {
    int selection = CheckSelection(state);
    const char* refusal = selection == kSelectionSeveral ? "Only one device can be selected"
                          : selection == kSelectionNone  ? "Please select one device"
                                                         : nullptr;
    bool inMonitor = selection == kSelectionMonitor;
    int slot = -1;
    if (refusal == nullptr) {
        int version = CheckVersion(state, inMonitor ? ListId::Monitor : ListId::Discovery, &slot);
        refusal = version == kVersionProtocolUnsupported    ? "agent protocol version not support"
                  : version == kVersionInterfaceUnsupported ? "agent interface version not support"
                                                            : nullptr;
    }
    if (refusal != nullptr) {
        ShowBox(state, refusal);
        return -1;
    }
    state.currentSelection = SelectionTarget{slot, inMonitor};
    return 0;
}

}  // namespace vantelo
