#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "cli/MetricsText.h"
#include "console/Console.h"
#include "ports/ConsoleActivity.h"

namespace vantelo::cli {

// The interface an agent is watched on, as the metrics label it. The monitor record does not
// carry one yet, so the label is empty; this is the one place that gives it.
std::string InterfaceLabel(const DeviceRecord& record);

// What the engine tells of its work, kept for the metrics (last reply and trap count of every
// monitored agent, the last polling round's length) and handed on for the log forwarding.
class ActivityRecorder final : public ConsoleActivity {
public:
    using LogForward = std::function<void(const LogEvent&)>;

    // What is kept is about the console's monitored agents; forward, when given, gets every
    // log line as it is written.
    explicit ActivityRecorder(const Console& console, LogForward forward = {})
        : console_(console), forward_(std::move(forward)) {}

    void AgentAnswered(std::string_view ipText) override;
    void TrapAccepted(std::string_view ipText) override;
    void PollRoundStarted() override;
    void PollRoundEnded() override;
    void LogLineWritten(const LogEvent& event) override;

    // The console's metrics now.
    ConsoleMetrics Collect(const std::string& version);
    // How many agents' activity is kept.
    size_t KeptAgents() const { return agents_.size(); }

private:
    struct AgentActivity {
        std::optional<double> lastReplySeconds;
        uint64_t traps = 0;
    };

    AgentActivity& Of(std::string_view ipText);
    void ForgetUnmonitored();

    const Console& console_;
    LogForward forward_;
    std::map<std::string, AgentActivity, std::less<>> agents_;
    std::chrono::steady_clock::time_point roundStart_;
    std::optional<double> lastRoundSeconds_;
};

}  // namespace vantelo::cli
