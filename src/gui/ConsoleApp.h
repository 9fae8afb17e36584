#pragma once

#include <memory>
#include <string>

#include "console/Console.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogRunner.h"
#include "gui/QtUserInteraction.h"
#include "platform/QtAddressTable.h"
#include "platform/QtDatagramSocket.h"
#include "platform/QtNetworkInterfaces.h"
#include "platform/QtTimers.h"
#include "platform/files/ConsoleSettings.h"
#include "platform/files/PosixFileSystem.h"

namespace vantelo {

// Ports to use instead of the platform's own; each one left empty is the platform's.
struct PortChoices {
    SocketFactory* sockets = nullptr;
    Timers* timers = nullptr;
    Clock* clock = nullptr;
    UserInteraction* ui = nullptr;
    AddressTable* addresses = nullptr;
    // Sockets of another kind than the platform's have no interfaces of the platform: without a
    // choice here, their broadcasts follow the routing table.
    NetworkInterfaces* interfaces = nullptr;
};

// The console and its main window on the platform's ports: the one way the executable, the
// tests and the benchmarks build them.
class ConsoleApp {
public:
    explicit ConsoleApp(std::string configDirectory, PortChoices choices = {});
    ~ConsoleApp();
    ConsoleApp(const ConsoleApp&) = delete;
    ConsoleApp& operator=(const ConsoleApp&) = delete;

    // The main window's initialisation: the engine's start-up, in its fixed order.
    void Initialize();
    // Initialises the window and runs it modally until it ends.
    int Run();

    Console& Engine() { return *console_; }
    MainWindow& Window() { return *window_; }

private:
    QtSocketFactory sockets_;
    QtTimers timers_;
    QtClock clock_;
    QtUserInteraction ui_;
    QtAddressTable addresses_;
    QtNetworkInterfaces interfaces_;
    QtDialogRunner dialogs_;
    PosixFileSystem files_;
    ConsoleSettings settings_;
    std::unique_ptr<Console> console_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace vantelo
