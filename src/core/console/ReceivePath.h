#pragma once

#include "console/ConsoleState.h"

namespace vantelo {

// Reads one datagram from the socket and takes it through every check to its end: dropped,
// reported, handed to the trap handler, acknowledging an upgrade trigger, or stored in one of
// the two tables and shown in its list.
void ReceiveDatagram(ConsoleState& state, SocketId socket);

}  // namespace vantelo
