#include "lists/ListRows.h"

#include <array>
#include <string>
#include <vector>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr size_t kMacKeyLength = 12;

// The ten texts of a record in the discovery list's column order.
using RecordTexts = std::vector<std::string>;

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

// The monitor list shows the same texts one column further right, IP before MAC; column 0
// holds only the status image.
constexpr std::array<int, kDiscoveryColumns> kMonitorColumnOf = {2, 1, 3, 4, 5, 6, 7, 8, 9, 10};

std::vector<std::string> MonitorTexts(RecordTexts texts) {
    std::vector<std::string> row(kMonitorColumns);
    for (size_t i = 0; i < texts.size(); ++i) {
        row[static_cast<size_t>(kMonitorColumnOf[i])] = std::move(texts[i]);
    }
    return row;
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

void ShowDiscoveryRow(const DeviceTable& table, ListModel& list, int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    const DeviceRecord& record = table[static_cast<size_t>(slot)];
    RecordTexts texts = TextsOf(record);
    if (record.rowState == kRowNotShown) {
        list.InsertRow(slot, kNoImage, slot, std::move(texts));
    } else if (record.rowState == kRowShown) {
        const int row = FindRow(list, 0, texts[0]);
        list.SetTexts(row, std::move(texts));
    }
}

void ShowMonitorRow(const DeviceTable& table, ListModel& list, int slot) {
    if (!IsSlot(slot)) {
        return;
    }
    const DeviceRecord& record = table[static_cast<size_t>(slot)];
    if (record.rowState == kRowNotShown) {
        list.InsertRow(slot, record.statusImage, slot, MonitorTexts(TextsOf(record)));
    } else {
        const int row = FindMonitorRow(list, record);
        list.SetImage(row, record.statusImage);
        list.SetTexts(row, MonitorTexts(TextsOf(record)));
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
