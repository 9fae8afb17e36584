#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console/ReceivePath.h"

namespace vantelo::cli {

// One monitored agent as the metrics show it; the texts are as the agent gave them.
struct AgentMetrics {
    std::string mac;
    std::string ip;
    std::string name;
    std::string interfaceName;
    bool up = true;
    int32_t missedPolls = 0;
    std::optional<double> lastReplySeconds;  // since the epoch; none before its first reply
    uint64_t traps = 0;
};

// The console's metrics at one moment.
struct ConsoleMetrics {
    std::string version;
    uint64_t pollRounds = 0;
    std::optional<double> lastRoundSeconds;
    IdentityDrops drops;
    uint64_t oversizeDrops = 0;
    std::vector<AgentMetrics> agents;
};

// The metrics in the Prometheus text exposition format (version 0.0.4), every family with its
// help and type. Label values are made valid UTF-8 and escaped; an agent whose labels repeat
// those of one before it is left out, since a scrape must not hold a series twice.
std::string MetricsText(const ConsoleMetrics& metrics);

}  // namespace vantelo::cli
