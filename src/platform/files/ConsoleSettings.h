#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

namespace vantelo {

// The console's own settings, kept between runs in vantelo.conf (INI) in the configuration
// directory: the main window's geometry and whether desktop notifications are shown.
class ConsoleSettings {
public:
    explicit ConsoleSettings(const QString& configDirectory);

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
