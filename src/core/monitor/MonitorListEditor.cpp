#include "monitor/MonitorListEditor.h"

#include <string_view>
#include <vector>

#include "protocol/AgentKeyOf.h"
#include "protocol/Conversions.h"
#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"
#include "settings/AddressRules.h"

namespace vantelo {

namespace {

// The first monitor slot showing ipText that is not already chosen for removal; -1 when none.
int FindSlotToRemove(const AgentLists& lists, std::string_view ipText, const SlotSet& chosen) {
    for (int slot = 0; slot < lists.MonitorCount(); ++slot) {
        if (!chosen[static_cast<size_t>(slot)] &&
            TextOf(lists.MonitorTable()[static_cast<size_t>(slot)].ipText) == ipText) {
            return slot;
        }
    }
    return -1;
}

// An address control left blank or holding no address reads as 0.0.0.0.
uint32_t AddressField(const DialogFields& fields, ControlId control) {
    auto field = fields.find(control);
    uint32_t address = 0;
    if (field == fields.end() || TextToIp(field->second, &address) != 0) {
        return 0;
    }
    return address;
}

}  // namespace

int MonitorListEditor::CountSharingIp(uint32_t ip) const {
    int sharing = 0;
    for (int slot = 0; slot < lists_.DiscoveryCount(); ++slot) {
        sharing += lists_.DiscoveryTable()[static_cast<size_t>(slot)].ip == ip ? 1 : 0;
    }
    return sharing;
}

// Moves the discovery agent with this MAC text to the end of the monitor list unless its
// address is taken. The discovery table closes up at once, so that it matches its list again
// before anything else, a box's event loop included, can see it.
MonitorListEditor::MoveResult MonitorListEditor::MoveToMonitor(const std::string& macText) {
    TableLookup source =
        FindInDiscoveryTable(lists_.DiscoveryTable(), lists_.DiscoveryCount(), macText, false);
    if (!source.found) {
        return MoveResult::Gone;
    }
    DeviceRecord moved = lists_.DiscoveryTable()[static_cast<size_t>(source.index)];
    TableLookup target = FindInMonitorTable(lists_.MonitorTable(), lists_.MonitorCount(),
                                            TextOf(moved.ipText), true);
    if (target.found || CountSharingIp(moved.ip) >= 2) {
        boxes_.Report(OutcomeKind::DuplicateRefused, ErrorBox("Duplicate ip ", "Add fail"),
                      KeyOf(moved));
        return MoveResult::Duplicate;
    }
    moved.statusImage = kNoImage;
    moved.rowState = kRowNotShown;
    if (lists_.StoreMonitor(target.index, moved) != 0) {
        return MoveResult::MonitorFull;
    }
    lists_.RemoveDiscoveryAgent(source.index, macText);
    return MoveResult::Moved;
}

void MonitorListEditor::AddToMonitorList() {
    // Agents are collected by key text: slots move up as agents leave the table.
    std::vector<std::string> macTexts;
    const ListModel& discovery = lists_.DiscoveryList();
    for (int row : discovery.SelectedRows()) {
        if (macTexts.size() < kTableSlots) {
            macTexts.emplace_back(discovery.Text(row, 0));
        }
    }
    for (const std::string& macText : macTexts) {
        if (MoveToMonitor(macText) == MoveResult::MonitorFull) {
            boxes_.Report(OutcomeKind::MonitorListFull, ErrorBox(kMonitorListFull));
            return;
        }
    }
}

void MonitorListEditor::MoveDoubleClicked() {
    if (lists_.DiscoveryList().SelectedCount() == 1) {
        AddToMonitorList();
    }
}

// The Remote IP dialog's Apply: takes the address (0) or refuses it with a box owned by the
// dialog, which stays open (-1).
int MonitorListEditor::ApplyRemoteIp(const DialogFields& fields, DeviceRecord* added) {
    uint32_t address = AddressField(fields, ControlId::RemoteIpAddress);
    if (address == 0 || !IsLegalHostIp(address)) {
        boxes_.Report(OutcomeKind::IllegalAddress,
                      MessageBoxRequest{"IP address is illegal", " Error", BoxIcon::Error,
                                        BoxButtons::Ok, BoxOwner::Dialog});
        return -1;
    }
    *added = DeviceRecord{};
    SetAddressField(address, &added->ip, added->ipText);
    added->deviceTypeId = kHandAddedDeviceTypeId;
    added->rowState = kRowNotShown;
    added->statusImage = kNoImage;
    return 0;
}

// The entry is built aside while the dialog is open and joins the list only once accepted.
void MonitorListEditor::AddItem() {
    if (lists_.MonitorCount() >= kTableSlots) {
        boxes_.Report(OutcomeKind::MonitorListFull, ErrorBox(kMonitorListFull));
        return;
    }
    DeviceRecord added{};
    DialogRequest request{DialogId::RemoteIp, {}, {}, {}, {}};
    request.buttons[ControlId::RemoteIpApply] = [this, &added](const DialogFields& fields) {
        return ApplyRemoteIp(fields, &added);
    };
    if (!dialogs_.Run(request)) {
        return;
    }
    std::string_view ipText = TextOf(added.ipText);
    int count = lists_.MonitorCount();
    if (FindInMonitorTable(lists_.MonitorTable(), count, ipText, true).found ||
        FindInDiscoveryTable(lists_.DiscoveryTable(), lists_.DiscoveryCount(), ipText, true)
            .found) {
        boxes_.Report(OutcomeKind::DuplicateRefused,
                      ErrorBox("Duplicate IP in monitor list or discovery list"), KeyOf(added));
        return;
    }
    if (lists_.StoreMonitor(count, added) != 0) {
        boxes_.Report(OutcomeKind::MonitorListFull, ErrorBox(kMonitorListFull));
    }
}

void MonitorListEditor::DeleteItem() {
    if (lists_.MonitorList().SelectedCount() == 0) {
        return;
    }
    if (boxes_.Ask(MessageBoxRequest{"Are you sure to delete this item ?", "Warning",
                                     BoxIcon::Warning, BoxButtons::OkCancel,
                                     BoxOwner::MainWindow}) != BoxAnswer::Ok) {
        return;
    }
    // The box let datagrams in: the rows are read once it has closed.
    std::vector<int> rows = lists_.MonitorList().SelectedRows();
    SlotSet removed;
    std::vector<AgentKey> deleted;
    for (int row : rows) {
        int slot = FindSlotToRemove(lists_, lists_.MonitorList().Text(row, 1), removed);
        if (slot >= 0) {
            removed[static_cast<size_t>(slot)] = true;
            deleted.push_back(KeyOf(lists_.MonitorTable()[static_cast<size_t>(slot)]));
        }
    }
    lists_.RemoveMonitorRows(rows, removed);
    for (AgentKey& agent : deleted) {
        boxes_.Tell(Outcome{OutcomeKind::EntryDeleted, "", std::move(agent)});
    }
}

}  // namespace vantelo
