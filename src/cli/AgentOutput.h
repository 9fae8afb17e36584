#pragma once

#include <QJsonValue>
#include <optional>
#include <string>
#include <vector>

#include "cli/AgentJson.h"
#include "cli/CliSession.h"
#include "cli/CommandLine.h"
#include "console/Console.h"

namespace vantelo::cli {

// One agent as a list of the window shows it: the cell texts of its row, and the record and
// state behind it for the JSON output.
struct AgentRow {
    std::vector<std::string> cells;
    DeviceRecord record;
    AgentState state;
};

// The agents that answered the last discovery: the discovery list's rows, then the monitored
// agents that answered it (they answer into the monitor list), shown as discovery rows.
std::vector<AgentRow> DiscoveredAgents(const CliSession& session);
// The monitor list's rows; its status column reads "not alive" for the not-alive icon.
std::vector<AgentRow> MonitoredAgents(const CliSession& session);

// Whether a monitored agent is alive: not while it shows the not-alive icon, yes once it
// answered, unknown before.
std::optional<bool> MonitoredAlive(const DeviceRecord& record);

// Writes the rows to standard output under the list's column titles as a table or CSV, or as
// a JSON array of agent objects.
void PrintAgents(ListId list, const std::vector<AgentRow>& rows, OutputFormat format);

}  // namespace vantelo::cli
