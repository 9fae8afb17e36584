// The Qt adapters of the engine's ports: sockets on the loopback interface, timers, message boxes,
// file dialogs, the address table, the IP address control.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <cerrno>
#include <set>

#include "GuiTestSupport.h"
#include "gui/FileDialogFilter.h"
#include "gui/QtUserInteraction.h"
#include "gui/controls/IpAddressEdit.h"
#include "platform/PortHolder.h"
#include "platform/QtAddressTable.h"
#include "platform/QtDatagramSocket.h"
#include "platform/QtTimers.h"
#include "platform/RunningInstance.h"
#include "platform/files/ConsoleSettings.h"

using namespace vantelo;
using vantelo::test::OnNextModal;

Q_DECLARE_METATYPE(BoxIcon)
Q_DECLARE_METATYPE(BoxOwner)
Q_DECLARE_METATYPE(BoxButtons)
Q_DECLARE_METATYPE(BoxAnswer)
Q_DECLARE_METATYPE(QMessageBox::Icon)

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

// What the engine's receive path would read, one entry per readable callback.
struct Received {
    QByteArray bytes;
    long size;
    Endpoint from;
};

void ReadEachDatagram(QtDatagramSocket& socket, std::vector<Received>* received) {
    socket.SetReadableCallback([&socket, received] {
        uint8_t buffer[1500];
        Endpoint from{};
        const long size = socket.Receive(buffer, sizeof buffer, &from);
        const int kept = static_cast<int>(std::clamp<long>(size, 0, sizeof buffer));
        received->push_back({QByteArray(reinterpret_cast<char*>(buffer), kept), size, from});
    });
}

QByteArray Numbered(int n, int size) {
    QByteArray bytes(size, static_cast<char>('a' + n % 26));
    if (size >= 2) {
        bytes[0] = static_cast<char>(n >> 8);
        bytes[1] = static_cast<char>(n & 0xFF);
    }
    return bytes;
}

}  // namespace

class TestAdapters : public QObject {
    Q_OBJECT

private slots:
    void socketDeliversEveryWaitingDatagramOnce();
    void socketDropsADatagramTheEngineDidNotRead();
    void socketDeliversWhileAReceiveIsInsideAMessageBox();
    void socketClosedDeliversNothingMore();
    void socketTellsBindFailuresFromCreateFailures();
    void socketSends();
    void portHolderIsNamedWithItsProcess();
    void portTableLinesGiveTheirPortsSockets();
    void secondStartBringsTheFirstForward();
    void interfaceChoiceIsRememberedInVanteloConf();

    void timersFireAndStop();

    void fileDialogFilters_data();
    void fileDialogFilters();
    void defaultSuffix_data();
    void defaultSuffix();

    void messageBoxes_data();
    void messageBoxes();
    void messageBoxOwnedByTheOpenDialog();
    void saveDialog();
    void saveDialogAsksBeforeOverwriting();
    void openDialogTakesOnlyAnExistingFile();
    void openUrlAndTextFileGoToTheDesktop();

    void addressTableListsEachIpv4AddressOnce();

    void ipAddressControl_data();
    void ipAddressControl();
};

void TestAdapters::socketDeliversEveryWaitingDatagramOnce() {
    QtDatagramSocket socket;
    QCOMPARE(socket.Open(0), SocketOpenResult::Ok);
    QVERIFY(socket.IsOpen());
    const uint16_t port = socket.LocalPort();
    QVERIFY(port != 0);
    QCOMPARE(socket.EnableBroadcast(), 0);
    std::vector<Received> received;
    ReadEachDatagram(socket, &received);

    // More than the 256 replies of a full discovery, an empty one and one longer than the
    // engine's buffer among them, in bursts whose datagrams all wait before the first is read.
    // A burst fits the receive buffer a system gives by default to a user other than root.
    constexpr size_t kBurst = 50;
    QUdpSocket agent;
    QVERIFY(agent.bind(QHostAddress(QHostAddress::LocalHost), 0));
    std::vector<QByteArray> sent;
    for (int n = 0; n < 300; ++n) {
        sent.push_back(n == 7 ? QByteArray() : Numbered(n, n == 9 ? 2000 : 40 + n % 300));
        QCOMPARE(agent.writeDatagram(sent.back(), QHostAddress(QHostAddress::LocalHost), port),
                 qint64(sent.back().size()));
        if (sent.size() % kBurst == 0) {
            QTRY_COMPARE_WITH_TIMEOUT(received.size(), sent.size(), 20000);
        }
    }
    for (size_t n = 0; n < sent.size(); ++n) {
        QCOMPARE(received[n].size, long(sent[n].size()));
        QCOMPARE(received[n].bytes, sent[n].left(1500));
        QCOMPARE(received[n].from.address, kLoopback);
        QCOMPARE(received[n].from.port, agent.localPort());
    }
    QTest::qWait(50);
    QCOMPARE(received.size(), sent.size());
}

void TestAdapters::socketDropsADatagramTheEngineDidNotRead() {
    QtDatagramSocket socket;
    QCOMPARE(socket.Open(0), SocketOpenResult::Ok);
    const uint16_t port = socket.LocalPort();
    int calls = 0;
    std::vector<QByteArray> read;
    socket.SetReadableCallback([&] {
        if (++calls == 1) {
            return;
        }
        uint8_t buffer[64];
        const long size = socket.Receive(buffer, sizeof buffer, nullptr);
        read.emplace_back(reinterpret_cast<char*>(buffer), static_cast<int>(size));
        QCOMPARE(socket.Receive(buffer, sizeof buffer, nullptr), -1L);
    });
    QUdpSocket agent;
    agent.writeDatagram(QByteArray("first"), QHostAddress(QHostAddress::LocalHost), port);
    agent.writeDatagram(QByteArray("second"), QHostAddress(QHostAddress::LocalHost), port);
    QTRY_COMPARE(calls, 2);
    QCOMPARE(read, std::vector<QByteArray>{QByteArray("second")});
}

void TestAdapters::socketDeliversWhileAReceiveIsInsideAMessageBox() {
    QtDatagramSocket socket;
    QCOMPARE(socket.Open(0), SocketOpenResult::Ok);
    const uint16_t port = socket.LocalPort();
    QUdpSocket agent;
    std::vector<QByteArray> order;
    socket.SetReadableCallback([&] {
        uint8_t buffer[64];
        const long size = socket.Receive(buffer, sizeof buffer, nullptr);
        order.emplace_back(reinterpret_cast<char*>(buffer), static_cast<int>(size));
        if (order.size() == 1) {
            // The receive path shows a box: its event loop must still hand on new datagrams.
            agent.writeDatagram(QByteArray("during"), QHostAddress(QHostAddress::LocalHost), port);
            QEventLoop box;
            QTimer::singleShot(10000, &box, &QEventLoop::quit);
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (order.size() == 2) {
                    box.quit();
                }
            });
            poll.start(5);
            box.exec();
            order.emplace_back("box closed");
        }
    });
    agent.writeDatagram(QByteArray("before"), QHostAddress(QHostAddress::LocalHost), port);
    QTRY_COMPARE(order.size(), size_t(3));
    QCOMPARE(order, (std::vector<QByteArray>{"before", "during", "box closed"}));
}

void TestAdapters::socketClosedDeliversNothingMore() {
    QtDatagramSocket socket;
    QCOMPARE(socket.Open(0), SocketOpenResult::Ok);
    const uint16_t port = socket.LocalPort();
    int calls = 0;
    socket.SetReadableCallback([&] {
        ++calls;
        socket.Close();
    });
    QUdpSocket agent;
    for (int n = 0; n < 5; ++n) {
        agent.writeDatagram(Numbered(n, 8), QHostAddress(QHostAddress::LocalHost), port);
    }
    QTRY_COMPARE(calls, 1);
    QTest::qWait(50);
    QCOMPARE(calls, 1);
    QVERIFY(!socket.IsOpen());
    socket.Close();
}

void TestAdapters::socketTellsBindFailuresFromCreateFailures() {
    QtDatagramSocket first;
    QCOMPARE(first.Open(0), SocketOpenResult::Ok);
    QtDatagramSocket second;
    QCOMPARE(second.Open(first.LocalPort()), SocketOpenResult::BindFailed);
    QVERIFY(!second.IsOpen());
    QCOMPARE(second.OpenError(), EADDRINUSE);

    // No descriptor left for a new socket: creating it fails before any bind.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    QVERIFY(lowestFree >= 0);
    ::close(lowestFree);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree);
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &tight), 0);
    QtDatagramSocket third;
    const SocketOpenResult result = third.Open(0);
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &saved), 0);
    QCOMPARE(result, SocketOpenResult::CreateFailed);
    QVERIFY(!third.IsOpen());
    QCOMPARE(third.OpenError(), EMFILE);
}

void TestAdapters::portHolderIsNamedWithItsProcess() {
    QFile comm(QStringLiteral("/proc/self/comm"));
    QVERIFY(comm.open(QIODevice::ReadOnly));
    const std::string name = comm.readAll().trimmed().toStdString();
    uint16_t port = 0;
    {
        QtDatagramSocket held;
        QCOMPARE(held.Open(0), SocketOpenResult::Ok);
        port = held.LocalPort();
        QCOMPARE(PortInUseLine(port), "UDP port " + std::to_string(port) + " is in use by " + name +
                                          " (pid " + std::to_string(getpid()) + ")");
    }
    QCOMPARE(PortInUseLine(port), "UDP port " + std::to_string(port) + " is in use");
}

void TestAdapters::portTableLinesGiveTheirPortsSockets() {
    // Port 0x1388 (5000) twice (IPv4 and a connected one), 0x1389 once, a line cut short, and a
    // socket of inode 0 (a closing one) that counts for nothing.
    const std::string table =
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
        "timeout inode ref pointer drops\n"
        "  1: 00000000:1388 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
        "0 4101 2 0000000000000000 0\n"
        "  2: 0100007F:1389 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
        "0 4102 2 0000000000000000 0\n"
        "  3: 0100007F:1388 0100007F:1389 01 00000000:00000000 00:00000000 00000000     0        "
        "0 4103 2 0000000000000000 0\n"
        "  4: 00000000:1388 00000000:0000\n"
        "  5: 00000000:1388 00000000:0000 07 00000000:00000000 00:00000000 00000000     0        "
        "0 0 2 0000000000000000 0\n";
    QCOMPARE(UdpSocketInodes(table, 5000), (std::vector<unsigned long>{4101, 4103}));
    QCOMPARE(UdpSocketInodes(table, 5001), (std::vector<unsigned long>{4102}));
    QVERIFY(UdpSocketInodes(table, 5002).empty());
    QVERIFY(UdpSocketInodes("", 5000).empty());
}

void TestAdapters::secondStartBringsTheFirstForward() {
    QTemporaryDir one;
    QTemporaryDir other;
    RunningInstance first(one.path().toStdString());
    QVERIFY(!first.AskToShow());
    int shown = 0;
    first.Listen([&shown] { ++shown; });

    QVERIFY(RunningInstance(one.path().toStdString()).AskToShow());
    QTRY_COMPARE(shown, 1);
    // The same directory by another path is the same console.
    QVERIFY(RunningInstance(one.path().toStdString() + "/.").AskToShow());
    QTRY_COMPARE(shown, 2);
    QVERIFY(!RunningInstance(other.path().toStdString()).AskToShow());
    QCOMPARE(shown, 2);
}

void TestAdapters::interfaceChoiceIsRememberedInVanteloConf() {
    QTemporaryDir dir;
    const QString path = dir.path();
    QCOMPARE(ConsoleSettings(path).NetworkInterface(), std::string());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("vantelo.conf"))));
    ConsoleSettings(path).SetNetworkInterface("eth1");
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("vantelo.conf"))));
    QCOMPARE(ConsoleSettings(path).NetworkInterface(), std::string("eth1"));
    // Back to all interfaces: the next run starts with all again.
    ConsoleSettings(path).SetNetworkInterface("");
    QCOMPARE(ConsoleSettings(path).NetworkInterface(), std::string());
}

void TestAdapters::socketSends() {
    QUdpSocket agent;
    QVERIFY(agent.bind(QHostAddress(QHostAddress::LocalHost), 0));
    QtDatagramSocket socket;
    QCOMPARE(socket.Open(0), SocketOpenResult::Ok);
    const uint8_t request[] = {1, 2, 3, 4};
    int error = 0;
    QCOMPARE(socket.SendTo(request, sizeof request, Endpoint{kLoopback, agent.localPort()}, &error),
             0);
    QTRY_VERIFY(agent.hasPendingDatagrams());
    QCOMPARE(agent.receiveDatagram().data(), QByteArray("\x01\x02\x03\x04", 4));

    socket.Close();
    QCOMPARE(socket.SendTo(request, sizeof request, Endpoint{kLoopback, agent.localPort()}, &error),
             -1);
    QVERIFY(error != 0);
}

void TestAdapters::timersFireAndStop() {
    QtTimers timers;
    int single = 0;
    int repeating = 0;
    int stopped = 0;
    timers.StartSingleShot(1, [&] { ++single; });
    TimerHandle repeat = kNoTimer;
    repeat = timers.StartRepeating(1, [&] {
        if (++repeating == 3) {
            timers.Stop(repeat);  // from inside its own tick
        }
    });
    const TimerHandle never = timers.StartSingleShot(1, [&] { ++stopped; });
    QVERIFY(never != repeat && never != kNoTimer && repeat != kNoTimer);
    timers.Stop(never);
    timers.Stop(never);
    timers.Stop(12345);
    QTRY_COMPARE(repeating, 3);
    QTest::qWait(30);
    QCOMPARE(single, 1);
    QCOMPARE(repeating, 3);
    QCOMPARE(stopped, 0);

    // A timer started from a firing one runs too.
    int chained = 0;
    timers.StartSingleShot(0, [&] { timers.StartSingleShot(0, [&] { ++chained; }); });
    QTRY_COMPARE(chained, 1);

    const LocalTime now = QtClock().Now();
    QVERIFY(now.month >= 1 && now.month <= 12 && now.day >= 1 && now.year >= 2000);
}

void TestAdapters::fileDialogFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("monitor list files")
        << "config File (*.cfg)|*.cfg||" << QStringList{"config File (*.cfg)"};
    QTest::newRow("description without patterns")
        << "Firmware|*.bin;*.img||" << QStringList{"Firmware (*.bin *.img)"};
    QTest::newRow("two entries") << "Text (*.txt)|*.txt|All|*.*||"
                                 << QStringList{"Text (*.txt)", "All (*.*)"};
    QTest::newRow("no closing bars") << "Logs|*.log" << QStringList{"Logs (*.log)"};
    QTest::newRow("description alone") << "Anything||" << QStringList{"Anything (*)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestAdapters::fileDialogFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QStringList filters;
    for (const std::string& entry : NameFiltersOf(filter.toStdString())) {
        filters << QString::fromStdString(entry);
    }
    QCOMPARE(filters, expected);
}

void TestAdapters::defaultSuffix_data() {
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("save as") << "Default.cfg"
                             << "cfg";
    QTest::newRow("load") << "*.cfg"
                          << "cfg";
    QTest::newRow("bare") << "cfg"
                          << "cfg";
    QTest::newRow("none") << ""
                          << "";
}

void TestAdapters::defaultSuffix() {
    QFETCH(QString, extension);
    QFETCH(QString, suffix);
    QCOMPARE(QString::fromStdString(DefaultSuffixOf(extension.toStdString())), suffix);
}

void TestAdapters::messageBoxes_data() {
    QTest::addColumn<BoxIcon>("icon");
    QTest::addColumn<BoxButtons>("buttons");
    QTest::addColumn<BoxOwner>("owner");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("key");  // 0: click the button named by pressCancel instead
    QTest::addColumn<bool>("pressCancel");
    QTest::addColumn<QMessageBox::Icon>("shownIcon");
    QTest::addColumn<QString>("shownCaption");
    QTest::addColumn<BoxAnswer>("answer");

    QTest::newRow("error box of the main window")
        << BoxIcon::Error << BoxButtons::Ok << BoxOwner::MainWindow << "Error" << 0 << false
        << QMessageBox::Critical << "Error" << BoxAnswer::Ok;
    QTest::newRow("warning answered Cancel")
        << BoxIcon::Warning << BoxButtons::OkCancel << BoxOwner::MainWindow << "Warning" << 0
        << true << QMessageBox::Warning << "Warning" << BoxAnswer::Cancel;
    QTest::newRow("warning answered OK")
        << BoxIcon::Warning << BoxButtons::OkCancel << BoxOwner::MainWindow << "Warning" << 0
        << false << QMessageBox::Warning << "Warning" << BoxAnswer::Ok;
    QTest::newRow("Escape is Cancel")
        << BoxIcon::Warning << BoxButtons::OkCancel << BoxOwner::MainWindow << "Warning"
        << int(Qt::Key_Escape) << false << QMessageBox::Warning << "Warning" << BoxAnswer::Cancel;
    QTest::newRow("Escape on a box with only OK")
        << BoxIcon::Error << BoxButtons::Ok << BoxOwner::None << " Error" << int(Qt::Key_Escape)
        << false << QMessageBox::Critical << " Error" << BoxAnswer::Ok;
    QTest::newRow("application box takes the application's name")
        << BoxIcon::Exclamation << BoxButtons::Ok << BoxOwner::Application << "ignored" << 0
        << false << QMessageBox::Warning << "Vantelo Utility" << BoxAnswer::Ok;
    QTest::newRow("information") << BoxIcon::Information << BoxButtons::Ok << BoxOwner::None
                                 << "information" << 0 << false << QMessageBox::Information
                                 << "information" << BoxAnswer::Ok;
}

void TestAdapters::messageBoxes() {
    QFETCH(BoxIcon, icon);
    QFETCH(BoxButtons, buttons);
    QFETCH(BoxOwner, owner);
    QFETCH(QString, caption);
    QFETCH(int, key);
    QFETCH(bool, pressCancel);
    QFETCH(QMessageBox::Icon, shownIcon);
    QFETCH(QString, shownCaption);
    QFETCH(BoxAnswer, answer);

    QWidget mainWindow;
    mainWindow.show();
    QtUserInteraction ui;
    ui.SetMainWindow(&mainWindow);
    const std::string text = "It will cause the application fail\n ";

    QString seenCaption;
    QString seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QWidget* seenParent = reinterpret_cast<QWidget*>(1);
    int seenButtons = 0;
    OnNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        seenCaption = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        seenParent = box->parentWidget();
        seenButtons = static_cast<int>(box->buttons().size());
        if (key != 0) {
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        } else {
            box->button(pressCancel ? QMessageBox::Cancel : QMessageBox::Ok)->click();
        }
    });
    const BoxAnswer got =
        ui.ShowMessage(MessageBoxRequest{text, caption.toStdString(), icon, buttons, owner});

    QCOMPARE(got, answer);
    QCOMPARE(seenCaption, shownCaption);
    QCOMPARE(seenText, QString::fromStdString(text));
    QCOMPARE(seenIcon, shownIcon);
    QCOMPARE(seenButtons, buttons == BoxButtons::OkCancel ? 2 : 1);
    QCOMPARE(seenParent, owner == BoxOwner::MainWindow ? &mainWindow : nullptr);
}

void TestAdapters::messageBoxOwnedByTheOpenDialog() {
    QWidget mainWindow;
    mainWindow.show();
    QDialog dialog(&mainWindow);
    dialog.open();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QtUserInteraction ui;
    ui.SetMainWindow(&mainWindow);
    QWidget* seenParent = nullptr;
    OnNextModal(
        [&](QWidget* modal) {
            seenParent = modal->parentWidget();
            qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
        },
        &dialog);
    ui.ShowMessage(MessageBoxRequest{"IP address is illegal", " Error", BoxIcon::Error,
                                     BoxButtons::Ok, BoxOwner::Dialog});
    QCOMPARE(seenParent, &dialog);
}

namespace {

const FileDialogRequest kSaveAs{true, "config File (*.cfg)|*.cfg||", "*.cfg", "Default.cfg"};
const FileDialogRequest kLoad{false, "config File (*.cfg)|*.cfg||", "monitor.cfg", "*.cfg"};

QLineEdit* NameField(QFileDialog* dialog) {
    return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// The dialog's OK: QFileDialog checks the typed name, asks before overwriting, then closes.
void PressOk(QFileDialog* dialog) {
    static_cast<QDialog*>(dialog)->accept();
}

}  // namespace

void TestAdapters::saveDialog() {
    QTemporaryDir dir;
    QtUserInteraction ui;
    QString initialName;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), QStringList{"config File (*.cfg)"});
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("cfg"));
        initialName = NameField(dialog)->text();
        dialog->setDirectory(dir.path());
        NameField(dialog)->setText(QStringLiteral("lab"));
        PressOk(dialog);
    });
    std::string path;
    QVERIFY(ui.AskFileName(kSaveAs, &path));
    QCOMPARE(QString::fromStdString(path), dir.filePath(QStringLiteral("lab.cfg")));
    QCOMPARE(initialName, QString());

    OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    QVERIFY(!ui.AskFileName(kSaveAs, &path));
}

void TestAdapters::saveDialogAsksBeforeOverwriting() {
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("old.cfg")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtUserInteraction ui;
    int questions = 0;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        dialog->setDirectory(dir.path());
        NameField(dialog)->setText(QStringLiteral("old.cfg"));
        // First refuse to overwrite (the dialog stays), then accept.
        OnNextModal(
            [&, dialog](QWidget* question) {
                ++questions;
                qobject_cast<QMessageBox*>(question)->button(QMessageBox::No)->click();
                OnNextModal(
                    [&](QWidget* again) {
                        ++questions;
                        qobject_cast<QMessageBox*>(again)->button(QMessageBox::Yes)->click();
                    },
                    dialog);
                QTimer::singleShot(0, dialog, [dialog] { PressOk(dialog); });
            },
            dialog);
        PressOk(dialog);
    });
    std::string path;
    QVERIFY(ui.AskFileName(kSaveAs, &path));
    QCOMPARE(questions, 2);
    QCOMPARE(QString::fromStdString(path), existing.fileName());
}

void TestAdapters::openDialogTakesOnlyAnExistingFile() {
    QTemporaryDir dir;
    QFile monitor(dir.filePath(QStringLiteral("monitor.cfg")));
    QVERIFY(monitor.open(QIODevice::WriteOnly));
    monitor.close();
    QtUserInteraction ui;
    QString initialName;
    QString refusal;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        initialName = NameField(dialog)->text();
        dialog->setDirectory(dir.path());
        NameField(dialog)->setText(QStringLiteral("missing.cfg"));
        // A name that does not exist is refused with a box, and the dialog stays open.
        OnNextModal(
            [&, dialog](QWidget* box) {
                refusal = qobject_cast<QMessageBox*>(box)->text();
                qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
                QTimer::singleShot(0, dialog, [dialog] {
                    NameField(dialog)->setText(QStringLiteral("monitor.cfg"));
                    PressOk(dialog);
                });
            },
            dialog);
        PressOk(dialog);
    });
    std::string path;
    QVERIFY(ui.AskFileName(kLoad, &path));
    QCOMPARE(initialName, QStringLiteral("monitor.cfg"));
    QVERIFY(refusal.contains(QStringLiteral("missing.cfg")));
    QCOMPARE(QString::fromStdString(path), monitor.fileName());
}

void TestAdapters::openUrlAndTextFileGoToTheDesktop() {
    test::UrlSink sink;
    QtUserInteraction ui;
    QCOMPARE(ui.OpenUrl("http://10.77.0.5/"), 0);
    ui.OpenTextFile("/tmp/cfg/syslog.log");
    QCOMPARE(sink.opened,
             (QList<QUrl>{QUrl("http://10.77.0.5/"), QUrl::fromLocalFile("/tmp/cfg/syslog.log")}));
}

void TestAdapters::addressTableListsEachIpv4AddressOnce() {
    QtAddressTable table;
    std::vector<InterfaceAddress> addresses{{1, 2}};
    QCOMPARE(table.Read(&addresses), 0);
    std::set<std::pair<uint32_t, uint32_t>> distinct;
    for (const InterfaceAddress& entry : addresses) {
        distinct.insert({entry.address, entry.mask});
    }
    QCOMPARE(distinct.size(), addresses.size());
    QVERIFY(distinct.count({kLoopback, 0xFF000000u}) == 1);
    QVERIFY(distinct.count({1, 2}) == 0);
}

void TestAdapters::ipAddressControl_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<uint>("address");
    QTest::newRow("dotted") << "10.77.0.5" << 0x0A4D0005u;
    QTest::newRow("three digits move on") << "192168001002" << 0xC0A80102u;
    QTest::newRow("above 255 reads 255") << "300.1.1.1" << 0xFF010101u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("part typed, rest empty") << "10.1" << 0x0A010000u;
    QTest::newRow("letters ignored") << "1a.b2.3.4" << 0x01020304u;
    QTest::newRow("dot on an empty number stays") << ".5.6.7.8" << 0x05060708u;
}

void TestAdapters::ipAddressControl() {
    QFETCH(QString, typed);
    QFETCH(uint, address);
    IpAddressEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.Field(0)->setFocus();
    for (const QChar c : typed) {
        QTest::keyClick(edit.focusWidget(), c.toLatin1());
    }
    QCOMPARE(edit.Address(), uint32_t(address));

    // Backspace at the start of a number goes back to the one before.
    edit.SetAddress(0x01020304);
    edit.Field(2)->setFocus();
    edit.Field(2)->setCursorPosition(0);
    QTest::keyClick(edit.Field(2), Qt::Key_Backspace);
    QCOMPARE(edit.focusWidget(), static_cast<QWidget*>(edit.Field(1)));
}

VANTELO_GUI_TEST_MAIN(TestAdapters)
#include "tst_adapters.moc"
