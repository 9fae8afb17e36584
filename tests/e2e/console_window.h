#pragma once

#include <QList>
#include <QLocalSocket>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gui/ConsoleApp.h"
#include "support/Controls.h"
#include "support/RecordingUserInteraction.h"
#include "support/VirtualClock.h"

class QMessageBox;
class QTableView;

namespace vantelo::test {

// Records every box like RecordingUserInteraction and lets a test look at the console at the
// moment a box opens.
class WatchedUserInteraction : public RecordingUserInteraction {
public:
    BoxAnswer ShowMessage(const MessageBoxRequest& request) override {
        if (onBox) {
            onBox(request);
        }
        return RecordingUserInteraction::ShowMessage(request);
    }

    std::function<void(const MessageBoxRequest&)> onBox;
};

// The real main window on the real engine with the console's own Qt sockets, timers, clock,
// address table and dialog runner, as the vantelo executable builds them. Only message boxes and
// file dialogs are recorded instead of shown, so that no box waits for an operator.
class ConsoleWindow {
public:
    explicit ConsoleWindow(std::string configDirectory);
    ~ConsoleWindow();
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    // The dialog's initialisation (definition file, monitor list, sockets), then the window.
    // A virtual clock, when given, stands in for the Qt timers and clock.
    void Start(VirtualClock* clock = nullptr);
    // Before Start: the console knows no interfaces and its broadcasts follow the routing table.
    void FollowRoutingTable() { routed_ = true; }
    void Click(ControlId id) const;

    Console& Engine() { return app_->Engine(); }
    MainWindow& Dialog() { return app_->Window(); }
    QTableView* DiscoveryView() const { return app_->Window().DiscoveryView(); }
    QTableView* MonitorView() const { return app_->Window().MonitorView(); }
    WatchedUserInteraction& Ui() { return ui_; }

private:
    std::string configDirectory_;
    WatchedUserInteraction ui_;
    bool routed_ = false;
    // The platform's sockets handed over as a choice of their own, which leaves out its
    // interfaces.
    QtSocketFactory routedSockets_;
    std::unique_ptr<ConsoleApp> app_;
};

// The cell texts of one row of a view, as shown.
QStringList RowTexts(const QTableView* view, int row);
// The row whose cell in column holds text; -1 when none does.
int FindViewRow(const QTableView* view, int column, const QString& text);

// The resident set of this process in KiB, from the kernel's status of it; -1 when unknown.
long ResidentKiB();
// The message boxes open now.
QList<QMessageBox*> OpenBoxes();
// How deep the stack is below the frame that took base: each nested box adds to it.
uintptr_t StackDepth(uintptr_t base);

// A client of the simulator's control channel at a UNIX socket path.
class SimulatorControl {
public:
    explicit SimulatorControl(const QString& path);
    // Sends one command and returns its final answer line ("ok ..." or "error ..."), or an empty
    // text when none came within five seconds.
    QString Send(const QString& command);

private:
    QLocalSocket socket_;
};

}  // namespace vantelo::test
