#pragma once

#include <string_view>

#include "protocol/DeviceRecord.h"

namespace vantelo {

struct TableLookup {
    int index;  // the matching slot, or itemCount when nothing matched
    bool found;
};

// Searches slots 0 .. itemCount-1 by exact text of macText (byIp false) or ipText (byIp true).
// An empty key matches a slot whose field is empty.
TableLookup FindInDiscoveryTable(const DeviceTable& table, int itemCount, std::string_view key,
                                 bool byIp);

// As FindInDiscoveryTable, but a search by MAC text skips slots with an empty macText, so
// entries added by hand that have not answered yet never match.
TableLookup FindInMonitorTable(const DeviceTable& table, int itemCount, std::string_view key,
                               bool byIp);

// Poll bookkeeping for one monitor slot, just before a poll, resend or unicast request.
void CountPollSent(DeviceTable& monitorTable, int slot);

// The same rule for every monitor slot up to the first with an empty ipText; answered ends 0.
void CountPollRound(DeviceTable& monitorTable);

}  // namespace vantelo
