#include "lists/AgentLists.h"

#include <string>

#include "protocol/DeviceTables.h"

namespace vantelo {

namespace {

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

// A stored record either rewrites a used slot or, with rowState 0, takes the next unused one.
bool CanStore(int slot, int count, const DeviceRecord& record) {
    if (record.rowState == kRowNotShown) {
        return slot == count && slot < kTableSlots;
    }
    return slot >= 0 && slot < count;
}

// -1, 0 or 1 as a is below, equal to or above b.
int CompareRows(const ListModel::RowView& a, const ListModel::RowView& b, bool byImage,
                int column) {
    if (byImage) {
        return (a.image > b.image) - (a.image < b.image);
    }
    // std::string compares as unsigned bytes, like the C library's strcmp.
    int order =
        (*a.texts)[static_cast<size_t>(column)].compare((*b.texts)[static_cast<size_t>(column)]);
    return (order > 0) - (order < 0);
}

}  // namespace

AgentLists::AgentLists() {
    // The hooks fire before a change is applied, so a nested run of the rule would still see the
    // other list selected and never end: the rule's own changes do not set it off again.
    discoveryList_.SetItemChangingHook([this](int) { ClearOtherSelection(ListId::Discovery); });
    monitorList_.SetItemChangingHook([this](int) { ClearOtherSelection(ListId::Monitor); });
}

const ListModel& AgentLists::List(ListId list) const {
    return list == ListId::Discovery ? discoveryList_ : monitorList_;
}

ListModel& AgentLists::MutableList(ListId list) {
    return list == ListId::Discovery ? discoveryList_ : monitorList_;
}

int AgentLists::StoreDiscovery(int slot, const DeviceRecord& record) {
    if (!CanStore(slot, DiscoveryCount(), record)) {
        return -1;
    }
    discoveryTable_[static_cast<size_t>(slot)] = record;
    ShowDiscoveryRow(discoveryTable_, discoveryList_, slot);
    return 0;
}

int AgentLists::StoreMonitor(int slot, const DeviceRecord& record) {
    if (!CanStore(slot, MonitorCount(), record)) {
        return -1;
    }
    // A new row has no earlier state to change from.
    bool cameBack = record.rowState != kRowNotShown && record.statusImage != kNotAliveImage &&
                    monitorTable_[static_cast<size_t>(slot)].statusImage == kNotAliveImage;
    monitorTable_[static_cast<size_t>(slot)] = record;
    ShowMonitorRow(monitorTable_, monitorList_, slot);
    if (cameBack) {
        TellLiveness(slot, true);
    }
    return 0;
}

void AgentLists::ClearDiscovery() {
    discoveryList_.DeleteAll();
    discoveryTable_.fill(DeviceRecord{});
}

void AgentLists::RemoveDiscoveryAgent(int slot, std::string_view macText) {
    if (slot < 0 || slot >= DiscoveryCount()) {
        return;
    }
    discoveryList_.DeleteRow(FindDiscoveryRow(discoveryList_, macText));
    SlotSet removed;
    removed[static_cast<size_t>(slot)] = true;
    RemoveSlots(discoveryTable_, removed);
}

void AgentLists::RemoveMonitorRows(const std::vector<int>& rows, const SlotSet& slots) {
    RemoveSlots(monitorTable_, slots);
    for (size_t k = 0; k < rows.size(); ++k) {
        monitorList_.DeleteRow(rows[k] - static_cast<int>(k));
    }
}

void AgentLists::MarkMonitorAlive(int slot) {
    if (slot < 0 || slot >= MonitorCount()) {
        return;
    }
    DeviceRecord& record = monitorTable_[static_cast<size_t>(slot)];
    bool wasNotAlive = record.statusImage == kNotAliveImage;
    record.statusImage = kNoImage;
    record.rowState = kRowShown;
    record.answered = 1;
    record.missedPolls = 0;
    ShowMonitorRow(monitorTable_, monitorList_, slot);
    if (wasNotAlive) {
        TellLiveness(slot, true);
    }
}

void AgentLists::MarkMonitorNotAlive(int slot) {
    if (slot < 0 || slot >= MonitorCount()) {
        return;
    }
    DeviceRecord& record = monitorTable_[static_cast<size_t>(slot)];
    bool wasNotAlive = record.statusImage == kNotAliveImage;
    record.rowState = kRowNotAlive;
    record.statusImage = kNotAliveImage;
    ShowMonitorRow(monitorTable_, monitorList_, slot);
    if (!wasNotAlive) {
        TellLiveness(slot, false);
    }
}

// Only a change of state is told: the liveness pass declares a silent agent at every pass.
void AgentLists::TellLiveness(int slot, bool alive) {
    if (liveness_) {
        liveness_(monitorTable_[static_cast<size_t>(slot)], alive);
    }
}

void AgentLists::CountPollSent(int slot) {
    if (slot >= 0 && slot < MonitorCount()) {
        vantelo::CountPollSent(monitorTable_, slot);
    }
}

void AgentLists::CountPollRound() {
    vantelo::CountPollRound(monitorTable_);
}

void AgentLists::Select(ListId list, int row, bool selected) {
    MutableList(list).SetSelected(row, selected);
}

// Selecting a discovery row clears the first selected monitor row; selecting a monitor row
// clears every selected discovery row.
void AgentLists::ClearOtherSelection(ListId selecting) {
    if (selectionRuleRunning_) {
        return;
    }
    selectionRuleRunning_ = true;
    if (selecting == ListId::Discovery) {
        monitorList_.SetSelected(monitorList_.FirstSelectedRow(), false);
    } else {
        for (int row : discoveryList_.SelectedRows()) {
            discoveryList_.SetSelected(row, false);
        }
    }
    selectionRuleRunning_ = false;
}

void AgentLists::Sort(ListId list, int column) {
    ListModel& rows = MutableList(list);
    if (column < 0 || column >= rows.ColumnCount()) {
        return;
    }
    sortAscending_ = !sortAscending_;
    sortColumn_ = column;
    bool byImage = ColumnsOf(list)[static_cast<size_t>(column)].field == CellField::Image;
    int direction = sortAscending_ ? 1 : -1;
    rows.Sort(
        [byImage, column, direction](const ListModel::RowView& a, const ListModel::RowView& b) {
            return CompareRows(a, b, byImage, column) * direction < 0;
        });
}

void AgentLists::Watch(ListId list, ListModel::Observer* observer) {
    MutableList(list).SetObserver(observer);
}

}  // namespace vantelo
