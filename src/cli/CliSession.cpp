#include "cli/CliSession.h"

#include "cli/OfflineSockets.h"
#include "platform/QtDatagramSocket.h"

namespace vantelo::cli {

namespace {

std::unique_ptr<SocketFactory> SocketsFor(Network network) {
    if (network == Network::Offline) {
        return std::make_unique<OfflineSocketFactory>();
    }
    return std::make_unique<QtSocketFactory>();
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
    return outcomes_.StartCode(before);
}

}  // namespace vantelo::cli
