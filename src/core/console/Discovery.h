#pragma once

#include "console/ConsoleState.h"

namespace vantelo {

// Empties the discovery list and table and broadcasts one discovery request; the answers come
// in through the receive path.
void RunDiscovery(ConsoleState& state);

}  // namespace vantelo
