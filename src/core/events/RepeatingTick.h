#pragma once

#include <functional>

#include "ports/Timers.h"

namespace vantelo {

// A repeating timer whose runs never nest. A run may open a box, whose event loop goes on firing
// timers; a tick that falls due while the previous run is still on the stack is only noted, and
// one run follows when that run returns, however many ticks fell due meanwhile.
class RepeatingTick {
public:
    RepeatingTick(Timers& timers, std::function<void()> run)
        : timers_(timers), run_(std::move(run)) {}
    ~RepeatingTick() { Stop(); }
    RepeatingTick(const RepeatingTick&) = delete;
    RepeatingTick& operator=(const RepeatingTick&) = delete;

    void Start(int periodMs);
    void Stop();

private:
    void Fire();

    Timers& timers_;
    std::function<void()> run_;
    TimerHandle handle_ = kNoTimer;
    bool running_ = false;
    bool fellDue_ = false;
};

}  // namespace vantelo
