#include "cli/ActivityRecorder.h"

#include <set>

#include "protocol/RecordText.h"

namespace vantelo::cli {

namespace {

double SecondsSinceEpoch() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::string InterfaceLabel(const DeviceRecord&) {
    return {};
}

void ActivityRecorder::AgentAnswered(std::string_view ipText) {
    agents_[std::string(ipText)].lastReplySeconds = SecondsSinceEpoch();
}

void ActivityRecorder::TrapAccepted(std::string_view ipText) {
    ++agents_[std::string(ipText)].traps;
}

void ActivityRecorder::PollRoundStarted() {
    roundStart_ = std::chrono::steady_clock::now();
}

void ActivityRecorder::PollRoundEnded() {
    lastRoundSeconds_ =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - roundStart_).count();
}

void ActivityRecorder::LogLineWritten(const LogEvent& event) {
    if (forward_) {
        forward_(event);
    }
}

ConsoleMetrics ActivityRecorder::Collect(const Console& console, const std::string& version) {
    ConsoleMetrics metrics;
    metrics.version = version;
    metrics.pollRounds = console.PollRoundsRun();
    metrics.lastRoundSeconds = lastRoundSeconds_;
    metrics.drops = console.IdentityDropped();
    metrics.oversizeDrops = console.OversizeDropped();
    std::set<std::string, std::less<>> monitored;
    const DeviceTable& table = console.MonitorTable();
    for (int slot = 0; slot < console.Lists().MonitorCount(); ++slot) {
        const DeviceRecord& record = table[static_cast<size_t>(slot)];
        AgentMetrics agent;
        agent.mac = TextOf(record.macText);
        agent.ip = TextOf(record.ipText);
        agent.name = TextOf(record.systemName);
        agent.interfaceName = InterfaceLabel(record);
        agent.up = record.statusImage != kNotAliveImage;
        agent.missedPolls = record.missedPolls;
        if (auto kept = agents_.find(agent.ip); kept != agents_.end()) {
            agent.lastReplySeconds = kept->second.lastReplySeconds;
            agent.traps = kept->second.traps;
        }
        monitored.insert(agent.ip);
        metrics.agents.push_back(std::move(agent));
    }
    std::erase_if(agents_, [&](const auto& kept) { return monitored.count(kept.first) == 0; });
    return metrics;
}

}  // namespace vantelo::cli
