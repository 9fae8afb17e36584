#include "cli/CliSession.h"

#include "cli/OfflineSockets.h"
#include "platform/QtDatagramSocket.h"

namespace vantelo::cli {

namespace {

std::unique_ptr<SeenSockets> SocketsFor(Network network) {
    if (network == Network::Offline) {
        return std::make_unique<SeenSockets>(std::make_unique<OfflineSocketFactory>());
    }
    return std::make_unique<SeenSockets>(std::make_unique<QtSocketFactory>());
}

}  // namespace

CliSession::CliSession(std::string configDirectory, Network network, ConsoleView* view)
    : sockets_(SocketsFor(network)), view_(view != nullptr ? view : &silentView_) {
    console_ =
        std::make_unique<Console>(ConsolePorts{sockets_.get(), &timers_, &clock_, &ui_, &addresses_,
                                               &dialogs_, &files_, std::move(configDirectory)});
    console_->WatchOutcomes(&outcomes_);
}

CliSession::~CliSession() {
    console_->Shutdown();
}

int CliSession::Start() {
    size_t before = outcomes_.Count();
    console_->Initialize(*view_);
    return outcomes_.CodeSince(before);
}

}  // namespace vantelo::cli
