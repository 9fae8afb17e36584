#include "lists/ListRows.h"

#include <string>
#include <vector>

#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr size_t kMacKeyLength = 12;

// The first existing row whose column text equals text; -1 when none does.
int FindRow(const ListModel& list, int column, std::string_view text) {
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.Text(row, column) == text) {
            return row;
        }
    }
    return -1;
}

int FindMonitorRow(const ListModel& list, const DeviceRecord& record) {
    int row = FindRow(list, 1, TextOf(record.ipText));
    if (row < 0 && record.macText[0] != '\0') {
        row = FindRow(list, 2, TextOf(record.macText));
    }
    return row;
}

bool IsSlot(int slot) {
    return slot >= 0 && slot < kTableSlots;
}

}  // namespace

void ShowDiscoveryRow(const DeviceTable& table, ListModel& list, int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    const DeviceRecord& record = table[static_cast<size_t>(slot)];
    std::vector<std::string> texts = RecordCells(kDiscoveryColumnTable, record);
    if (record.rowState == kRowNotShown) {
        list.InsertRow(slot, kNoImage, slot, std::move(texts));
    } else if (record.rowState == kRowShown) {
        const int row = FindRow(list, 0, TextOf(record.macText));
        list.SetTexts(row, std::move(texts));
    }
}

void ShowMonitorRow(const DeviceTable& table, ListModel& list, int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    const DeviceRecord& record = table[static_cast<size_t>(slot)];
    if (record.rowState == kRowNotShown) {
        list.InsertRow(slot, record.statusImage, slot, RecordCells(kMonitorColumnTable, record));
    } else {
        const int row = FindMonitorRow(list, record);
        list.SetImage(row, record.statusImage);
        list.SetTexts(row, RecordCells(kMonitorColumnTable, record));
    }
    for (int position = 0; position < list.RowCount(); ++position) {
        list.SetItemData(position, position);
    }
}

int FindDiscoveryRow(const ListModel& discoveryList, std::string_view macText) {
    std::string_view key = macText.substr(0, kMacKeyLength);
    for (int row = 0; row <= discoveryList.RowCount(); ++row) {
        std::string_view text = discoveryList.Text(row, 0);
        if (text.substr(0, kMacKeyLength) == key) {
            return row;
        }
    }
    return discoveryList.RowCount() + 1;
}

}  // namespace vantelo
