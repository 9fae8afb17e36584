#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace vantelo {

// Desktop notifications of what happens while the operator looks elsewhere: agents declared
// not alive, agents back, traps. One notification for each liveness pass and one for each burst
// of traps, however many agents or datagrams: the changes of one pass are told together on the
// next turn of the event loop, and traps are gathered for a while after the first of a burst.
// Nothing is told while the window is the active one or while notifications are off.
class DesktopNotices : public QObject {
    Q_OBJECT
public:
    // Hands one notification to the desktop without waiting for it.
    using Send = std::function<void(const QString& summary, const QString& body)>;
    // How long traps are gathered after the first of a burst.
    static constexpr int kTrapBurstMs = 3000;

    DesktopNotices(std::function<bool()> windowActive, Send send, QObject* parent = nullptr);

    void SetEnabled(bool on) { enabled_ = on; }
    bool Enabled() const { return enabled_; }

    void AgentLiveness(const QString& name, bool alive);
    void TrapStored(const QString& agent, const QString& event);

private:
    bool Wanted() const;
    void TellLiveness();
    void TellTraps();

    std::function<bool()> windowActive_;
    Send send_;
    bool enabled_ = true;
    QStringList notAlive_;
    QStringList alive_;
    QTimer livenessTurn_;
    int traps_ = 0;
    QStringList trapAgents_;
    QString lastEvent_;
    QTimer trapBurst_;
};

// Sends through the freedesktop notification service on the session bus, asynchronously; without
// a session bus or a service nothing is shown.
DesktopNotices::Send SessionBusNotifications();

}  // namespace vantelo
