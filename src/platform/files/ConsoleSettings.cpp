#include "platform/files/ConsoleSettings.h"

#include <QFileInfo>

namespace vantelo {

namespace {

const QString kWindowGeometry = QStringLiteral("window/geometry");
const QString kNotifications = QStringLiteral("window/notifications");

}  // namespace

ConsoleSettings::ConsoleSettings(const QString& configDirectory)
    : directory_(configDirectory),
      settings_(configDirectory + QStringLiteral("/vantelo.conf"), QSettings::IniFormat) {}

bool ConsoleSettings::CanKeep() const {
    return QFileInfo(directory_).isDir();
}

QByteArray ConsoleSettings::WindowGeometry() const {
    return settings_.value(kWindowGeometry).toByteArray();
}

void ConsoleSettings::SetWindowGeometry(const QByteArray& geometry) {
    if (!CanKeep()) {
        return;
    }
    settings_.setValue(kWindowGeometry, geometry);
    settings_.sync();
}

bool ConsoleSettings::Notifications() const {
    return settings_.value(kNotifications, true).toBool();
}

void ConsoleSettings::SetNotifications(bool on) {
    if (!CanKeep()) {
        return;
    }
    settings_.setValue(kNotifications, on);
    settings_.sync();
}

}  // namespace vantelo
