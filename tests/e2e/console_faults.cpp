// The console under faults, end to end: the real main window, engine and Qt sockets against
// vantelo-agentsim in the private test network, with datagrams lost, agents silenced and killed,
// the configuration directory taken away, a full disk, floods of random datagrams, and a long run
// of 256 agents. console_fault_*.sh and console_soak.sh start the simulator and name the
// functions to run; the configuration directory and the simulator's control socket come in
// VANTELO_E2E_CONFIG and VANTELO_E2E_CONTROL, files the script and the driver hand each other in
// VANTELO_E2E_MARKERS.

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <cstdint>

#include "GuiTestSupport.h"
#include "console_window.h"
#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"
#include "support/TableInvariants.h"

using namespace vantelo;
using namespace vantelo::test;

namespace {

constexpr int kTimeoutMs = 5000;
constexpr int kSettleMs = 400;
// The discovery list's agents of console_agents.txt that are not monitored, by address.
const QStringList kDiscoveredAgents = {"10.77.1.3", "10.77.1.4", "10.77.1.5",
                                       "10.77.1.6", "10.77.2.7", "10.77.2.8"};
const QStringList kMonitoredAgents = {"10.77.1.1", "10.77.1.2"};
const QString kUpgradeAgent = QStringLiteral("10.77.0.10");

QString ConfigDirectory() {
    return qEnvironmentVariable("VANTELO_E2E_CONFIG");
}

QString ControlPath() {
    return qEnvironmentVariable("VANTELO_E2E_CONTROL");
}

QString Marker(const QString& name) {
    return qEnvironmentVariable("VANTELO_E2E_MARKERS") + "/" + name;
}

// Tells the script that a moment has come.
void Mark(const QString& name) {
    QFile file(Marker(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QString Log() {
    QFile file(ConfigDirectory() + "/syslog.log");
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kTimestamp = QStringLiteral("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d");

int LogLines(const QString& pattern) {
    const QRegularExpression line(QStringLiteral("^") + kTimestamp + " " + pattern + "\r$",
                                  QRegularExpression::MultilineOption);
    int count = 0;
    for (auto match = line.globalMatch(Log()); match.hasNext(); match.next()) {
        ++count;
    }
    return count;
}

bool ShowsNotAlive(const QTableView* monitor, const QString& ip) {
    const int row = FindViewRow(monitor, 1, ip);
    return row >= 0 && !monitor->model()->index(row, 0).data(Qt::DecorationRole).isNull();
}

// Moves the virtual clock on in 100 ms steps, letting the real sockets work between them.
void Advance(VirtualClock& clock, int ms) {
    for (int step = 0; step < ms; step += 100) {
        clock.Advance(100);
        QTest::qWait(2);
    }
}

// Moves the virtual clock on until done holds or limitMs have passed; true when it held.
bool AdvanceUntil(VirtualClock& clock, int limitMs, const std::function<bool()>& done) {
    for (int step = 0; step < limitMs && !done(); step += 100) {
        clock.Advance(100);
        QTest::qWait(2);
    }
    return done();
}

// Discovers the agents, selects the upgrade target and opens the upgrade dialog with the
// firmware file of the script and the password; Start is pressed and act runs in the dialog.
void RunUpgradeDialog(ConsoleWindow& window, const std::function<void(QWidget*)>& act) {
    QTableView* discovery = window.DiscoveryView();
    window.Click(ControlId::Discovery);
    QTRY_VERIFY_WITH_TIMEOUT(FindViewRow(discovery, 1, kUpgradeAgent) >= 0, kTimeoutMs);
    ClickRow(discovery, FindViewRow(discovery, 1, kUpgradeAgent));
    bool ran = false;
    OnNextModal([&](QWidget* dialog) {
        ran = true;
        test::Find<QLineEdit>(dialog, ControlId::UpgradeFirmwarePath)
            ->setText(qEnvironmentVariable("VANTELO_E2E_FIRMWARE"));
        test::Find<QLineEdit>(dialog, ControlId::UpgradePassword)->setText(QStringLiteral("admin"));
        QTest::mouseClick(test::Find<QPushButton>(dialog, ControlId::UpgradeStart), Qt::LeftButton);
        // The trigger's answer comes in real time, before the virtual clock ends its wait.
        QTest::qWait(300);
        act(dialog);
    });
    window.Click(ControlId::FirmwareUpgrade);
    QVERIFY(ran);
}

QString StateText(QWidget* dialog) {
    return test::Find<QLineEdit>(dialog, ControlId::UpgradeState)->text();
}

// The final block goes out with "Complete..."; once it is acknowledged, the pause after it
// closes the dialog.
void FinishTransfer(VirtualClock& clock, QWidget* dialog, int limitMs) {
    QVERIFY2(
        AdvanceUntil(clock, limitMs,
                     [&] { return StateText(dialog).startsWith(QStringLiteral("Complete...")); }),
        qPrintable(StateText(dialog)));
    QVERIFY2(AdvanceUntil(clock, 60000, [&] { return !dialog->isVisible(); }),
             qPrintable(StateText(dialog)));
}

}  // namespace

class TestConsoleFaults : public QObject {
    Q_OBJECT

private slots:
    void lossyDiscoveryAndPolling();
    void lossyTransfer();
    void silencedAndRevivedRepeatedly();
    void agentKilledMidTransfer();
    void configDirectoryRemovedAndRestored();
    void monitorSaveOntoFullDisk();
    void floodOfRandomDatagrams();
    void startsWithDamagedFiles();
    void soak();
};

// With a fifth of the datagrams lost each way, Discovery pressed again lists the agents it
// missed, once each and whole; polls and their resends keep the monitored agents alive through
// most rounds, and a miss of three never outlives the next answer.
void TestConsoleFaults::lossyDiscoveryAndPolling() {
    VirtualClock clock;
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start(&clock);
    QTableView* discovery = window.DiscoveryView();
    QTableView* monitor = window.MonitorView();
    QMap<QString, QStringList> firstSeen;
    for (int press = 0; press < 12 && firstSeen.size() < kDiscoveredAgents.size(); ++press) {
        window.Click(ControlId::Discovery);
        QTest::qWait(300);
        for (int row = 0; row < discovery->model()->rowCount(); ++row) {
            const QStringList texts = RowTexts(discovery, row);
            QVERIFY2(kDiscoveredAgents.contains(texts[1]), qPrintable(texts.join('|')));
            QVERIFY(firstSeen.value(texts[1], texts) == texts);
            firstSeen.insert(texts[1], texts);
        }
        const QStringList listed = Column(discovery, 1);
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), listed.size());
    }
    QCOMPARE(firstSeen.size(), kDiscoveredAgents.size());

    // Six poll rounds: count each agent's turns to not alive.
    QMap<QString, int> turnedNotAlive;
    QMap<QString, bool> wasNotAlive;
    for (int step = 0; step < 900; ++step) {
        Advance(clock, 100);
        for (const QString& ip : kMonitoredAgents) {
            const bool notAlive = ShowsNotAlive(monitor, ip);
            turnedNotAlive[ip] += notAlive && !wasNotAlive[ip] ? 1 : 0;
            wasNotAlive[ip] = notAlive;
        }
    }
    SimulatorControl control(ControlPath());
    QCOMPARE(control.Send("loss 0"), QStringLiteral("ok loss 0"));
    QVERIFY(AdvanceUntil(clock, 30000, [&] {
        return !ShowsNotAlive(monitor, kMonitoredAgents[0]) &&
               !ShowsNotAlive(monitor, kMonitoredAgents[1]);
    }));
    for (const QString& ip : kMonitoredAgents) {
        qInfo("%s turned not alive %d times in six lossy rounds", qPrintable(ip),
              turnedNotAlive[ip]);
        QVERIFY2(turnedNotAlive[ip] <= 2, qPrintable(ip));
        QCOMPARE(RowTexts(monitor, FindViewRow(monitor, 1, ip))[1], ip);
    }
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

// The simulator starts losing a fifth of the datagrams each way once the data blocks flow; the
// transfer completes through its resends and the agent is found after its restart.
void TestConsoleFaults::lossyTransfer() {
    VirtualClock clock;
    SimulatorControl control(ControlPath());
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start(&clock);
    RunUpgradeDialog(window, [&](QWidget* dialog) {
        QVERIFY(AdvanceUntil(clock, 4000, [&] {
            return StateText(dialog).startsWith(QStringLiteral("Upgrade..."));
        }));
        QCOMPARE(control.Send("loss 20"), QStringLiteral("ok loss 20"));
        FinishTransfer(clock, dialog, 600000);
        QCOMPARE(control.Send("loss 0"), QStringLiteral("ok loss 0"));
    });
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
    // The agent restarts in three real seconds; the verification's discoveries then find it.
    QTest::qWait(3500);
    QVERIFY(AdvanceUntil(clock, 130000, [&] { return !window.Ui().BoxTexts().isEmpty(); }));
    QCOMPARE(window.Ui().BoxTexts(), QStringList{QStringLiteral("information|Upgrade successful")});
}

// Silenced and revived five times: every silence gives not-alive lines and the icon (a round and
// three misses, up to 35 s), every revival clears the icon at the next answer; the other agent
// is never touched.
void TestConsoleFaults::silencedAndRevivedRepeatedly() {
    VirtualClock clock;
    SimulatorControl control(ControlPath());
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start(&clock);
    QTableView* monitor = window.MonitorView();
    const QString silent = kMonitoredAgents[0];
    const QString other = kMonitoredAgents[1];
    const QString notAlive = QRegularExpression::escape(silent) + " Not alive ";
    for (int round = 0; round < 5; ++round) {
        QCOMPARE(control.Send("silence " + silent), "ok silence " + silent);
        const int before = LogLines(notAlive);
        QVERIFY(AdvanceUntil(clock, 60000, [&] { return ShowsNotAlive(monitor, silent); }));
        QVERIFY(LogLines(notAlive) > before);
        QCOMPARE(control.Send("revive " + silent), "ok revive " + silent);
        QVERIFY(AdvanceUntil(clock, 20000, [&] { return !ShowsNotAlive(monitor, silent); }));
        const int revivedAt = LogLines(notAlive);
        Advance(clock, 5100);
        QCOMPARE(LogLines(notAlive), revivedAt);
    }
    QVERIFY(!ShowsNotAlive(monitor, other));
    QCOMPARE(LogLines(QRegularExpression::escape(other) + " Not alive "), 0);
    QCOMPARE(monitor->model()->rowCount(), kMonitoredAgents.size());
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

// The script kills the simulator while the blocks flow (each delayed, so the transfer is slow).
// The transfer fails with its text and log line, the dialog stays open with Start enabled, and
// once the script has the simulator back a new Start sends the file whole.
void TestConsoleFaults::agentKilledMidTransfer() {
    VirtualClock clock;
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start(&clock);
    RunUpgradeDialog(window, [&](QWidget* dialog) {
        QVERIFY2(AdvanceUntil(
                     clock, 60000,
                     [&] { return StateText(dialog).startsWith(QStringLiteral("Upgrade...")); }),
                 qPrintable(StateText(dialog)));
        Mark(QStringLiteral("transfer-running"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Marker(QStringLiteral("killed"))), kTimeoutMs);
        const QRegularExpression failed(
            QStringLiteral("^Upgrade fail, translate (\\d+)/65536 bytes$"));
        QVERIFY2(
            AdvanceUntil(clock, 60000, [&] { return failed.match(StateText(dialog)).hasMatch(); }),
            qPrintable(StateText(dialog)));
        const QString sent = failed.match(StateText(dialog)).captured(1);
        QVERIFY(sent.toInt() > 0 && sent.toInt() < 65536);
        QCOMPARE(LogLines(QRegularExpression::escape(kUpgradeAgent + " Upgrade fail, translate " +
                                                     sent + "/65536 bytes ")),
                 1);
        QVERIFY(dialog->isVisible());
        auto* start = test::Find<QPushButton>(dialog, ControlId::UpgradeStart);
        QVERIFY(start->isEnabled());
        QCOMPARE(window.Ui().BoxTexts(), QStringList{});

        Mark(QStringLiteral("restart-simulator"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Marker(QStringLiteral("simulator-back"))),
                                 kTimeoutMs);
        QTest::mouseClick(start, Qt::LeftButton);
        FinishTransfer(clock, dialog, 60000);
    });
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

// The configuration directory disappears while the console runs: a trap and Monitor save get
// their boxes and nothing breaks; once it is back, both work again and the earlier lines are
// there.
void TestConsoleFaults::configDirectoryRemovedAndRestored() {
    SimulatorControl control(ControlPath());
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start();
    QTableView* monitor = window.MonitorView();
    QCOMPARE(control.Send("trap 10.77.1.2 before"), QStringLiteral("ok trap 10.77.1.2"));
    QTRY_VERIFY_WITH_TIMEOUT(LogLines("10\\.77\\.1\\.2 Trap :before") == 1, kTimeoutMs);
    const QByteArray monitorFile = FileBytes(ConfigDirectory() + "/monitor.cfg");
    QVERIFY(!monitorFile.isEmpty());

    const QString away = ConfigDirectory() + ".away";
    QVERIFY(QDir().rename(ConfigDirectory(), away));
    QCOMPARE(control.Send("trap 10.77.1.2 while away"), QStringLiteral("ok trap 10.77.1.2"));
    // The line's time and its text are written apart, and each failure has its box.
    const QString missing = QStringLiteral("Error|syslog.log not exit");
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(), (QStringList{missing, missing}), kTimeoutMs);
    test::Find<QAction>(&window.Dialog(), ControlId::MonitorSave)->trigger();
    QCOMPARE(window.Ui().BoxTexts().size(), 3);
    QVERIFY2(window.Ui().BoxTexts()[2].contains(QStringLiteral("save fail")),
             qPrintable(window.Ui().BoxTexts()[2]));
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(window.DiscoveryView()->model()->rowCount(), kDiscoveredAgents.size(),
                              kTimeoutMs);
    QCOMPARE(monitor->model()->rowCount(), kMonitoredAgents.size());

    QVERIFY(QDir().rename(away, ConfigDirectory()));
    QCOMPARE(control.Send("trap 10.77.1.2 after"), QStringLiteral("ok trap 10.77.1.2"));
    QTRY_VERIFY_WITH_TIMEOUT(LogLines("10\\.77\\.1\\.2 Trap :after") == 1, kTimeoutMs);
    QCOMPARE(LogLines("10\\.77\\.1\\.2 Trap :before"), 1);
    test::Find<QAction>(&window.Dialog(), ControlId::MonitorSave)->trigger();
    QCOMPARE(window.Ui().BoxTexts().size(), 3);
    QCOMPARE(FileBytes(ConfigDirectory() + "/monitor.cfg"), monitorFile);
}

// console_fault_disk.sh puts the configuration directory on a small file system and fills it.
// Monitor save of a longer list fails with its box; the script then finds monitor.cfg as it was.
void TestConsoleFaults::monitorSaveOntoFullDisk() {
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), kDiscoveredAgents.size(), kTimeoutMs);
    for (int row = 0; row < discovery->model()->rowCount(); ++row) {
        ClickRow(discovery, row, row == 0 ? Qt::NoModifier : Qt::ControlModifier);
    }
    window.Click(ControlId::AddToMonitorList);
    QCOMPARE(window.MonitorView()->model()->rowCount(),
             kMonitoredAgents.size() + kDiscoveredAgents.size());
    test::Find<QAction>(&window.Dialog(), ControlId::MonitorSave)->trigger();
    QCOMPARE(window.Ui().BoxTexts().size(), 1);
    QVERIFY2(window.Ui().BoxTexts()[0].contains(QStringLiteral("save fail")),
             qPrintable(window.Ui().BoxTexts()[0]));
}

// 100,000 datagrams of random bytes, or of a valid reply header with random operation, result
// and elements, at both of the console's ports. The operator closes whatever box opens; no box
// opens inside another, stack and memory stay bounded, and a Discovery afterwards fills the list.
void TestConsoleFaults::floodOfRandomDatagrams() {
    constexpr int kDatagrams = 100000;
    constexpr int kPerTick = 250;
    volatile char baseMarker = 0;
    const auto base = reinterpret_cast<uintptr_t>(&baseMarker);
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start();
    const uint32_t deviceType = window.Engine().Sockets().DeviceTypeId();
    const auto basePort = static_cast<quint16>(window.Engine().Sockets().BasePort());
    QUdpSocket sender;
    QVERIFY(sender.bind(QHostAddress(QStringLiteral("10.77.0.99")), 0));
    const QHostAddress console(QStringLiteral("10.77.0.1"));
    QRandomGenerator random(1201);

    auto datagram = [&] {
        QByteArray bytes(static_cast<qsizetype>(random.bounded(1500)), '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random.bounded(256));
        }
        if (random.bounded(2) == 0 || bytes.size() < static_cast<qsizetype>(kHeaderSize)) {
            return bytes;
        }
        PacketHeader header{kProtocolVersion,
                            kDirectionReply,
                            {0x02, 0x00, 0x0a, 0x4d, static_cast<uint8_t>(random.bounded(256)),
                             static_cast<uint8_t>(random.bounded(256))},
                            static_cast<uint16_t>(random.bounded(4)),
                            static_cast<uint16_t>(random.bounded(14)),
                            static_cast<uint16_t>(random.bounded(3)),
                            deviceType,
                            static_cast<uint16_t>(random.bounded(6))};
        EncodeHeader(header, std::span<uint8_t, kHeaderSize>(
                                 reinterpret_cast<uint8_t*>(bytes.data()), kHeaderSize));
        return bytes;
    };

    const long residentBefore = ResidentKiB();
    int sent = 0;
    int mostOpen = 0;
    int closed = 0;
    uintptr_t deepest = 0;
    long residentMost = residentBefore;
    QTimer flood;
    flood.setInterval(1);
    QObject::connect(&flood, &QTimer::timeout, [&] {
        mostOpen = std::max(mostOpen, static_cast<int>(OpenBoxes().size()));
        deepest = std::max(deepest, StackDepth(base));
        residentMost = std::max(residentMost, ResidentKiB());
        for (int k = 0; k < kPerTick && sent < kDatagrams; ++k, ++sent) {
            sender.writeDatagram(datagram(), console,
                                 static_cast<quint16>(basePort + random.bounded(2)));
        }
    });
    QTimer operatorCloses;
    operatorCloses.setInterval(50);
    QObject::connect(&operatorCloses, &QTimer::timeout, [&] {
        for (QMessageBox* box : OpenBoxes()) {
            ++closed;
            box->accept();
        }
    });
    flood.start();
    operatorCloses.start();
    QTRY_VERIFY_WITH_TIMEOUT(sent == kDatagrams && OpenBoxes().isEmpty() &&
                                 window.Engine().MessageBoxes().WaitingNotices() == 0,
                             60000);
    QTest::qWait(kSettleMs);
    flood.stop();
    operatorCloses.stop();
    qInfo("random flood: %d boxes closed, stack %zu bytes, resident +%ld KiB", closed,
          static_cast<size_t>(deepest), residentMost - residentBefore);
    QCOMPARE(mostOpen <= 1, true);
    QVERIFY2(deepest < 512 * 1024, qPrintable(QString::number(deepest)));
    QVERIFY2(residentMost - residentBefore < 64 * 1024,
             qPrintable(QString::number(residentMost - residentBefore)));

    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(window.DiscoveryView()->model()->rowCount(),
                              kDiscoveredAgents.size() + kMonitoredAgents.size(), kTimeoutMs);
}

// A damaged definition file and a monitor list file of random bytes: the console says so about
// the definition, takes the monitor list's fixed-size records as they are (each table still
// matching its list) and keeps running.
void TestConsoleFaults::startsWithDamagedFiles() {
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start();
    QVERIFY(window.Dialog().isVisible());
    const QStringList boxes = window.Ui().BoxTexts();
    QVERIFY2(boxes.size() >= 2, qPrintable(boxes.join('\n')));
    QCOMPARE(boxes[0], QStringLiteral("file error|define.ecf checksum error"));
    QVERIFY(window.MonitorView()->model()->rowCount() <= 256);
    QCOMPARE(QString::fromStdString(TableListMismatch(window.Engine())), QString());
    window.Click(ControlId::Discovery);
    QTest::qWait(kSettleMs);
    QCOMPARE(QString::fromStdString(TableListMismatch(window.Engine())), QString());
}

// 256 monitored agents polled at the 15 s interval for VANTELO_SOAK_SECONDS, while agents are
// silenced, revived and send traps at random. Every trap reaches the log once, every log line is
// whole, every agent is alive again at the end, and the resident set stays flat after the first
// minute. ASan, when built in, reports leaks at the exit.
void TestConsoleFaults::soak() {
    const int seconds = qEnvironmentVariableIntValue("VANTELO_SOAK_SECONDS");
    QVERIFY(seconds >= 90);
    constexpr int kAgents = 256;
    constexpr int kMostSilent = 16;
    constexpr uint32_t kFirstAgent = (10u << 24) | (77u << 16) | 10u;  // 10.77.0.10
    SimulatorControl control(ControlPath());
    ConsoleWindow window(ConfigDirectory().toStdString());
    window.Start();
    QTableView* monitor = window.MonitorView();
    QCOMPARE(monitor->model()->rowCount(), kAgents);

    QRandomGenerator random(
        static_cast<quint32>(qEnvironmentVariableIntValue("VANTELO_SOAK_SEED")));
    QStringList silent;
    int traps = 0;
    int silences = 0;
    QList<long> resident;
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 lossyUntil = (seconds - 30) * 1000LL;
    while (elapsed.elapsed() < lossyUntil) {
        const QString agent =
            QString::fromStdString(IpToText(kFirstAgent + random.bounded(uint32_t{kAgents})));
        const int roll = static_cast<int>(random.bounded(10));
        if (roll < 6 && !silent.contains(agent)) {
            const QString text = QStringLiteral("soak %1 ").arg(traps) +
                                 QString(static_cast<int>(random.bounded(200)), QLatin1Char('x'));
            QCOMPARE(control.Send("trap " + agent + " " + text), "ok trap " + agent);
            ++traps;
        } else if (roll < 8 && silent.size() < kMostSilent && !silent.contains(agent)) {
            QCOMPARE(control.Send("silence " + agent), "ok silence " + agent);
            silent << agent;
            ++silences;
        } else if (!silent.isEmpty()) {
            const QString back = silent.takeAt(static_cast<int>(random.bounded(silent.size())));
            QCOMPARE(control.Send("revive " + back), "ok revive " + back);
        }
        QTest::qWait(1000);
        if (elapsed.elapsed() / 10000 >= resident.size()) {
            resident << ResidentKiB();
        }
    }
    for (const QString& agent : silent) {
        QCOMPARE(control.Send("revive " + agent), "ok revive " + agent);
    }
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (int row = 0; row < kAgents; ++row) {
                if (!monitor->model()->index(row, 0).data(Qt::DecorationRole).isNull()) {
                    return false;
                }
            }
            return true;
        }(),
        25000);
    resident << ResidentKiB();

    const QStringList lines = Log().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.last(), QString());
    const QRegularExpression whole(QStringLiteral("^") + kTimestamp +
                                   " 10\\.77\\.\\d+\\.\\d+ (Not alive |Trap :soak (\\d+) x*)$");
    QSet<int> logged;
    int notAlive = 0;
    for (qsizetype n = 0; n + 1 < lines.size(); ++n) {
        const QRegularExpressionMatch match = whole.match(lines[n]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[n]));
        if (match.captured(2).isEmpty()) {
            ++notAlive;
        } else {
            QVERIFY2(!logged.contains(match.captured(2).toInt()), qPrintable(lines[n]));
            logged.insert(match.captured(2).toInt());
        }
    }
    QCOMPARE(logged.size(), traps);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});

    // Flat: after the first minute, no sample above the median of the first half by more than a
    // quarter of it or 16 MiB, whichever is more.
    QList<long> settled = resident.mid(std::min<qsizetype>(6, resident.size() - 1));
    QList<long> firstHalf = settled.mid(0, std::max<qsizetype>(1, settled.size() / 2));
    std::sort(firstHalf.begin(), firstHalf.end());
    const long reference = firstHalf[firstHalf.size() / 2];
    const long most = *std::max_element(settled.begin(), settled.end());
    QStringList samples;
    for (long kib : resident) {
        samples << QString::number(kib);
    }
    qInfo("soak: %d s, %d traps, %d silences, %d not-alive lines; resident KiB every 10 s: %s",
          seconds, traps, silences, notAlive, qPrintable(samples.join(' ')));
    QVERIFY2(most - reference <= std::max(reference / 4, 16L * 1024),
             qPrintable(QStringLiteral("%1 KiB over %2 KiB").arg(most - reference).arg(reference)));
}

VANTELO_GUI_TEST_MAIN(TestConsoleFaults)
#include "console_faults.moc"
