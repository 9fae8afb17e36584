#include "lists/Csv.h"

#include <string_view>

namespace vantelo {

namespace {

void AppendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

}  // namespace

void AppendCsvRecord(std::string& out, std::span<const std::string> fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendField(out, fields[i]);
    }
    out += "\r\n";
}

std::string ListCsv(ColumnTable columns, const ListModel& list, const ImageText& imageText) {
    std::string out;
    AppendCsvRecord(out, Titles(columns));
    for (int row = 0; row < list.RowCount(); ++row) {
        AppendCsvRecord(out, ShownCells(columns, list, row, imageText));
    }
    return out;
}

}  // namespace vantelo
