#include "console_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "support/Controls.h"

namespace vantelo::test {

ConsoleWindow::ConsoleWindow(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

ConsoleWindow::~ConsoleWindow() = default;

void ConsoleWindow::Start(VirtualClock* clock) {
    PortChoices choices;
    choices.ui = &ui_;
    choices.timers = clock;
    choices.clock = clock;
    if (routed_) {
        choices.sockets = &routedSockets_;
    }
    app_ = std::make_unique<ConsoleApp>(configDirectory_, choices);
    app_->Initialize();
    app_->Window().show();
}

void ConsoleWindow::Click(ControlId id) const {
    QTest::mouseClick(Find<QPushButton>(&app_->Window(), id), Qt::LeftButton);
}

QStringList RowTexts(const QTableView* view, int row) {
    QStringList texts;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        texts << view->model()->index(row, column).data().toString();
    }
    return texts;
}

int FindViewRow(const QTableView* view, int column, const QString& text) {
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (view->model()->index(row, column).data().toString() == text) {
            return row;
        }
    }
    return -1;
}

SimulatorControl::SimulatorControl(const QString& path) {
    socket_.connectToServer(path);
    socket_.waitForConnected(5000);
}

QString SimulatorControl::Send(const QString& command) {
    socket_.write((command + QLatin1Char('\n')).toUtf8());
    socket_.waitForBytesWritten(5000);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        while (socket_.canReadLine()) {
            const QString line = QString::fromUtf8(socket_.readLine()).trimmed();
            if (line.startsWith(QLatin1String("ok ")) || line.startsWith(QLatin1String("error "))) {
                return line;
            }
        }
        socket_.waitForReadyRead(100);
    }
    return {};
}

// The resident set of this process in KiB, from the kernel's status of it.
long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

QList<QMessageBox*> OpenBoxes() {
    QList<QMessageBox*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
            open << box;
        }
    }
    return open;
}

// How deep the stack is below the frame that took base: each nested box adds to it.
uintptr_t StackDepth(uintptr_t base) {
    volatile char here = 0;
    return base - reinterpret_cast<uintptr_t>(&here);
}

}  // namespace vantelo::test
