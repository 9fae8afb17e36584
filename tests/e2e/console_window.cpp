#include "console_window.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace vantelo::test {

ConsoleWindow::ConsoleWindow(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

ConsoleWindow::~ConsoleWindow() = default;

void ConsoleWindow::Start(VirtualClock* clock) {
    PortChoices choices;
    choices.ui = &ui_;
    choices.timers = clock;
    choices.clock = clock;
    app_ = std::make_unique<ConsoleApp>(configDirectory_, choices);
    app_->Initialize();
    app_->Window().show();
}

void ConsoleWindow::Click(int id) const {
    auto* button = app_->Window().findChild<QPushButton*>(QString::number(id));
    if (button == nullptr) {
        QTest::qFail(qPrintable(QStringLiteral("no button %1").arg(id)), __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
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

}  // namespace vantelo::test
