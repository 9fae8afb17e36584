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

// Whether a fixed-size field's text (up to its first zero byte or its end) is key, a key
// without zero bytes. Compared in place without measuring the field first: a lookup in a full
// discovery table reads 256 of them for every reply.
template <size_t N>
bool Holds(const char (&field)[N], std::string_view key) {
    return key.size() <= N && (key.size() == N || field[key.size()] == '\0') &&
           std::memcmp(field, key.data(), key.size()) == 0;
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
    if (key.find('\0') != std::string_view::npos) {
        return {count, false};  // no field's text holds a zero byte
    }
    for (int i = 0; i < count; ++i) {
        const DeviceRecord& record = table[static_cast<size_t>(i)];
        if (byIp ? Holds(record.ipText, key) : Holds(record.macText, key)) {
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
