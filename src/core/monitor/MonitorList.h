#pragma once

#include <cstdint>

#include "console/ConsoleState.h"

namespace vantelo {

inline constexpr const char* kMonitorListFull = "out of 256 device in monitor list";

// "Add to monitor list": moves the selected discovery agents to the end of the monitor list.
void AddToMonitorList(ConsoleState& state);

// A double click in the discovery list: moves the one selected agent.
void MoveDoubleClicked(ConsoleState& state);

// "Add item": runs the Remote IP dialog for a new entry at the end of the monitor list.
void AddItem(ConsoleState& state);

// The Remote IP dialog's Apply: 0 when the address is taken, -1 after "IP address is illegal".
int ApplyRemoteIp(ConsoleState& state, uint32_t address);

// "Delete item": removes the selected monitor rows and their slots after a confirmation.
void DeleteItem(ConsoleState& state);

}  // namespace vantelo
