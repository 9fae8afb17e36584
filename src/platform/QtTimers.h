#pragma once

#include <QTimer>
#include <functional>
#include <map>

#include "ports/Timers.h"

namespace vantelo {

// The engine's timers on QTimer, run by the GUI thread's event loop.
class QtTimers final : public Timers {
public:
    QtTimers() = default;
    ~QtTimers() override;
    QtTimers(const QtTimers&) = delete;
    QtTimers& operator=(const QtTimers&) = delete;

    TimerHandle StartRepeating(int periodMs, std::function<void()> fn) override;
    TimerHandle StartSingleShot(int delayMs, std::function<void()> fn) override;
    void Stop(TimerHandle handle) override;

private:
    struct Entry {
        QTimer* timer = nullptr;
        std::function<void()> fn;
        bool singleShot = false;
    };

    TimerHandle Start(int intervalMs, bool singleShot, std::function<void()> fn);
    void Fire(TimerHandle handle);
    // A timer may be stopped from inside its own timeout: it is deleted once the signal is over.
    static void Retire(QTimer* timer);

    QObject owner_;  // parent of every timer, so that none outlives this object
    std::map<TimerHandle, Entry> entries_;
    TimerHandle next_ = kNoTimer;
};

class QtClock final : public Clock {
public:
    LocalTime Now() override;
};

}  // namespace vantelo
