#include "gui/ConsoleApp.h"

#include "console/Console.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogRunner.h"
#include "gui/QtUserInteraction.h"
#include "platform/QtAddressTable.h"
#include "platform/QtDatagramSocket.h"
#include "platform/QtTimers.h"
#include "platform/files/PosixFileSystem.h"

namespace vantelo {

CVanteloApp::CVanteloApp(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

bool CVanteloApp::InitInstance() {
    QtSocketFactory sockets;
    QtTimers timers;
    QtClock clock;
    QtUserInteraction ui;
    QtAddressTable addresses;
    QtDialogRunner dialogs;
    PosixFileSystem files;
    Console console(ConsolePorts{&sockets, &timers, &clock, &ui, &addresses, &dialogs, &files,
                                 configDirectory_});

    MainWindow dialog(console);
    ui.SetMainWindow(&dialog);
    dialogs.SetParent(&dialog);
    dialogs.SetApplyRemoteIp(
        [&console](uint32_t address) { return console.ApplyRemoteIp(address); });
    dialog.DoModal();
    return false;
}

}  // namespace vantelo
