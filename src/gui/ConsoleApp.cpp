#include "gui/ConsoleApp.h"

#include <QApplication>

#include "gui/controls/Images.h"

namespace vantelo {

namespace {

template <typename Port>
Port* Chosen(Port* choice, Port* platform) {
    return choice != nullptr ? choice : platform;
}

}  // namespace

ConsoleApp::ConsoleApp(std::string configDirectory, PortChoices choices)
    : settings_(QString::fromStdString(configDirectory)) {
    // Every window of the console, and the window manager's view of it, shows the console's icon.
    QApplication::setWindowIcon(IconOf(Image::AppIcon));
    ConsolePorts ports{Chosen<SocketFactory>(choices.sockets, &sockets_),
                       Chosen<Timers>(choices.timers, &timers_),
                       Chosen<Clock>(choices.clock, &clock_),
                       Chosen<UserInteraction>(choices.ui, &ui_),
                       Chosen<AddressTable>(choices.addresses, &addresses_),
                       &dialogs_,
                       &files_,
                       std::move(configDirectory),
                       choices.interfaces != nullptr ? choices.interfaces
                       : choices.sockets != nullptr  ? nullptr
                                                     : &interfaces_};
    console_ = std::make_unique<Console>(ports);
    // The operator's last choice of interface, from the settings of earlier runs.
    console_->ChooseInterface(settings_.NetworkInterface());
    window_ = std::make_unique<MainWindow>(*console_, &settings_);
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
