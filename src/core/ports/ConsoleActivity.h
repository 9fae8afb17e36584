#pragma once

#include <string_view>

namespace vantelo {

// What the system log gets a line for.
enum class LogKind { Trap, NotAlive, UpgradeFailed };

// One line of the system log as its parts, without the timestamp and the line end: the agent's
// addresses (the MAC text may be empty when the console does not know it) and the event text.
struct LogEvent {
    LogKind kind;
    std::string_view ipText;
    std::string_view macText;
    std::string_view text;
};

// What the engine tells a watcher of its work beyond the windows: exporters of metrics and logs
// implement it. Every call is made on the engine's thread, after the engine's own work is done,
// and must return at once.
class ConsoleActivity {
public:
    virtual ~ConsoleActivity() = default;
    // A reply of the monitored agent with this IP text was stored into its slot.
    virtual void AgentAnswered(std::string_view /*ipText*/) {}
    // A trap of the monitored agent with this IP text was accepted.
    virtual void TrapAccepted(std::string_view /*ipText*/) {}
    // A polling round begins sending, and has sent to every monitored agent.
    virtual void PollRoundStarted() {}
    virtual void PollRoundEnded() {}
    // The system log was given a line (whether or not the file took it).
    virtual void LogLineWritten(const LogEvent& /*event*/) {}
};

// The watcher of a console that has none.
inline ConsoleActivity& NoActivity() {
    static ConsoleActivity none;
    return none;
}

}  // namespace vantelo
