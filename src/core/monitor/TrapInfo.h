#pragma once

#include <string>

#include "lists/ColumnTable.h"
#include "lists/ListModel.h"
#include "monitor/TrapStore.h"
#include "ports/DialogRunner.h"

namespace vantelo {

// How the trap dialog last sorted. It lives as long as the console, so a new opening goes on
// from the last direction: the flag starts ascending and flips before each sort, so the first
// sort ever is descending.
struct TrapSortState {
    bool ascending = true;
    int column = 0;
};

// The text a cell of the trap list shows for entry (kTrapColumnTable); empty for the read mark
// and the blank column.
std::string TrapCellText(const TrapEntry& entry, CellField field);

// The trap dialog's rows, made from the store when it opens: oldest first, up to the first
// empty event text. Each row's item data is the arrival number of the trap it shows, so a click
// marks that trap however the rows were sorted and whatever arrived since.
void FillTrapRows(const TrapStore& store, ListModel& rows);

// A click on the list: the trap the first selected row shows is marked read and its row loses
// the unread image, staying selected. Without a selected row nothing changes.
void MarkClickedTrap(TrapStore& store, ListModel& rows);

// A click on a column heading: the direction flips; column 0 sorts by image, 1 to 3 by text
// byte by byte, column 4 sorts nothing.
void SortTrapRows(ListModel& rows, int column, TrapSortState& sort);

// Clear all: no row, and the store empty with its count at 0.
void ClearTraps(TrapStore& store, ListModel& rows);

// The "Trap information" dialog on these rows, store and sort state.
DialogRequest TrapInfoRequest(TrapStore& store, ListModel& rows, TrapSortState& sort);

}  // namespace vantelo
