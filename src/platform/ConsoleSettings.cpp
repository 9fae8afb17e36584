#include "platform/ConsoleSettings.h"

namespace vantelo {

namespace {

const QString kNetworkInterface = QStringLiteral("network/interface");

}  // namespace

ConsoleSettings::ConsoleSettings(const std::string& configDirectory)
    : file_(QString::fromStdString(configDirectory) + QLatin1Char('/') + QLatin1String(kFileName),
            QSettings::IniFormat) {}

std::string ConsoleSettings::NetworkInterface() const {
    return file_.value(kNetworkInterface).toString().toStdString();
}

void ConsoleSettings::SetNetworkInterface(const std::string& name) {
    file_.setValue(kNetworkInterface, QString::fromStdString(name));
    file_.sync();
}

}  // namespace vantelo
