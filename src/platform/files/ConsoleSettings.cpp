#include "platform/files/ConsoleSettings.h"

#include <QFileInfo>

namespace vantelo {

namespace {

const QString kNetworkInterface = QStringLiteral("network/interface");
const QString kWindowGeometry = QStringLiteral("window/geometry");
const QString kNotifications = QStringLiteral("window/notifications");

}  // namespace

ConsoleSettings::ConsoleSettings(const QString& configDirectory)
    : directory_(configDirectory),
      settings_(configDirectory + QLatin1Char('/') + QLatin1String(kFileName),
                QSettings::IniFormat) {}

bool ConsoleSettings::CanKeep() const {
    return QFileInfo(directory_).isDir();
}

std::string ConsoleSettings::NetworkInterface() const {
    return settings_.value(kNetworkInterface).toString().toStdString();
}

void ConsoleSettings::SetNetworkInterface(const std::string& name) {
    if (!CanKeep()) {
        return;
    }
    settings_.setValue(kNetworkInterface, QString::fromStdString(name));
    settings_.sync();
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
