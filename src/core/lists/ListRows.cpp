#include "lists/ListRows.h"

#include <array>
#include <string>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr size_t kMacKeyLength = 12;

// The ten texts of a record in the discovery list's column order.
using RecordTexts = std::array<std::string, kDiscoveryColumns>;

std::string DhcpText(uint16_t dhcp) {
    if (dhcp == kDhcpNotReported) {
        return "";
    }
    return dhcp == 0 ? "disable" : "enable";
}

RecordTexts TextsOf(const DeviceRecord& record) {
    return {std::string(TextOf(record.macText)),
            std::string(TextOf(record.ipText)),
            VersionText(record.protocolVersion, record.direction, record.interfaceVersion),
            std::string(TextOf(record.productName)),
            std::string(TextOf(record.systemName)),
            DhcpText(record.dhcp),
            std::string(TextOf(record.location)),
            std::string(TextOf(record.trapIpText)),
            std::string(TextOf(record.subnetMaskText)),
            std::string(TextOf(record.gatewayText))};
}

// The monitor list shows the same texts one column further right, IP before MAC.
constexpr std::array<int, kDiscoveryColumns> kMonitorColumnOf = {2, 1, 3, 4, 5, 6, 7, 8, 9, 10};

void SetMonitorTexts(ListModel& list, int row, const RecordTexts& texts) {
    for (int i = 0; i < kDiscoveryColumns; ++i) {
        list.SetText(row, kMonitorColumnOf[static_cast<size_t>(i)], texts[static_cast<size_t>(i)]);
    }
}

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

void ShowDiscoveryRow(ConsoleState& state, int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    const DeviceRecord& record = state.discoveryTable[static_cast<size_t>(slot)];
    ListModel& list = state.discoveryList;
    RecordTexts texts = TextsOf(record);
    int row = -1;
    if (record.rowState == kRowNotShown) {
        row = list.InsertRow(slot, kNoImage, slot);
    } else if (record.rowState == kRowShown) {
        row = FindRow(list, 0, texts[0]);
    }
    if (row < 0) {
        return;
    }
    for (int column = 0; column < kDiscoveryColumns; ++column) {
        list.SetText(row, column, texts[static_cast<size_t>(column)]);
    }
}

void ShowMonitorRow(ConsoleState& state, int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    const DeviceRecord& record = state.monitorTable[static_cast<size_t>(slot)];
    ListModel& list = state.monitorList;
    int row = -1;
    if (record.rowState == kRowNotShown) {
        row = list.InsertRow(slot, record.statusImage, slot);
    } else {
        row = FindMonitorRow(list, record);
        if (row >= 0) {
            long itemData = list.ItemData(row);
            list.DeleteRow(row);
            list.InsertRow(row, record.statusImage, itemData);
        }
    }
    if (row >= 0) {
        SetMonitorTexts(list, row, TextsOf(record));
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
