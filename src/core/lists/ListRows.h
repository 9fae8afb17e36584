#pragma once

#include <string_view>

#include "console/ConsoleState.h"

namespace vantelo {

// Shows discovery slot `slot` in the discovery list: inserts its row when the slot's rowState
// is 0, otherwise rewrites the row that shows its MAC text.
void ShowDiscoveryRow(ConsoleState& state, int slot);

// Shows monitor slot `slot` in the monitor list: inserts its row when the slot's rowState is 0,
// otherwise replaces the row that shows its IP text (or else its MAC text) at the same position,
// which is how the status image changes. Every monitor row's item data becomes its position.
void ShowMonitorRow(ConsoleState& state, int slot);

// The first discovery row, up to the position just past the last, whose MAC text agrees with
// macText in its first 12 characters; RowCount() + 1 when none does.
int FindDiscoveryRow(const ListModel& discoveryList, std::string_view macText);

}  // namespace vantelo
