#include "cli/CliSession.h"

#include "cli/ExitCode.h"
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

// The start-up boxes that name a bad file rather than the network.
bool NamesAFile(const MessageBoxRequest& box) {
    return box.caption == "file error" || box.text.rfind("It will cause", 0) == 0 ||
           box.text == "Config File Error";
}

}  // namespace

CliSession::CliSession(std::string configDirectory, Network network,
                       const std::string& interfaceName, ConsoleView* view)
    : sockets_(SocketsFor(network)), view_(view != nullptr ? view : &silentView_) {
    console_ = std::make_unique<Console>(ConsolePorts{sockets_.get(), &timers_, &clock_, &ui_,
                                                      &addresses_, &dialogs_, &files_,
                                                      std::move(configDirectory), &interfaces_});
    console_->ChooseInterface(interfaceName);
}

CliSession::~CliSession() {
    console_->Shutdown();
}

int CliSession::Start() {
    size_t before = ui_.BoxCount();
    console_->Initialize(*view_);
    int code = kExitDone;
    for (size_t k = before; k < ui_.BoxCount(); ++k) {
        code = std::max(code, NamesAFile(ui_.Boxes()[k]) ? int{kExitBadInput} : int{kExitRefused});
    }
    return code;
}

}  // namespace vantelo::cli
