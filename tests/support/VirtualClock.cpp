#include "support/VirtualClock.h"

#include <algorithm>
#include <chrono>

namespace vantelo::test {

VirtualClock::VirtualClock(LocalTime start) : start_(start) {}

TimerHandle VirtualClock::StartRepeating(int periodMs, std::function<void()> fn) {
    // A period below 1 ms would fire forever within one instant.
    int period = std::max(periodMs, 1);
    return Start(period, period, std::move(fn));
}

TimerHandle VirtualClock::StartSingleShot(int delayMs, std::function<void()> fn) {
    return Start(std::max(delayMs, 0), 0, std::move(fn));
}

TimerHandle VirtualClock::Start(int delayMs, int periodMs, std::function<void()> fn) {
    TimerHandle handle = nextHandle_++;
    timers_[handle] = Timer{nowMs_ + delayMs, periodMs, std::move(fn)};
    return handle;
}

void VirtualClock::Stop(TimerHandle handle) {
    timers_.erase(handle);
}

LocalTime VirtualClock::Now() {
    using namespace std::chrono;
    sys_days day = year{start_.year} / month{static_cast<unsigned>(start_.month)} /
                   std::chrono::day{static_cast<unsigned>(start_.day)};
    sys_seconds at = day + hours{start_.hour} + minutes{start_.minute} + seconds{start_.second} +
                     duration_cast<seconds>(milliseconds{nowMs_});
    sys_days date = floor<days>(at);
    year_month_day ymd{date};
    hh_mm_ss<seconds> time{at - date};
    return LocalTime{static_cast<int>(ymd.year()),
                     static_cast<int>(unsigned(ymd.month())),
                     static_cast<int>(unsigned(ymd.day())),
                     static_cast<int>(time.hours().count()),
                     static_cast<int>(time.minutes().count()),
                     static_cast<int>(time.seconds().count())};
}

void VirtualClock::Advance(int64_t ms) {
    int64_t endMs = nowMs_ + ms;
    for (;;) {
        auto next = std::min_element(
            timers_.begin(), timers_.end(),
            [](const auto& a, const auto& b) { return a.second.dueMs < b.second.dueMs; });
        if (next == timers_.end() || next->second.dueMs > endMs) {
            break;
        }
        nowMs_ = next->second.dueMs;
        // The callback may stop or start timers, this one included.
        std::function<void()> fn = next->second.fn;
        if (next->second.periodMs == 0) {
            timers_.erase(next);
        } else {
            next->second.dueMs += next->second.periodMs;
        }
        fn();
    }
    // A callback may have advanced the clock itself, as a box's event loop would.
    nowMs_ = std::max(nowMs_, endMs);
}

}  // namespace vantelo::test
