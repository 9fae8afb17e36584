#include "monitor/TrapInfo.h"

#include <string>

#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr int kImageColumn = 0;
constexpr int kBlankColumn = 4;

int Compare(const ListModel::RowView& a, const ListModel::RowView& b, int column) {
    if (column == kImageColumn) {
        return (a.image > b.image) - (a.image < b.image);
    }
    // std::string compares as unsigned bytes, like the C library's strcmp.
    int order =
        (*a.texts)[static_cast<size_t>(column)].compare((*b.texts)[static_cast<size_t>(column)]);
    return (order > 0) - (order < 0);
}

}  // namespace

void FillTrapRows(const TrapStore& store, ListModel& rows) {
    rows.DeleteAll();
    for (int slot = 0; slot < TrapStore::kSlots; ++slot) {
        const TrapEntry& entry = store.Slot(slot);
        if (entry.event[0] == '\0') {
            break;
        }
        rows.InsertRow(slot, entry.readMark, static_cast<long>(store.SequenceOf(slot)),
                       {"", std::string(TextOf(entry.time)), std::string(TextOf(entry.agent)),
                        std::string(TextOf(entry.event))});
    }
}

void MarkClickedTrap(TrapStore& store, ListModel& rows) {
    int row = rows.FirstSelectedRow();
    if (row < 0) {
        return;
    }
    store.MarkRead(static_cast<uint32_t>(rows.ItemData(row)));
    rows.SetImage(row, kTrapRead);
}

void SortTrapRows(ListModel& rows, int column, TrapSortState& sort) {
    if (column < 0 || column >= kTrapColumns) {
        return;
    }
    sort.ascending = !sort.ascending;
    if (column == kBlankColumn) {
        return;
    }
    sort.column = column;
    int direction = sort.ascending ? 1 : -1;
    rows.Sort([column, direction](const ListModel::RowView& a, const ListModel::RowView& b) {
        return Compare(a, b, column) * direction < 0;
    });
}

void ClearTraps(TrapStore& store, ListModel& rows) {
    rows.DeleteAll();
    store.Clear();
}

DialogRequest TrapInfoRequest(TrapStore& store, ListModel& rows, TrapSortState& sort) {
    DialogRequest request{DialogId::TrapInfo, {}, {}, {}, {}};
    request.buttons[ControlId::TrapOk] = [](const DialogFields&) { return 0; };
    request.buttons[ControlId::TrapClearAll] = [&store, &rows](const DialogFields&) {
        ClearTraps(store, rows);
        return -1;
    };
    request.list = DialogList{ControlId::TrapList, &rows,
                              [&rows](int row, bool selected) { rows.SetSelected(row, selected); },
                              [&store, &rows] { MarkClickedTrap(store, rows); },
                              [&rows, &sort](int column) { SortTrapRows(rows, column, sort); }};
    return request;
}

}  // namespace vantelo
