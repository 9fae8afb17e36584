#pragma once

#include "console/ConsoleState.h"

namespace vantelo {

// A click on a column header: flips the direction shared by both lists, then sorts that list's
// rows by the column: monitor column 0 by image index, every other column by its text compared
// byte by byte. Tables and item data stay as they are. A column the list lacks is ignored.
void SortList(ConsoleState& state, ListId list, int column);

}  // namespace vantelo
