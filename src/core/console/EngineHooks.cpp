#include "console/EngineHooks.h"

namespace vantelo {

void HandleTrap(ConsoleState&, const uint8_t*, size_t) {}

void ConfirmSetReply(ConsoleState&) {}

void StartPolling(ConsoleState&) {}

void StartLivenessTimer(ConsoleState&) {}

}  // namespace vantelo
