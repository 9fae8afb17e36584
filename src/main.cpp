// The console's executable: the Qt application around the console and its main window.

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

    // Qt knows the executable's own path, wherever it was started from. The application ends
    // with its main window, however that closes.
    vantelo::ConsoleApp app(
        vantelo::ConfigDirectoryFor(QCoreApplication::applicationFilePath().toStdString()));
    app.Run();
    return 0;
}
