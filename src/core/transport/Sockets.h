#pragma once

#include "console/ConsoleState.h"

namespace vantelo {

// Opens the socket on its port (the base port for the broadcast socket, the next one for the
// unicast socket) and routes each of its readable calls through the receive path. A socket
// that cannot be created or bound is reported and stays closed.
void OpenSocket(ConsoleState& state, SocketId socket);

// Closes the broadcast socket, then the unicast socket.
void CloseSockets(ConsoleState& state);

}  // namespace vantelo
