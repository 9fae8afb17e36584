#pragma once

#include <bitset>
#include <functional>
#include <string_view>

#include "lists/ListModel.h"
#include "lists/ListRows.h"
#include "protocol/DeviceRecord.h"

namespace vantelo {

enum class ListId { Discovery, Monitor };

inline ColumnTable ColumnsOf(ListId list) {
    return list == ListId::Monitor ? ColumnTable(kMonitorColumnTable)
                                   : ColumnTable(kDiscoveryColumnTable);
}

using SlotSet = std::bitset<kTableSlots>;

// Told when a used monitor slot's agent is declared not alive (alive false), or comes back from
// not alive (alive true), whichever way the slot was written.
using LivenessListener = std::function<void(const DeviceRecord& record, bool alive)>;

// The two device tables, each with the list that shows it. Every change goes through here, so
// record and row stay in step by construction: the list's rows show exactly the table's used
// slots (from slot 0 on, as many as there are rows) and every slot after them is all zero.
class AgentLists {
public:
    AgentLists();
    AgentLists(const AgentLists&) = delete;
    AgentLists& operator=(const AgentLists&) = delete;

    const DeviceTable& DiscoveryTable() const { return discoveryTable_; }
    const DeviceTable& MonitorTable() const { return monitorTable_; }
    const ListModel& DiscoveryList() const { return discoveryList_; }
    const ListModel& MonitorList() const { return monitorList_; }
    const ListModel& List(ListId list) const;
    int DiscoveryCount() const { return discoveryList_.RowCount(); }
    int MonitorCount() const { return monitorList_.RowCount(); }

    // Writes record into slot and shows it: an existing row is rewritten; a record whose
    // rowState is 0 gets a new row, which must be the next unused slot. Any other slot is
    // refused (-1).
    int StoreDiscovery(int slot, const DeviceRecord& record);
    int StoreMonitor(int slot, const DeviceRecord& record);
    // Every discovery row and slot goes.
    void ClearDiscovery();
    // The discovery agent in slot, shown by macText, leaves both the table and the list.
    void RemoveDiscoveryAgent(int slot, std::string_view macText);
    // The monitor rows (ascending) and the slots chosen for them leave; the table closes up.
    void RemoveMonitorRows(const std::vector<int>& rows, const SlotSet& slots);

    // A trap from the agent in a used monitor slot: it is alive, its not-alive icon goes, and
    // its row is refreshed in place.
    void MarkMonitorAlive(int slot);
    // The liveness pass declares the agent in a used monitor slot not alive: the icon, and a
    // refresh of its row in place.
    void MarkMonitorNotAlive(int slot);

    // The poll bookkeeping of one monitor slot, and of every used one.
    void CountPollSent(int slot);
    void CountPollRound();

    // Selecting in one list clears the other's selection first (by the operator or the engine).
    void Select(ListId list, int row, bool selected);

    // A click on a column header: flips the direction shared by both lists, then sorts that
    // list's rows by the column: monitor column 0 by image index, every other column by its
    // text compared byte by byte. Tables and item data stay as they are. A column the list lacks
    // is ignored.
    void Sort(ListId list, int column);
    bool SortAscending() const { return sortAscending_; }
    int SortColumn() const { return sortColumn_; }

    // A view follows every change of the list.
    void Watch(ListId list, ListModel::Observer* observer);
    void WatchLiveness(LivenessListener listener) { liveness_ = std::move(listener); }

private:
    ListModel& MutableList(ListId list);
    void ClearOtherSelection(ListId selecting);
    void TellLiveness(int slot, bool alive);

    DeviceTable discoveryTable_{};
    DeviceTable monitorTable_{};
    ListModel discoveryList_{kDiscoveryColumns};
    ListModel monitorList_{kMonitorColumns};
    bool selectionRuleRunning_ = false;
    bool sortAscending_ = true;
    int sortColumn_ = 0;
    LivenessListener liveness_;
};

// The box shown when the monitor list has no room left.
inline constexpr const char* kMonitorListFull = "out of 256 device in monitor list";

}  // namespace vantelo
