#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <string>

namespace vantelo {

// The console's own settings, kept between runs in vantelo.conf (INI) in the configuration
// directory: the network interface discovery uses, the main window's geometry and whether
// desktop notifications are shown. The monitor list files are not among them.
class ConsoleSettings {
public:
    static constexpr const char* kFileName = "vantelo.conf";

    explicit ConsoleSettings(const QString& configDirectory);

    // The interface broadcasts to every agent go out of, by name; empty for all of them.
    std::string NetworkInterface() const;
    void SetNetworkInterface(const std::string& name);

    // Qt's saved geometry of the main window; empty before the first run ends.
    QByteArray WindowGeometry() const;
    void SetWindowGeometry(const QByteArray& geometry);

    // On unless the operator turned them off.
    bool Notifications() const;
    void SetNotifications(bool on);

private:
    // The console never makes its configuration directory: without one nothing is kept.
    bool CanKeep() const;

    QString directory_;
    QSettings settings_;
};

}  // namespace vantelo
