#pragma once

#include <cstdint>

#include "events/Boxes.h"
#include "events/RepeatingTick.h"
#include "lists/AgentLists.h"
#include "monitor/SystemLog.h"
#include "ports/ConsoleActivity.h"
#include "ports/Timers.h"
#include "transport/Transport.h"

namespace vantelo {

// Polling and liveness of the monitored agents. A round polls every monitored agent, then waits
// the interval chosen in the Refresh time menu, read when the wait begins. Every 5 s the
// liveness pass resends to agents that missed a poll and, after three misses, declares them not
// alive: the icon and a log line at every pass for as long as they stay silent.
class Polling {
public:
    static constexpr int kDefaultIntervalSeconds = 15;
    static constexpr int kLivenessPeriodMs = 5000;

    struct Parts {
        Transport& transport;
        AgentLists& lists;
        Boxes& boxes;
        SystemLog& log;
        Timers& timers;
        Clock& clock;
    };

    explicit Polling(const Parts& parts);
    ~Polling();
    Polling(const Polling&) = delete;
    Polling& operator=(const Polling&) = delete;

    // Start-up, after both sockets exist: the first round at once, then the 5 s liveness pass.
    void Start();

    int IntervalSeconds() const { return intervalSeconds_; }
    // A Refresh time command: the interval applies when the next wait begins.
    void SetIntervalSeconds(int seconds) { intervalSeconds_ = seconds; }

    // Rounds that sent to every monitored agent since start-up.
    uint64_t RoundsRun() const { return roundsRun_; }
    // The watcher told when a round begins and ends; the part keeps a reference.
    void TellActivity(ConsoleActivity& activity) { activity_ = &activity; }

private:
    void RunRound();
    void RunLivenessPass();
    int SendPoll(int slot, int* error);

    Parts p_;
    int intervalSeconds_ = kDefaultIntervalSeconds;
    TimerHandle wait_ = kNoTimer;
    RepeatingTick liveness_;
    uint64_t roundsRun_ = 0;
    ConsoleActivity* activity_ = &NoActivity();
};

}  // namespace vantelo
