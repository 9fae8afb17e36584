#pragma once

#include <cstddef>
#include <cstdint>

#include "console/ConsoleState.h"

namespace vantelo {

// The places where monitoring and device settings join the console. Until that work arrives
// they do nothing; the receive path and the start-up already call them where they belong.

// A trap from an agent: the whole datagram and its received length.
void HandleTrap(ConsoleState& state, const uint8_t* datagram, size_t length);

// The last step of storing a reply: tells the operator when it answers the pending set request.
void ConfirmSetReply(ConsoleState& state);

// Start-up, after both sockets exist: the polling round, then the 5 s liveness timer.
void StartPolling(ConsoleState& state);
void StartLivenessTimer(ConsoleState& state);

}  // namespace vantelo
