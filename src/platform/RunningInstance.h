#pragma once

#include <QLocalServer>
#include <QString>
#include <functional>
#include <string>

namespace vantelo {

// One console window per operator and configuration directory: a second start asks the running
// one to come to the front instead. The local socket's name is made of the user id and the
// configuration directory, so a console on another directory starts as before.
class RunningInstance {
public:
    explicit RunningInstance(const std::string& configDirectory);

    // True when a running console took the request to come to the front.
    bool AskToShow() const;
    // Listens for later starts; onShow runs for each.
    void Listen(std::function<void()> onShow);

private:
    QString name_;
    QLocalServer server_;
    std::function<void()> onShow_;
};

}  // namespace vantelo
