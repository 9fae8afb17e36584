#include "app/vantelo.h"

#include "app/Console.h"
#include "app/vanteloDlg.h"
#include "platform/qt/QtAddressTable.h"
#include "platform/qt/QtDatagramSocket.h"
#include "platform/qt/QtDialogRunner.h"
#include "platform/qt/QtTimers.h"
#include "platform/qt/QtUserInteraction.h"

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
    Console console(
        ConsolePorts{&sockets, &timers, &clock, &ui, &addresses, &dialogs, configDirectory_});

    CVanteloDlg dialog(console);
    ui.SetMainWindow(&dialog);
    dialogs.SetParent(&dialog);
    dialogs.SetApplyRemoteIp(
        [&console](uint32_t address) { return console.ApplyRemoteIp(address); });
    dialog.DoModal();
    return false;
}

}  // namespace vantelo
