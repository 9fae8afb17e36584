#pragma once

#include <string_view>

#include "lists/ColumnTable.h"
#include "lists/ListModel.h"
#include "protocol/DeviceRecord.h"

namespace vantelo {

// Shows discovery slot `slot` of table in list: inserts its row when the slot's rowState is 0,
// otherwise rewrites the row that shows its MAC text.
void ShowDiscoveryRow(const DeviceTable& table, ListModel& list, int slot);

// Shows monitor slot `slot` of table in list: inserts its row when the slot's rowState is 0,
// otherwise refreshes the row that shows its IP text (or else its MAC text) in place, which is
// how the status image changes; the row keeps its selection. Every monitor row's item data
// becomes its position.
void ShowMonitorRow(const DeviceTable& table, ListModel& list, int slot);

// The first discovery row, up to the position just past the last, whose MAC text agrees with
// macText in its first 12 characters; RowCount() + 1 when none does.
int FindDiscoveryRow(const ListModel& discoveryList, std::string_view macText);

}  // namespace vantelo
