#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "ports/Timers.h"

namespace vantelo::test {

// Time that moves only when the test says so. Timers fire inside Advance, in the order of
// their due times (timers due together in the order they were started), each at its own
// moment: Now() inside a callback reads the time it was due.
class VirtualClock : public Timers, public Clock {
public:
    explicit VirtualClock(LocalTime start = LocalTime{2003, 3, 15, 14, 2, 7});

    TimerHandle StartRepeating(int periodMs, std::function<void()> fn) override;
    TimerHandle StartSingleShot(int delayMs, std::function<void()> fn) override;
    void Stop(TimerHandle handle) override;
    LocalTime Now() override;

    // Moves time forward by ms, firing every timer that falls due on the way, also timers
    // started by those callbacks. A callback may advance the clock in turn, as the event loop of
    // a box it opens would.
    void Advance(int64_t ms);
    int64_t ElapsedMs() const { return nowMs_; }
    int ActiveTimers() const { return static_cast<int>(timers_.size()); }

private:
    struct Timer {
        int64_t dueMs;
        int periodMs;  // 0 for a single shot
        std::function<void()> fn;
    };

    TimerHandle Start(int delayMs, int periodMs, std::function<void()> fn);

    LocalTime start_;
    int64_t nowMs_ = 0;
    TimerHandle nextHandle_ = 1;
    std::map<TimerHandle, Timer> timers_;
};

}  // namespace vantelo::test
