#include "gui/ConsoleApp.h"

namespace vantelo {

namespace {

template <typename Port>
Port* Chosen(Port* choice, Port* platform) {
    return choice != nullptr ? choice : platform;
}

}  // namespace

ConsoleApp::ConsoleApp(std::string configDirectory, PortChoices choices) {
    ConsolePorts ports{Chosen<SocketFactory>(choices.sockets, &sockets_),
                       Chosen<Timers>(choices.timers, &timers_),
                       Chosen<Clock>(choices.clock, &clock_),
                       Chosen<UserInteraction>(choices.ui, &ui_),
                       Chosen<AddressTable>(choices.addresses, &addresses_),
                       &dialogs_,
                       &files_,
                       std::move(configDirectory)};
    console_ = std::make_unique<Console>(ports);
    window_ = std::make_unique<MainWindow>(*console_);
    ui_.SetMainWindow(window_.get());
    dialogs_.SetParent(window_.get());
}

ConsoleApp::~ConsoleApp() {
    window_.reset();  // the views let go of the engine's lists first
}

void ConsoleApp::Initialize() {
    window_->OnInitDialog();
}

int ConsoleApp::Run() {
    return window_->DoModal();
}

}  // namespace vantelo
