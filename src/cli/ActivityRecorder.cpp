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

// The agent's record, made when missing. A monitored agent may answer from ever new addresses
// (found by its MAC text, it takes the sender's), so when the records outnumber twice the monitor
// table, those of addresses no longer monitored are forgotten.
ActivityRecorder::AgentActivity& ActivityRecorder::Of(std::string_view ipText) {
    if (auto kept = agents_.find(ipText); kept != agents_.end()) {
        return kept->second;
    }
    if (agents_.size() >= 2 * static_cast<size_t>(kTableSlots)) {
        ForgetUnmonitored();
    }
    return agents_[std::string(ipText)];
}

void ActivityRecorder::ForgetUnmonitored() {
    std::set<std::string, std::less<>> monitored;
    for (int slot = 0; slot < console_.Lists().MonitorCount(); ++slot) {
        monitored.insert(
            std::string(TextOf(console_.MonitorTable()[static_cast<size_t>(slot)].ipText)));
    }
    std::erase_if(agents_, [&](const auto& kept) { return monitored.count(kept.first) == 0; });
}

void ActivityRecorder::AgentAnswered(std::string_view ipText) {
    Of(ipText).lastReplySeconds = SecondsSinceEpoch();
}

void ActivityRecorder::TrapAccepted(std::string_view ipText) {
    ++Of(ipText).traps;
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

ConsoleMetrics ActivityRecorder::Collect(const std::string& version) {
    const Console& console = console_;
    ConsoleMetrics metrics;
    metrics.version = version;
    metrics.pollRounds = console.PollRoundsRun();
    metrics.lastRoundSeconds = lastRoundSeconds_;
    metrics.drops = console.IdentityDropped();
    metrics.oversizeDrops = console.OversizeDropped();
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
        metrics.agents.push_back(std::move(agent));
    }
    return metrics;
}

}  // namespace vantelo::cli
