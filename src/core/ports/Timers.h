#pragma once

#include <functional>

namespace vantelo {

using TimerHandle = int;
inline constexpr TimerHandle kNoTimer = 0;

// Timers run their function on the engine's thread, never inside another engine call.
class Timers {
public:
    virtual ~Timers() = default;
    // Runs fn every periodMs until stopped.
    virtual TimerHandle StartRepeating(int periodMs, std::function<void()> fn) = 0;
    // Runs fn once after delayMs unless stopped first.
    virtual TimerHandle StartSingleShot(int delayMs, std::function<void()> fn) = 0;
    // Stopping an unknown or finished timer does nothing.
    virtual void Stop(TimerHandle handle) = 0;
};

struct LocalTime {
    int year;
    int month;  // 1..12
    int day;    // 1..31
    int hour;
    int minute;
    int second;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
};

}  // namespace vantelo
