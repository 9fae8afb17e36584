#include "console_window.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace vantelo::test {

ConsoleWindow::ConsoleWindow(std::string configDirectory)
    : configDirectory_(std::move(configDirectory)) {}

ConsoleWindow::~ConsoleWindow() {
    dialog_.reset();  // the views let go of the engine's lists first
}

void ConsoleWindow::Start() {
    console_ = std::make_unique<Console>(ConsolePorts{
        &sockets_, &timers_, &clock_, &ui_, &addresses_, &dialogs_, &files_, configDirectory_});
    dialog_ = std::make_unique<MainWindow>(*console_);
    dialogs_.SetParent(dialog_.get());
    dialogs_.SetApplyRemoteIp(
        [this](uint32_t address) { return console_->ApplyRemoteIp(address); });
    dialog_->OnInitDialog();
    dialog_->show();
}

void ConsoleWindow::Click(int id) const {
    auto* button = dialog_->findChild<QPushButton*>(QString::number(id));
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
