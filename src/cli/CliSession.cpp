#include "cli/CliSession.h"

#include <cstdio>

#include "cli/OfflineSockets.h"
#include "platform/PortHolder.h"
#include "platform/QtDatagramSocket.h"

namespace vantelo::cli {

namespace {

// After its "Bind socket error", a line for each port another process holds, naming the holder
// where it can be found.
void TellPortHolders(const Transport& sockets) {
    for (SocketId socket : {SocketId::Broadcast, SocketId::Unicast}) {
        if (sockets.OpenResult(socket) == SocketOpenResult::BindFailed) {
            std::fprintf(stderr, "vantelo-cli: %s\n",
                         PortInUseLine(sockets.PortOf(socket)).c_str());
        }
    }
}

std::unique_ptr<SeenSockets> SocketsFor(Network network) {
    if (network == Network::Offline) {
        return std::make_unique<SeenSockets>(std::make_unique<OfflineSocketFactory>());
    }
    return std::make_unique<SeenSockets>(std::make_unique<QtSocketFactory>());
}

}  // namespace

CliSession::CliSession(std::string configDirectory, Network network,
                       const std::string& interfaceName, ConsoleView* view)
    : sockets_(SocketsFor(network)), view_(view != nullptr ? view : &silentView_) {
    console_ = std::make_unique<Console>(ConsolePorts{sockets_.get(), &timers_, &clock_, &ui_,
                                                      &addresses_, &dialogs_, &files_,
                                                      std::move(configDirectory), &interfaces_});
    console_->WatchOutcomes(&outcomes_);
    console_->ChooseInterface(interfaceName);
}

CliSession::~CliSession() {
    console_->Shutdown();
}

int CliSession::Start() {
    size_t before = outcomes_.Count();
    console_->Initialize(*view_);
    TellPortHolders(console_->Sockets());
    return outcomes_.CodeSince(before);
}

}  // namespace vantelo::cli
