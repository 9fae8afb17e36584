#include "platform/QtTimers.h"

#include <QDateTime>
#include <limits>

namespace vantelo {

QtTimers::~QtTimers() = default;

TimerHandle QtTimers::StartRepeating(int periodMs, std::function<void()> fn) {
    return Start(periodMs, false, std::move(fn));
}

TimerHandle QtTimers::StartSingleShot(int delayMs, std::function<void()> fn) {
    return Start(delayMs, true, std::move(fn));
}

TimerHandle QtTimers::Start(int intervalMs, bool singleShot, std::function<void()> fn) {
    do {
        next_ = next_ == std::numeric_limits<TimerHandle>::max() ? kNoTimer + 1 : next_ + 1;
    } while (entries_.count(next_) != 0);
    const TimerHandle handle = next_;
    auto* timer = new QTimer(&owner_);
    timer->setSingleShot(singleShot);
    timer->setInterval(intervalMs < 0 ? 0 : intervalMs);
    QObject::connect(timer, &QTimer::timeout, [this, handle] { Fire(handle); });
    timer->start();
    entries_[handle] = Entry{timer, std::move(fn), singleShot};
    return handle;
}

void QtTimers::Fire(TimerHandle handle) {
    const auto it = entries_.find(handle);
    if (it == entries_.end()) {
        return;
    }
    if (it->second.singleShot) {
        Entry entry = std::move(it->second);
        entries_.erase(it);
        Retire(entry.timer);
        entry.fn();
        return;
    }
    // A copy: the function may stop its own timer, which destroys the stored one.
    const std::function<void()> fn = it->second.fn;
    fn();
}

void QtTimers::Stop(TimerHandle handle) {
    const auto it = entries_.find(handle);
    if (it == entries_.end()) {
        return;
    }
    QTimer* timer = it->second.timer;
    entries_.erase(it);
    Retire(timer);
}

void QtTimers::Retire(QTimer* timer) {
    timer->stop();
    timer->disconnect();
    timer->deleteLater();
}

LocalTime QtClock::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return LocalTime{date.year(), date.month(),  date.day(),
                     time.hour(), time.minute(), time.second()};
}

}  // namespace vantelo
