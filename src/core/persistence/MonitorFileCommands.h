#pragma once

#include "console/ConsoleState.h"

namespace vantelo {

// The monitor list files as the console's commands use them.

// Start-up: fills the empty monitor list from monitor.cfg in the configuration directory.
void LoadMonitorListAtStartup(ConsoleState& state);

// "Monitor save": writes the monitor list to monitor.cfg; a box only when that fails.
void SaveMonitorList(ConsoleState& state);

// "Monitor save as": writes the monitor list to a file the operator chooses; a box only when
// that fails.
void SaveMonitorListAs(ConsoleState& state);

// "Monitor load": appends the records of a file the operator chooses, skipping duplicates.
void LoadMonitorList(ConsoleState& state);

}  // namespace vantelo
