#pragma once

#include "console/ConsoleState.h"

namespace vantelo {

// Keeps a selection in one list at a time through the lists' item-changing hooks: selecting in
// one list clears the other's selection first.
void InstallSelectionExclusivity(ConsoleState& state);

int CheckSelection(const ConsoleState& state);
int CheckVersion(const ConsoleState& state, ListId list, int* slotIndex);
int SelectTarget(ConsoleState& state);

}  // namespace vantelo
