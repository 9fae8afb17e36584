#pragma once

#include <QJsonValue>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "console/Console.h"

namespace vantelo::cli {

// One agent as a list of the window shows it: the cell texts of its row, and for discovered
// agents what the row leaves out.
struct AgentRow {
    std::vector<std::string> cells;
    bool loaderMode = false;
    int protocolVersion = 0;
    int interfaceVersion = 0;
    bool monitored = false;
    std::optional<NetworkInterface> networkInterface;  // where the agent answers
};

// The interface an agent answers on as the table and the JSON show it: its name; empty, or
// null in JSON, when it is not known (a monitored agent that has not answered yet).
std::string InterfaceText(const std::optional<NetworkInterface>& networkInterface);
QJsonValue InterfaceJson(const std::optional<NetworkInterface>& networkInterface);

// The agents that answered the last discovery: the discovery list's rows, then the monitored
// agents that answered it (they answer into the monitor list), shown as discovery rows.
std::vector<AgentRow> DiscoveredAgents(const Console& console);
// The monitor list's rows; its status column reads "not alive" for the not-alive icon.
std::vector<AgentRow> MonitoredAgents(const Console& console);

// Writes the rows to standard output under the list's column titles: as a table, CSV, or a
// JSON array of objects.
void PrintAgents(ListId list, const std::vector<AgentRow>& rows, OutputFormat format);

}  // namespace vantelo::cli
