#pragma once

#include <memory>
#include <string>

#include "cli/CliDialogRunner.h"
#include "cli/CliUserInteraction.h"
#include "cli/OutcomeLog.h"
#include "cli/SeenSockets.h"
#include "console/Console.h"
#include "platform/QtAddressTable.h"
#include "platform/QtNetworkInterfaces.h"
#include "platform/QtTimers.h"
#include "platform/files/PosixFileSystem.h"
#include "ports/ConsoleView.h"

namespace vantelo::cli {

enum class Network {
    Live,     // the console's two sockets on the network, as the window opens them
    Offline,  // sockets that send nothing, for the commands that only edit files
};

// The console's engine on the platform's adapters and the command line's own: the window's
// ports without the window.
class CliSession {
public:
    // view, when given, outlives the session and sees what the window would show; broadcasts to
    // every agent go out of the interface of that name, or out of all for an empty name.
    CliSession(std::string configDirectory, Network network, const std::string& interfaceName,
               ConsoleView* view = nullptr);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // The main window's initialisation. Returns 0, or the exit code of what went wrong: the
    // definition or the monitor list file (6), the sockets (5); its messages are on stderr.
    int Start();

    Console& Engine() { return *console_; }
    const Console& Engine() const { return *console_; }
    CliUserInteraction& Ui() { return ui_; }
    CliDialogRunner& Dialogs() { return dialogs_; }
    const OutcomeLog& Outcomes() const { return outcomes_; }
    // When a datagram of the agent with this record's address last came in during this run.
    // The name of the interface the agent answered on in this run; empty when it has not
    // answered, whatever interface a request to it would take.
    std::optional<std::string> InterfaceOf(const DeviceRecord& record) const {
        if (!LastSeen(record)) {
            return std::nullopt;
        }
        const std::optional<NetworkInterface> found = console_->InterfaceOf(record);
        return found ? std::optional<std::string>(found->name) : std::nullopt;
    }
    std::optional<QDateTime> LastSeen(const DeviceRecord& record) const {
        return sockets_->LastSeen(record.ip);
    }

private:
    class SilentView final : public ConsoleView {
    public:
        void ShowTrapIndicator(TrapIndicator) override {}
        void ShowRefreshTime(int) override {}
    };

    std::unique_ptr<SeenSockets> sockets_;
    QtTimers timers_;
    QtClock clock_;
    CliUserInteraction ui_;
    QtAddressTable addresses_;
    QtNetworkInterfaces interfaces_;
    CliDialogRunner dialogs_;
    PosixFileSystem files_;
    SilentView silentView_;
    ConsoleView* view_;
    OutcomeLog outcomes_;
    std::unique_ptr<Console> console_;
};

}  // namespace vantelo::cli
