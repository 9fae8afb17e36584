#include "monitor/TrapInfo.h"

#include <string>
#include <vector>

#include "protocol/RecordText.h"

namespace vantelo {

namespace {

CellField FieldOf(int column) {
    return kTrapColumnTable[static_cast<size_t>(column)].field;
}

int Compare(const ListModel::RowView& a, const ListModel::RowView& b, int column) {
    if (FieldOf(column) == CellField::Image) {
        return (a.image > b.image) - (a.image < b.image);
    }
    // std::string compares as unsigned bytes, like the C library's strcmp.
    int order =
        (*a.texts)[static_cast<size_t>(column)].compare((*b.texts)[static_cast<size_t>(column)]);
    return (order > 0) - (order < 0);
}

}  // namespace

std::string TrapCellText(const TrapEntry& entry, CellField field) {
    switch (field) {
        case CellField::TrapTime:
            return std::string(TextOf(entry.time));
        case CellField::TrapAgent:
            return std::string(TextOf(entry.agent));
        case CellField::TrapEvent:
            return std::string(TextOf(entry.event));
        default:
            return "";
    }
}

void FillTrapRows(const TrapStore& store, ListModel& rows) {
    rows.DeleteAll();
    for (int slot = 0; slot < TrapStore::kSlots; ++slot) {
        const TrapEntry& entry = store.Slot(slot);
        if (entry.event[0] == '\0') {
            break;
        }
        std::vector<std::string> texts;
        for (const ListColumn& column : kTrapColumnTable) {
            texts.push_back(TrapCellText(entry, column.field));
        }
        rows.InsertRow(slot, entry.readMark, static_cast<long>(store.SequenceOf(slot)),
                       std::move(texts));
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
    if (FieldOf(column) == CellField::Nothing) {
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
