#include "protocol/DeviceTables.h"

#include <cstring>

namespace vantelo {

namespace {

std::string_view FieldText(const char* field, size_t capacity) {
    return std::string_view(field, strnlen(field, capacity));
}

std::string_view KeyField(const DeviceRecord& record, bool byIp) {
    return byIp ? FieldText(record.ipText, sizeof record.ipText)
                : FieldText(record.macText, sizeof record.macText);
}

int ClampCount(int itemCount) {
    if (itemCount < 0) {
        return 0;
    }
    return itemCount > kTableSlots ? kTableSlots : itemCount;
}

}  // namespace

TableLookup FindInDiscoveryTable(const DeviceTable& table, int itemCount, std::string_view key,
                                 bool byIp) {
    int count = ClampCount(itemCount);
    for (int i = 0; i < count; ++i) {
        if (KeyField(table[static_cast<size_t>(i)], byIp) == key) {
            return {i, true};
        }
    }
    return {count, false};
}

TableLookup FindInMonitorTable(const DeviceTable& table, int itemCount, std::string_view key,
                               bool byIp) {
    int count = ClampCount(itemCount);
    for (int i = 0; i < count; ++i) {
        if (!byIp && table[static_cast<size_t>(i)].macText[0] == '\0') {
            continue;
        }
        if (KeyField(table[static_cast<size_t>(i)], byIp) == key) {
            return {i, true};
        }
    }
    return {count, false};
}

void CountPollSent(DeviceTable& monitorTable, int slot) {
    if (slot < 0 || slot >= kTableSlots) {
        return;
    }
    DeviceRecord& record = monitorTable[static_cast<size_t>(slot)];
    if (record.answered == 1) {
        record.answered = 0;
        record.missedPolls = 0;
    } else {
        record.missedPolls += 1;
    }
}

void CountPollRound(DeviceTable& monitorTable) {
    for (DeviceRecord& record : monitorTable) {
        if (record.ipText[0] == '\0') {
            break;
        }
        if (record.answered == 1) {
            record.missedPolls = 0;
        } else {
            record.missedPolls += 1;
        }
        record.answered = 0;
    }
}

}  // namespace vantelo
