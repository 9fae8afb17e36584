#include "cli/AgentTarget.h"

#include <cstdio>

#include "cli/EventWait.h"
#include "protocol/Conversions.h"
#include "protocol/RecordText.h"

namespace vantelo::cli {

namespace {

// The row of list whose agent the key names, or -1. Rows carry the key texts the engine
// shows: the MAC text in discovery column 0 and monitor column 2, the IP text in discovery
// column 1 and monitor column 1.
int FindRow(const ListModel& list, ListId id, const AgentKey& key) {
    int macColumn = id == ListId::Discovery ? 0 : 2;
    for (int row = 0; row < list.RowCount(); ++row) {
        bool byMac = !key.macText.empty() && list.Text(row, macColumn) == key.macText;
        bool byIp = !key.ipText.empty() && list.Text(row, 1) == key.ipText;
        if (byMac || byIp) {
            return row;
        }
    }
    return -1;
}

// A monitored agent counts once it answered since the discovery: a row loaded from the file
// shows what the agent was, not what it is.
int AnsweredMonitorRow(const Console& console, const AgentKey& key) {
    int row = FindRow(console.MonitorList(), ListId::Monitor, key);
    if (row < 0) {
        return -1;
    }
    const ListModel& list = console.MonitorList();
    for (int slot = 0; slot < list.RowCount(); ++slot) {
        const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(slot)];
        if (TextOf(record.ipText) == list.Text(row, 1)) {
            return record.answered == 1 ? row : -1;
        }
    }
    return -1;
}

}  // namespace

std::string AgentName(const AgentKey& key) {
    return key.macText.empty() ? key.ipText : key.macText;
}

int SelectAgent(CliSession& session, const AgentKey& key, int timeoutMs) {
    Console& console = session.Engine();
    uint32_t address = 0;
    if (TextToIp(key.ipText, &address) == 0) {
        console.OnDiscoveryOf(address);
    } else {
        console.OnDiscovery();
    }
    int monitorRow = -1;
    int discoveryRow = -1;
    RunUntil(
        [&] {
            monitorRow = AnsweredMonitorRow(console, key);
            discoveryRow = FindRow(console.DiscoveryList(), ListId::Discovery, key);
            return monitorRow >= 0 || discoveryRow >= 0;
        },
        timeoutMs);
    if (monitorRow < 0 && discoveryRow < 0) {
        std::fprintf(stderr, "vantelo-cli: no answer from %s within %d ms\n",
                     AgentName(key).c_str(), timeoutMs);
        return -1;
    }
    ListId list = monitorRow >= 0 ? ListId::Monitor : ListId::Discovery;
    console.OnSelect(list, monitorRow >= 0 ? monitorRow : discoveryRow, true);
    return 0;
}

}  // namespace vantelo::cli
