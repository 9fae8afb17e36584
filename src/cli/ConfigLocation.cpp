#include "cli/ConfigLocation.h"

#include <QCoreApplication>

#include "persistence/ConfigDirectory.h"

namespace vantelo::cli {

std::string DefaultConfigDirectory() {
    return vantelo::ConfigDirectoryFor(QCoreApplication::applicationFilePath().toStdString());
}

}  // namespace vantelo::cli
