#include "cli/MetricsText.h"

#include <charconv>
#include <set>

#include "cli/Utf8Text.h"

namespace vantelo::cli {

namespace {

std::string LabelValue(const std::string& text) {
    std::string escaped;
    for (char c : ValidUtf8(text)) {
        if (c == '\\' || c == '"') {
            escaped.push_back('\\');
            escaped.push_back(c);
        } else if (c == '\n') {
            escaped.append("\\n");
        } else {
            escaped.push_back(c);
        }
    }
    return escaped;
}

// Shortest round-trip form, whatever the locale (Qt sets the environment's).
std::string Number(double value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void Family(std::string& out, const char* name, const char* type, const char* help) {
    out.append("# HELP ").append(name).append(" ").append(help).append("\n");
    out.append("# TYPE ").append(name).append(" ").append(type).append("\n");
}

void Sample(std::string& out, const char* name, const std::string& labels,
            const std::string& value) {
    out.append(name);
    if (!labels.empty()) {
        out.append("{").append(labels).append("}");
    }
    out.append(" ").append(value).append("\n");
}

std::string AgentLabels(const AgentMetrics& agent) {
    return "mac=\"" + LabelValue(agent.mac) + "\",ip=\"" + LabelValue(agent.ip) + "\",name=\"" +
           LabelValue(agent.name) + "\",interface=\"" + LabelValue(agent.interfaceName) + "\"";
}

void AgentFamilies(std::string& out, const std::vector<AgentMetrics>& agents) {
    std::vector<std::pair<std::string, const AgentMetrics*>> shown;
    std::set<std::string> seen;
    for (const AgentMetrics& agent : agents) {
        std::string labels = AgentLabels(agent);
        if (seen.insert(labels).second) {
            shown.emplace_back(labels, &agent);
        }
    }
    Family(out, "vantelo_agent_up", "gauge",
           "1 while the monitored agent answers, 0 once it was declared not alive.");
    for (const auto& [labels, agent] : shown) {
        Sample(out, "vantelo_agent_up", labels, agent->up ? "1" : "0");
    }
    Family(out, "vantelo_agent_missed_polls", "gauge",
           "Polls and resends the monitored agent left unanswered since its last reply.");
    for (const auto& [labels, agent] : shown) {
        Sample(out, "vantelo_agent_missed_polls", labels, std::to_string(agent->missedPolls));
    }
    Family(out, "vantelo_agent_last_reply_timestamp_seconds", "gauge",
           "When the monitored agent's last reply was stored, in seconds since the epoch.");
    for (const auto& [labels, agent] : shown) {
        if (agent->lastReplySeconds) {
            Sample(out, "vantelo_agent_last_reply_timestamp_seconds", labels,
                   Number(*agent->lastReplySeconds));
        }
    }
    Family(out, "vantelo_traps_received_total", "counter",
           "Traps accepted from the monitored agent since the watch began.");
    for (const auto& [labels, agent] : shown) {
        Sample(out, "vantelo_traps_received_total", labels, std::to_string(agent->traps));
    }
}

}  // namespace

std::string MetricsText(const ConsoleMetrics& metrics) {
    std::string out;
    AgentFamilies(out, metrics.agents);
    Family(out, "vantelo_poll_rounds_total", "counter",
           "Polling rounds that sent a poll to every monitored agent.");
    Sample(out, "vantelo_poll_rounds_total", "", std::to_string(metrics.pollRounds));
    Family(out, "vantelo_poll_round_duration_seconds", "gauge",
           "How long the last polling round took to send its polls.");
    if (metrics.lastRoundSeconds) {
        Sample(out, "vantelo_poll_round_duration_seconds", "", Number(*metrics.lastRoundSeconds));
    }
    Family(out, "vantelo_datagrams_dropped_total", "counter",
           "Datagrams dropped without a message, by the check they failed.");
    Sample(out, "vantelo_datagrams_dropped_total", "reason=\"wrong_device_type\"",
           std::to_string(metrics.drops.wrongDeviceType));
    Sample(out, "vantelo_datagrams_dropped_total", "reason=\"wrong_direction\"",
           std::to_string(metrics.drops.wrongDirection));
    Sample(out, "vantelo_datagrams_dropped_total", "reason=\"stale_sequence\"",
           std::to_string(metrics.drops.staleSequence));
    Sample(out, "vantelo_datagrams_dropped_total", "reason=\"oversize\"",
           std::to_string(metrics.oversizeDrops));
    Family(out, "vantelo_build_info", "gauge", "The version of the running watcher; always 1.");
    Sample(out, "vantelo_build_info", "version=\"" + LabelValue(metrics.version) + "\"", "1");
    return out;
}

}  // namespace vantelo::cli
