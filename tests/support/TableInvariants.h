#pragma once

#include <string>
#include <vector>

#include "console/Console.h"

namespace vantelo::test {

// What ties each table to its list: the rows show exactly the used slots (the discovery list by
// MAC text, the monitor list by IP text) and every slot after them is all zero bytes. Returns
// an empty text when that holds, else what breaks it.
std::string TableListMismatch(Console& console);

// The texts of one column, row by row.
std::vector<std::string> ColumnTexts(const ListModel& list, int column);

}  // namespace vantelo::test
