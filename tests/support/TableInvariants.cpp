#include "support/TableInvariants.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace vantelo::test {

namespace {

template <size_t N>
std::string FieldString(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

std::string Mismatch(const char* name, const DeviceTable& table, const ListModel& list,
                     int keyColumn, bool byIp) {
    int rows = list.RowCount();
    std::vector<std::string> shown;
    std::vector<std::string> stored;
    for (int i = 0; i < rows && i < kTableSlots; ++i) {
        shown.push_back(list.Text(i, keyColumn));
        const DeviceRecord& record = table[static_cast<size_t>(i)];
        stored.push_back(byIp ? FieldString(record.ipText) : FieldString(record.macText));
    }
    if (rows > kTableSlots) {
        return std::string(name) + " list has more than 256 rows";
    }
    std::sort(shown.begin(), shown.end());
    std::sort(stored.begin(), stored.end());
    if (shown != stored) {
        return std::string(name) + " rows do not show the used slots";
    }
    static const DeviceRecord kZero{};
    for (int slot = rows; slot < kTableSlots; ++slot) {
        if (std::memcmp(&table[static_cast<size_t>(slot)], &kZero, sizeof kZero) != 0) {
            return std::string(name) + " slot " + std::to_string(slot) +
                   " past the rows is not zero";
        }
    }
    return "";
}

}  // namespace

std::string TableListMismatch(Console& console) {
    std::string discovery =
        Mismatch("discovery", console.DiscoveryTable(), console.DiscoveryList(), 0, false);
    return discovery.empty()
               ? Mismatch("monitor", console.MonitorTable(), console.MonitorList(), 1, true)
               : discovery;
}

std::vector<std::string> ColumnTexts(const ListModel& list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.RowCount(); ++row) {
        texts.push_back(list.Text(row, column));
    }
    return texts;
}

}  // namespace vantelo::test
