#include "cli/ConfigLocation.h"

#include <QCoreApplication>

#include "platform/files/ConfigLocation.h"

namespace vantelo::cli {

std::string DefaultConfigDirectory() {
    return vantelo::ConsoleConfigDirectory(QCoreApplication::applicationFilePath().toStdString(),
                                           vantelo::ProcessConfigEnvironment());
}

}  // namespace vantelo::cli
