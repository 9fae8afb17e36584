#pragma once

#include <span>
#include <string>

#include "lists/ColumnTable.h"
#include "lists/ListModel.h"

namespace vantelo {

// CSV as RFC 4180 has it: fields separated by commas, records ended by CR LF, and a field that
// holds a comma, a quote, a CR or an LF put in quotes with each quote doubled. Every other byte
// is copied as it is: agents' texts are one byte a character (Latin-1), so nothing is decoded or
// re-encoded on the way.

// Appends one record of fields to out.
void AppendCsvRecord(std::string& out, std::span<const std::string> fields);

// A whole list: the column titles as the header record, then one record a row in the order the
// list shows its rows; an image column reads imageText of the row's image (see ShownCells).
std::string ListCsv(ColumnTable columns, const ListModel& list, const ImageText& imageText);

}  // namespace vantelo
