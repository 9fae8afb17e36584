#include "monitor/MonitorList.h"

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListRows.h"
#include "protocol/Conversions.h"
#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"
#include "settings/AddressRules.h"

namespace vantelo {

namespace {

using SlotSet = std::bitset<kTableSlots>;

// Closes a table up behind the removed slots: the others keep their order from slot 0 on and
// every slot after them becomes zero.
void RemoveSlots(DeviceTable& table, const SlotSet& removed) {
    size_t to = 0;
    for (size_t from = 0; from < table.size(); ++from) {
        if (removed[from]) {
            continue;
        }
        if (to != from) {
            table[to] = table[from];
        }
        ++to;
    }
    for (; to < table.size(); ++to) {
        table[to] = DeviceRecord{};
    }
}

int CountSharingIp(const ConsoleState& state, uint32_t ip) {
    int sharing = 0;
    for (int slot = 0; slot < state.DiscoveryCount(); ++slot) {
        sharing += state.discoveryTable[static_cast<size_t>(slot)].ip == ip ? 1 : 0;
    }
    return sharing;
}

enum class MoveResult { Moved, Gone, Duplicate, MonitorFull };

// Moves the discovery agent with this MAC text to the end of the monitor list unless its
// address is taken. The discovery table closes up at once, so that it matches its list again
// before anything else, a box's event loop included, can see it.
MoveResult MoveToMonitor(ConsoleState& state, const std::string& macText) {
    TableLookup source =
        FindInDiscoveryTable(state.discoveryTable, state.DiscoveryCount(), macText, false);
    if (!source.found) {
        return MoveResult::Gone;
    }
    const DeviceRecord& record = state.discoveryTable[static_cast<size_t>(source.index)];
    TableLookup target =
        FindInMonitorTable(state.monitorTable, state.MonitorCount(), TextOf(record.ipText), true);
    if (target.found || CountSharingIp(state, record.ip) >= 2) {
        ShowBox(state, "Duplicate ip ", "Add fail");
        return MoveResult::Duplicate;
    }
    if (target.index >= kTableSlots) {
        return MoveResult::MonitorFull;
    }
    DeviceRecord& moved = state.monitorTable[static_cast<size_t>(target.index)];
    moved = record;
    moved.statusImage = kNoImage;
    moved.rowState = kRowNotShown;
    ShowMonitorRow(state, target.index);
    state.discoveryList.DeleteRow(FindDiscoveryRow(state.discoveryList, macText));
    SlotSet removed;
    removed[static_cast<size_t>(source.index)] = true;
    RemoveSlots(state.discoveryTable, removed);
    return MoveResult::Moved;
}

// The first monitor slot showing ipText that is not already chosen for removal; -1 when none.
int FindSlotToRemove(const ConsoleState& state, std::string_view ipText, const SlotSet& chosen) {
    for (int slot = 0; slot < state.MonitorCount(); ++slot) {
        if (!chosen[static_cast<size_t>(slot)] &&
            TextOf(state.monitorTable[static_cast<size_t>(slot)].ipText) == ipText) {
            return slot;
        }
    }
    return -1;
}

}  // namespace

void AddToMonitorList(ConsoleState& state) {
    // Agents are collected by key text: slots move up as agents leave the table.
    std::vector<std::string> macTexts;
    for (int row : state.discoveryList.SelectedRows()) {
        if (macTexts.size() < kTableSlots) {
            macTexts.emplace_back(state.discoveryList.Text(row, 0));
        }
    }
    for (const std::string& macText : macTexts) {
        if (MoveToMonitor(state, macText) == MoveResult::MonitorFull) {
            ShowBox(state, kMonitorListFull);
            return;
        }
    }
}

void MoveDoubleClicked(ConsoleState& state) {
    if (state.discoveryList.SelectedCount() == 1) {
        AddToMonitorList(state);
    }
}

void AddItem(ConsoleState& state) {
    int slot = state.MonitorCount();
    if (slot >= kTableSlots) {
        ShowBox(state, kMonitorListFull);
        return;
    }
    state.pendingIndex = slot;
    bool applied = state.ports.dialogs->RunAddRemoteIp();
    state.pendingIndex = -1;
    DeviceRecord& added = state.monitorTable[static_cast<size_t>(slot)];
    if (!applied) {
        added = DeviceRecord{};
        return;
    }
    std::string_view ipText = TextOf(added.ipText);
    if (FindInMonitorTable(state.monitorTable, slot, ipText, true).found ||
        FindInDiscoveryTable(state.discoveryTable, state.DiscoveryCount(), ipText, true).found) {
        added = DeviceRecord{};
        ShowBox(state, "Duplicate IP in monitor list or discovery list");
        return;
    }
    ShowMonitorRow(state, slot);
}

int ApplyRemoteIp(ConsoleState& state, uint32_t address) {
    if (state.pendingIndex < 0) {
        return -1;
    }
    if (address == 0 || !IsLegalHostIp(address)) {
        ShowBox(state, "IP address is illegal", " Error", BoxIcon::Error, BoxOwner::Dialog);
        return -1;
    }
    DeviceRecord& added = state.monitorTable[static_cast<size_t>(state.pendingIndex)];
    added = DeviceRecord{};
    SetAddressField(address, &added.ip, added.ipText);
    added.deviceTypeId = kHandAddedDeviceTypeId;
    added.rowState = kRowNotShown;
    added.statusImage = kNoImage;
    return 0;
}

void DeleteItem(ConsoleState& state) {
    std::vector<int> rows = state.monitorList.SelectedRows();
    if (rows.empty()) {
        return;
    }
    if (ShowBox(state, "Are you sure to delete this item ?", "Warning", BoxIcon::Warning,
                BoxOwner::MainWindow, BoxButtons::OkCancel) != BoxAnswer::Ok) {
        return;
    }
    SlotSet removed;
    for (int row : rows) {
        int slot = FindSlotToRemove(state, state.monitorList.Text(row, 1), removed);
        if (slot >= 0) {
            removed[static_cast<size_t>(slot)] = true;
        }
    }
    RemoveSlots(state.monitorTable, removed);
    for (size_t k = 0; k < rows.size(); ++k) {
        state.monitorList.DeleteRow(rows[k] - static_cast<int>(k));
    }
}

}  // namespace vantelo
