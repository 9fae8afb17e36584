#include "gui/DesktopNotices.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace vantelo {

namespace {

// A notification names this many agents at most, then says how many more.
constexpr int kNamesShown = 8;

QString Names(const QStringList& names) {
    QStringList shown = names.mid(0, kNamesShown);
    if (names.size() > kNamesShown) {
        shown << QStringLiteral("%1 more").arg(names.size() - kNamesShown);
    }
    return shown.join(QStringLiteral(", "));
}

QString Switches(qsizetype count) {
    return count == 1 ? QStringLiteral("1 switch") : QStringLiteral("%1 switches").arg(count);
}

}  // namespace

DesktopNotices::DesktopNotices(std::function<bool()> windowActive, Send send, QObject* parent)
    : QObject(parent), windowActive_(std::move(windowActive)), send_(std::move(send)) {
    livenessTurn_.setSingleShot(true);
    livenessTurn_.setInterval(0);
    connect(&livenessTurn_, &QTimer::timeout, this, &DesktopNotices::TellLiveness);
    trapBurst_.setSingleShot(true);
    trapBurst_.setInterval(kTrapBurstMs);
    connect(&trapBurst_, &QTimer::timeout, this, &DesktopNotices::TellTraps);
}

bool DesktopNotices::Wanted() const {
    return enabled_ && !windowActive_();
}

void DesktopNotices::AgentLiveness(const QString& name, bool alive) {
    if (!Wanted()) {
        return;
    }
    QStringList& names = alive ? alive_ : notAlive_;
    if (!names.contains(name)) {
        names << name;
    }
    if (!livenessTurn_.isActive()) {
        livenessTurn_.start();
    }
}

void DesktopNotices::TellLiveness() {
    if (!notAlive_.isEmpty()) {
        send_(Switches(notAlive_.size()) + QStringLiteral(" not alive: ") + Names(notAlive_),
              QString());
    }
    if (!alive_.isEmpty()) {
        send_(Switches(alive_.size()) + QStringLiteral(" alive again: ") + Names(alive_),
              QString());
    }
    notAlive_.clear();
    alive_.clear();
}

void DesktopNotices::TrapStored(const QString& agent, const QString& event) {
    if (!Wanted()) {
        return;
    }
    ++traps_;
    if (!trapAgents_.contains(agent)) {
        trapAgents_ << agent;
    }
    lastEvent_ = event;
    if (!trapBurst_.isActive()) {
        trapBurst_.start();
    }
}

void DesktopNotices::TellTraps() {
    const QString summary =
        traps_ == 1 ? QStringLiteral("1 trap from ") : QStringLiteral("%1 traps from ").arg(traps_);
    send_(summary + Names(trapAgents_), lastEvent_);
    traps_ = 0;
    trapAgents_.clear();
    lastEvent_.clear();
}

DesktopNotices::Send SessionBusNotifications() {
    return [](const QString& summary, const QString& body) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return;
        }
        QDBusMessage notify = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
        notify << QStringLiteral("Vantelo Utility") << 0U << QStringLiteral("local.vantelo.vantelo")
               << summary << body << QStringList() << QVariantMap() << -1;
        // Sent without waiting for the reply: a missing or hung service never holds the window.
        bus.send(notify);
    };
}

}  // namespace vantelo
