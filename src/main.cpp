// The console's executable: the Qt application around CVanteloApp.

#include <QApplication>
#include <QIcon>
#include <QNetworkProxyFactory>

#include "gui/ConsoleApp.h"
#include "persistence/ConfigDirectory.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setWindowIcon(QIcon(QStringLiteral(":/vantelo/icon128.png")));
    // The system proxy lookup is of no use for UDP on the local network and starts a thread.
    QNetworkProxyFactory::setUseSystemConfiguration(false);

    // Qt knows the executable's own path, wherever it was started from.
    vantelo::CVanteloApp app(
        vantelo::ConfigDirectoryFor(QCoreApplication::applicationFilePath().toStdString()));
    app.InitInstance();
    return 0;
}
