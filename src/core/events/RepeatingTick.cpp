#include "events/RepeatingTick.h"

namespace vantelo {

void RepeatingTick::Start(int periodMs) {
    Stop();
    handle_ = timers_.StartRepeating(periodMs, [this] { Fire(); });
}

// A run that fell due while the running one was on the stack is given up with the timer.
void RepeatingTick::Stop() {
    timers_.Stop(handle_);
    handle_ = kNoTimer;
    fellDue_ = false;
}

void RepeatingTick::Fire() {
    if (running_) {
        fellDue_ = true;
        return;
    }
    running_ = true;
    do {
        fellDue_ = false;
        run_();
    } while (fellDue_);
    running_ = false;
}

}  // namespace vantelo
