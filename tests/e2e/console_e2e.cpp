// The console end to end: the real main window, engine and Qt sockets against vantelo-agentsim in
// the private test network. console_*.sh start the simulator and name the functions to run; the
// console's configuration directory and the simulator's control socket come in
// VANTELO_E2E_CONFIG and VANTELO_E2E_CONTROL.

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <QUdpSocket>
#include <cstdint>

#include "GuiTestSupport.h"
#include "console_window.h"
#include "gui/ConsoleApp.h"
#include "gui/QtDialogRunner.h"
#include "gui/controls/Images.h"
#include "gui/controls/IpAddressEdit.h"
#include "lists/ColumnTable.h"
#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"

using namespace vantelo;
using namespace vantelo::test;

namespace {

constexpr int kTimeoutMs = 5000;
// After the last expected answer, how long a test waits for answers that must not come.
constexpr int kSettleMs = 400;

std::string ConfigDirectory() {
    return qEnvironmentVariable("VANTELO_E2E_CONFIG").toStdString();
}

QString ControlPath() {
    return qEnvironmentVariable("VANTELO_E2E_CONTROL");
}

// The discovery list's rows for the agents of console_agents.txt, in its column order.
QList<QStringList> ExpectedDiscoveryRows() {
    return {
        {"020a1b000001", "10.77.1.1", "2.001.002", "VS-8", "core-1", "enable", "hall A",
         "10.77.0.1", "255.255.0.0", "10.77.0.1"},
        {"020a1b000002", "10.77.1.2", "2.001.002", "VS-24 PoE", "edge two", "disable",
         "hall B, rack 3", "10.77.0.1", "255.255.255.0", "10.77.1.254"},
        {"020a1b000003", "10.77.1.3", "2.001.002", "VS-48 Managed Gigabit Switch, 4 SFP port",
         "twenty-characters-20", "", "  blanks kept  ", "10.77.9.9", "255.255.0.0", "10.77.0.1"},
        {"020a1b000004", "10.77.1.4", "2.001.001", "VS-5", "narrow on", "enable", "lab",
         "10.77.0.1", "255.255.0.0", "10.77.0.1"},
        {"020a1b000005", "10.77.1.5", "2.001.001", "VS-5", "narrow off", "disable", "lab",
         "10.77.0.1", "255.255.0.0", "10.77.0.1"},
        {"020a1b000006", "10.77.1.6", "2.001.003", "VS-16", "wide", "enable", "lab", "10.77.0.1",
         "255.255.0.0", "10.77.0.1"},
        // Loader mode and another protocol version: only the MAC, the sender and the versions.
        {"020a1b000007", "10.77.2.7", "2.001.002", "", "", "", "", "", "", ""},
        {"020a1b000008", "10.77.2.8", "1.001.002", "", "", "", "", "", "", ""},
    };
}

// The same agent's row in the monitor list: a status column first, then IP before MAC.
QStringList MonitorRow(const QStringList& discoveryRow) {
    return QStringList{"", discoveryRow[1], discoveryRow[0]} + discoveryRow.mid(2);
}

// Rows of a view keyed by the text of column key, so that arrival order does not matter.
QMap<QString, QStringList> RowsByKey(const QTableView* view, int key) {
    QMap<QString, QStringList> rows;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QStringList texts = RowTexts(view, row);
        rows.insert(texts[key], texts);
    }
    return rows;
}

QString Log() {
    QFile file(QString::fromStdString(ConfigDirectory()) + "/syslog.log");
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// The firmware file console_upgrade.sh made, and the agent it is for.
QString FirmwarePath() {
    return qEnvironmentVariable("VANTELO_E2E_FIRMWARE");
}
const QString kUpgradeAgent = QStringLiteral("10.77.0.10");

// Discovers the agents, selects the upgrade target and opens the upgrade dialog, in which act
// runs; returns once the dialog has closed.
void RunUpgradeDialog(ConsoleWindow& window, const std::function<void(QWidget*)>& act,
                      const QString& agent = kUpgradeAgent) {
    QTableView* discovery = window.DiscoveryView();
    window.Click(ControlId::Discovery);
    QTRY_VERIFY_WITH_TIMEOUT(FindViewRow(discovery, 1, agent) >= 0, kTimeoutMs);
    ClickRow(discovery, FindViewRow(discovery, 1, agent));
    bool ran = false;
    vantelo::test::OnNextModal([&](QWidget* dialog) {
        ran = true;
        test::Find<QLineEdit>(dialog, ControlId::UpgradeFirmwarePath)->setText(FirmwarePath());
        test::Find<QLineEdit>(dialog, ControlId::UpgradePassword)->setText(QStringLiteral("admin"));
        QTest::mouseClick(test::Find<QPushButton>(dialog, ControlId::UpgradeStart), Qt::LeftButton);
        act(dialog);
    });
    window.Click(ControlId::FirmwareUpgrade);
    QVERIFY(ran);
}

int NotAliveLines(const QString& ip) {
    static const QString kTimestamp = QStringLiteral("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d");
    const QRegularExpression line(
        QStringLiteral("^") + kTimestamp + " " + QRegularExpression::escape(ip) + " Not alive \r$",
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

bool IndicatorIsRed(ConsoleWindow& window) {
    const auto* indicator = test::Find<QLabel>(&window.Dialog(), ControlId::TrapIndicator);
    return indicator->pixmap().toImage() ==
           Picture(Image::TrapRed, indicator->devicePixelRatioF()).toImage();
}

void Type(QWidget* dialog, ControlId id, const char* text) {
    test::Find<QLineEdit>(dialog, id)->setText(QString::fromLatin1(text));
}

// The dialog's Set button is pressed once the test has filled the fields.
void PressSet(QWidget* dialog, ControlId set) {
    QTest::mouseClick(test::Find<QPushButton>(dialog, set), Qt::LeftButton);
}

// Runs a discovery and waits until every agent of console_agents.txt that is not monitored has
// answered.
void Discover(ConsoleWindow& window, int monitored = 0) {
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(window.DiscoveryView()->model()->rowCount(),
                              ExpectedDiscoveryRows().size() - monitored, kTimeoutMs);
}

constexpr const char* kSetSuccessful = "Information|Set Succesful";

// A host of the LAN that is not the agent and sends TFTP acknowledgements to the console's
// client port from an address of its own; it keeps the error packets it gets back.
class StrayHost {
public:
    StrayHost() {
        socket_.setProxy(QNetworkProxy::NoProxy);
        QVERIFY(socket_.bind(QHostAddress(QStringLiteral("10.77.9.66")), 0));
    }

    void Ack(uint16_t block) {
        const char bytes[] = {0, 4, static_cast<char>(block >> 8), static_cast<char>(block)};
        socket_.writeDatagram(bytes, sizeof bytes, QHostAddress(QStringLiteral("10.77.0.1")),
                              64517);
    }

    // Every datagram that came back, as "CODE TEXT" for error packets and "other" else.
    QStringList Answers() {
        while (socket_.hasPendingDatagrams()) {
            const QByteArray bytes = socket_.receiveDatagram().data();
            const auto byte = [&bytes](int at) { return static_cast<uint8_t>(bytes[at]); };
            answers_.push_back(bytes.size() >= 5 && byte(0) == 0 && byte(1) == 5
                                   ? QString::number(byte(2) << 8 | byte(3)) + " " +
                                         QString::fromLatin1(bytes.mid(4).chopped(1))
                                   : QStringLiteral("other"));
        }
        return answers_;
    }

private:
    QUdpSocket socket_;
    QStringList answers_;
};

// What an upgrade with a stray host beside the agent showed: every text of the Upgrade State
// field, the boxes until two minutes after the dialog closed, and what came back to the host.
struct StrayRun {
    QStringList states;
    QStringList boxes;
    QStringList answers;
};

// Upgrades kUpgradeAgent, which stops acknowledging at block stall, on a virtual clock; at each
// 100 ms the stray host sends what stray(host, ms) says. Stops at a failure in the Upgrade State
// field or after a minute, cancels the dialog and lets two more minutes pass.
void UpgradeWithStrays(int stall, const std::function<void(StrayHost&, int)>& stray,
                       StrayRun* run) {
    SimulatorControl control(ControlPath());
    const QString fault = "tftp-stall " + kUpgradeAgent + " " + QString::number(stall);
    QCOMPARE(control.Send(fault), "ok " + fault);
    VirtualClock clock;
    ConsoleWindow window(ConfigDirectory());
    window.Start(&clock);
    StrayHost host;
    RunUpgradeDialog(window, [&](QWidget* dialog) {
        auto* state = dialog->findChild<QLineEdit*>(QStringLiteral("1073"));
        QObject::connect(state, &QLineEdit::textChanged,
                         [run](const QString& text) { run->states.push_back(text); });
        for (int ms = 0; ms < 60000 && !state->text().startsWith("Upgrade fail"); ms += 100) {
            stray(host, ms);
            QTest::qWait(2);
            clock.Advance(100);
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
    });
    for (int ms = 0; ms < 120000; ms += 1000) {
        clock.Advance(1000);
        QTest::qWait(1);
    }
    run->boxes = window.Ui().BoxTexts();
    run->answers = host.Answers();
    QCOMPARE(control.Send("clear " + kUpgradeAgent), "ok clear " + kUpgradeAgent);
}

}  // namespace

class TestConsoleE2e : public QObject {
    Q_OBJECT

private slots:
    void discoveryListsEveryAgent();
    void movedAgentAnswersIntoMonitorRow();
    void monitorListFromFile();
    void fullDiscoveryList();
    void floodOfErrorCodedReplies();
    void configurationMovesAMonitoredAgent();
    void wrongPasswordIsRefused();
    void passwordChangeThenConfiguration();
    void silencedAgentIsNotAliveUntilItAnswers();
    void trapReachesLogAndDialog();
    void upgradeRestartedAgent();
    void upgradeAgentThatNeverComesBack();
    void strayAcknowledgementsKeepNoStallAlive();
    void blindAcknowledgementsNeverComplete();
    void discoveryMatchesCli();
    void addItemsAndSave();
    void discoveryOnTwoInterfaces();
    void setOnSecondInterface();
    void upgradeOnSecondInterface();
};

void TestConsoleE2e::discoveryListsEveryAgent() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    const QList<QStringList> expected = ExpectedDiscoveryRows();

    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), expected.size(), kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(discovery->model()->rowCount(), expected.size());
    const QMap<QString, QStringList> rows = RowsByKey(discovery, 0);
    for (const QStringList& row : expected) {
        QCOMPARE(rows.value(row[0]), row);
    }
    QCOMPARE(window.MonitorView()->model()->rowCount(), 0);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});

    // A second discovery starts the list afresh and shows the same agents once each.
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), expected.size(), kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(RowsByKey(discovery, 0), rows);
    QCOMPARE(discovery->model()->rowCount(), expected.size());
}

void TestConsoleE2e::movedAgentAnswersIntoMonitorRow() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    QTableView* monitor = window.MonitorView();
    const qsizetype agents = ExpectedDiscoveryRows().size();

    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), agents, kTimeoutMs);
    const int row = FindViewRow(discovery, 1, "10.77.1.2");
    QVERIFY(row >= 0);
    ClickRow(discovery, row);
    window.Click(ControlId::AddToMonitorList);
    QCOMPARE(Column(monitor, 1), QStringList{"10.77.1.2"});
    QCOMPARE(RowTexts(monitor, 0), MonitorRow(ExpectedDiscoveryRows()[1]));
    QCOMPARE(FindViewRow(discovery, 0, "020a1b000002"), -1);
    QCOMPARE(discovery->model()->rowCount(), agents - 1);

    // The agent changes; its answer to the next discovery lands in its monitor row.
    test::SimulatorControl control(ControlPath());
    QCOMPARE(control.Send("set 10.77.1.2 name moved here"),
             QStringLiteral("ok set 10.77.1.2 name"));
    QCOMPARE(control.Send("set 10.77.1.2 dhcp enable"), QStringLiteral("ok set 10.77.1.2 dhcp"));
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(monitor->model()->index(0, 5).data().toString(),
                              QStringLiteral("moved here"), kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), agents - 1, kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(
        RowTexts(monitor, 0),
        (QStringList{"", "10.77.1.2", "020a1b000002", "2.001.002", "VS-24 PoE", "moved here",
                     "enable", "hall B, rack 3", "10.77.0.1", "255.255.255.0", "10.77.1.254"}));
    QCOMPARE(monitor->model()->rowCount(), 1);
    QCOMPARE(discovery->model()->rowCount(), agents - 1);
    QCOMPARE(FindViewRow(discovery, 0, "020a1b000002"), -1);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});

    QCOMPARE(control.Send("set 10.77.1.2 name edge two"), QStringLiteral("ok set 10.77.1.2 name"));
    QCOMPARE(control.Send("set 10.77.1.2 dhcp disable"), QStringLiteral("ok set 10.77.1.2 dhcp"));
}

// console_discovery.sh writes a monitor list of 10.77.1.4 and 10.77.1.1 with
// vantelo-demo-monitor into VANTELO_E2E_CONFIG for this function.
void TestConsoleE2e::monitorListFromFile() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    QTableView* monitor = window.MonitorView();
    const QList<QStringList> expected = ExpectedDiscoveryRows();
    const QList<QStringList> listed = {MonitorRow(expected[3]), MonitorRow(expected[0])};
    QCOMPARE((QList<QStringList>{RowTexts(monitor, 0), RowTexts(monitor, 1)}), listed);
    QCOMPARE(monitor->model()->rowCount(), 2);

    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), expected.size() - 2, kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(discovery->model()->rowCount(), expected.size() - 2);
    QCOMPARE(FindViewRow(discovery, 0, "020a1b000001"), -1);
    QCOMPARE(FindViewRow(discovery, 0, "020a1b000004"), -1);
    QCOMPARE((QList<QStringList>{RowTexts(monitor, 0), RowTexts(monitor, 1)}), listed);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

void TestConsoleE2e::fullDiscoveryList() {
    constexpr int kAgents = 257;
    constexpr uint32_t kFirstAgent = (10u << 24) | (77u << 16) | 10u;  // 10.77.0.10
    ConsoleWindow window(ConfigDirectory());
    QTableView* discovery = nullptr;
    QStringList rowsAtBox;
    QString refused;
    window.Ui().onBox = [&](const MessageBoxRequest&) {
        rowsAtBox = Column(discovery, 1);
        refused = QString::fromLatin1(window.Engine().CurrentReply().ipText);
    };
    window.Start();
    discovery = window.DiscoveryView();

    QSet<QString> agents;
    for (int n = 0; n < kAgents; ++n) {
        agents.insert(QString::fromStdString(IpToText(kFirstAgent + static_cast<uint32_t>(n))));
    }
    // Each discovery: the first 256 answers fill the list, the one past them gets a box.
    for (size_t round = 1; round <= 2; ++round) {
        window.Click(ControlId::Discovery);
        QTRY_COMPARE_WITH_TIMEOUT(window.Ui().boxes.size(), round, kTimeoutMs);
        QTest::qWait(kSettleMs);
        QCOMPARE(window.Ui().boxes.size(), round);
        QCOMPARE(window.Ui().BoxTexts().last(),
                 QStringLiteral("Error|Add fail, out of 256 devices"));
        QCOMPARE(window.Ui().boxes.back().icon, BoxIcon::Error);
        const QStringList rows = Column(discovery, 1);
        QCOMPARE(rows.size(), 256);
        QCOMPARE(rows, rowsAtBox);
        QSet<QString> listed(rows.begin(), rows.end());
        QCOMPARE(listed.size(), 256);
        QVERIFY(!listed.contains(refused));
        listed.insert(refused);
        QCOMPARE(listed, agents);
    }
}

// Any host on the network can send error-coded replies at any rate. With the real message boxes,
// the first reply's box is open while the rest arrive; none may open inside it, the stack and the
// memory stay bounded, the console ends on Exit, and a Discovery afterwards fills the list.
void TestConsoleE2e::floodOfErrorCodedReplies() {
    constexpr int kReplies = 60000;
    constexpr int kPerTick = 250;
    volatile char baseMarker = 0;
    const auto base = reinterpret_cast<uintptr_t>(&baseMarker);
    ConsoleApp app(ConfigDirectory());
    app.Initialize();
    app.Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.Window()));

    PacketHeader header{kProtocolVersion,
                        kDirectionReply,
                        {0x02, 0x0a, 0x1b, 0x00, 0x00, 0x63},
                        2,
                        static_cast<uint16_t>(OpCode::DiscoveryReply),
                        2,
                        app.Engine().Sockets().DeviceTypeId(),
                        0};
    QByteArray datagram(static_cast<qsizetype>(kHeaderSize), '\0');
    EncodeHeader(header, std::span<uint8_t, kHeaderSize>(
                             reinterpret_cast<uint8_t*>(datagram.data()), kHeaderSize));
    QUdpSocket sender;
    QVERIFY(sender.bind(QHostAddress(QStringLiteral("10.77.0.99")), 0));
    const QHostAddress console(QStringLiteral("10.77.0.1"));
    const auto consolePort = static_cast<quint16>(app.Engine().Sockets().BasePort() + 1);

    const long residentBefore = ResidentKiB();
    int sent = 0;
    int mostOpen = 0;
    uintptr_t deepest = 0;
    long residentMost = residentBefore;
    QTimer flood;
    flood.setInterval(1);
    QObject::connect(&flood, &QTimer::timeout, [&] {
        mostOpen = std::max(mostOpen, static_cast<int>(OpenBoxes().size()));
        deepest = std::max(deepest, StackDepth(base));
        residentMost = std::max(residentMost, ResidentKiB());
        for (int k = 0; k < kPerTick && sent < kReplies; ++k, ++sent) {
            sender.writeDatagram(datagram, console, consolePort);
        }
    });
    // Once the flood is over, the operator closes whatever box is open.
    int closed = 0;
    QTimer operatorCloses;
    operatorCloses.setInterval(50);
    QObject::connect(&operatorCloses, &QTimer::timeout, [&] {
        if (sent < kReplies) {
            return;
        }
        for (QMessageBox* box : OpenBoxes()) {
            QCOMPARE(box->text(), QStringLiteral("Device return : password error"));
            ++closed;
            box->accept();
        }
    });
    flood.start();
    operatorCloses.start();
    QTRY_VERIFY_WITH_TIMEOUT(sent == kReplies && OpenBoxes().isEmpty() &&
                                 app.Engine().MessageBoxes().WaitingNotices() == 0,
                             30000);
    QTest::qWait(kSettleMs);
    flood.stop();
    operatorCloses.stop();

    QVERIFY2(closed >= 1 && closed <= 4, qPrintable(QString::number(closed)));
    QCOMPARE(mostOpen, 1);
    QVERIFY2(deepest < 512 * 1024, qPrintable(QString::number(deepest)));
    QVERIFY2(residentMost - residentBefore < 64 * 1024,
             qPrintable(QString::number(residentMost - residentBefore)));

    QTableView* discovery = app.Window().DiscoveryView();
    QTest::mouseClick(test::Find<QPushButton>(&app.Window(), ControlId::Discovery), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), ExpectedDiscoveryRows().size(),
                              kTimeoutMs);
    QTest::mouseClick(test::Find<QPushButton>(&app.Window(), ControlId::Exit), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!app.Window().isVisible(), kTimeoutMs);
}

// The agent at 10.77.1.1 (DHCP enabled) is moved to the monitor list, then given a new address,
// names and a fixed address through the dialog; it answers from its new address.
void TestConsoleE2e::configurationMovesAMonitoredAgent() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    QTableView* monitor = window.MonitorView();
    Discover(window);
    ClickRow(discovery, FindViewRow(discovery, 1, "10.77.1.1"));
    window.Click(ControlId::AddToMonitorList);
    ClickRow(monitor, 0);

    bool addressesLockedByDhcp = false;
    test::OnNextModal([&](QWidget* dialog) {
        addressesLockedByDhcp = !test::Find(dialog, ControlId::ConfigIpAddress)->isEnabled();
        QTest::mouseClick(test::Find<QRadioButton>(dialog, ControlId::ConfigDhcpDisable),
                          Qt::LeftButton);
        test::Find<IpAddressEdit>(dialog, ControlId::ConfigIpAddress)->SetAddress(0x0A4D0129);
        Type(dialog, ControlId::ConfigSystemName, "renamed");
        Type(dialog, ControlId::ConfigLocation, "room 9");
        Type(dialog, ControlId::ConfigPassword, "admin");
        PressSet(dialog, ControlId::ConfigSet);
    });
    window.Click(ControlId::ConfigurationSetting);
    QVERIFY(addressesLockedByDhcp);
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(), QStringList{kSetSuccessful}, kTimeoutMs);
    QCOMPARE(RowTexts(monitor, 0),
             (QStringList{"", "10.77.1.41", "020a1b000001", "2.001.002", "VS-8", "renamed",
                          "disable", "room 9", "10.77.0.1", "255.255.0.0", "10.77.0.1"}));
    QCOMPARE(monitor->model()->rowCount(), 1);
    // The agent polled or discovered at its new address stays in its one monitor row.
    Discover(window, 1);
    QTest::qWait(kSettleMs);
    QCOMPARE(FindViewRow(discovery, 0, "020a1b000001"), -1);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{kSetSuccessful});
}

// A discovered agent reached by broadcast refuses a wrong password; nothing is confirmed.
void TestConsoleE2e::wrongPasswordIsRefused() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    Discover(window);
    ClickRow(discovery, FindViewRow(discovery, 1, "10.77.1.2"));
    test::OnNextModal([](QWidget* dialog) {
        Type(dialog, ControlId::ConfigSystemName, "never");
        Type(dialog, ControlId::ConfigPassword, "wrong");
        PressSet(dialog, ControlId::ConfigSet);
    });
    window.Click(ControlId::ConfigurationSetting);
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(),
                              QStringList{"Error|Device return : password error"}, kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(window.Ui().boxes.size(), size_t(1));
    QCOMPARE(discovery->model()->index(FindViewRow(discovery, 1, "10.77.1.2"), 4).data(),
             QVariant(QStringLiteral("edge two")));
    QVERIFY(window.Engine().PendingSetRequest().Waiting());
}

// The password of 10.77.1.5 changes; a configuration with the new password then succeeds.
void TestConsoleE2e::passwordChangeThenConfiguration() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    Discover(window);
    ClickRow(discovery, FindViewRow(discovery, 1, "10.77.1.5"));
    test::OnNextModal([](QWidget* dialog) {
        Type(dialog, ControlId::NewPassword, "n3w-secret");
        Type(dialog, ControlId::ConfirmPassword, "n3w-secret");
        Type(dialog, ControlId::OriginalPassword, "admin");
        PressSet(dialog, ControlId::PasswordSet);
    });
    window.Click(ControlId::PasswordChange);
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(), QStringList{kSetSuccessful}, kTimeoutMs);

    const int row = FindViewRow(discovery, 1, "10.77.1.5");
    ClickRow(discovery, row);
    test::OnNextModal([](QWidget* dialog) {
        Type(dialog, ControlId::ConfigSystemName, "after change");
        Type(dialog, ControlId::ConfigPassword, "n3w-secret");
        PressSet(dialog, ControlId::ConfigSet);
    });
    window.Click(ControlId::ConfigurationSetting);
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(), (QStringList{kSetSuccessful, kSetSuccessful}),
                              kTimeoutMs);
    QCOMPARE(discovery->model()->index(FindViewRow(discovery, 1, "10.77.1.5"), 4).data(),
             QVariant(QStringLiteral("after change")));
}

// The liveness pass runs every 5 s and the polls every 15 s; pressing Discovery counts a poll
// of every monitored agent, so a silenced agent reaches the resend stage at once.
void TestConsoleE2e::silencedAgentIsNotAliveUntilItAnswers() {
    constexpr int kNotAliveMs = 16000;
    test::SimulatorControl control(ControlPath());
    QCOMPARE(control.Send("silence 10.77.1.1"), QStringLiteral("ok silence 10.77.1.1"));
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* monitor = window.MonitorView();
    window.Click(ControlId::Discovery);
    window.Click(ControlId::Discovery);

    QTRY_VERIFY_WITH_TIMEOUT(NotAliveLines("10.77.1.1") >= 1, kNotAliveMs);
    QVERIFY(ShowsNotAlive(monitor, "10.77.1.1"));
    QVERIFY(!ShowsNotAlive(monitor, "10.77.1.2"));
    QCOMPARE(NotAliveLines("10.77.1.2"), 0);
    // Still silent: one more line at the next pass.
    const int lines = NotAliveLines("10.77.1.1");
    QTRY_VERIFY_WITH_TIMEOUT(NotAliveLines("10.77.1.1") > lines, 6000);

    // Its answer to a discovery makes it alive again; the lines stop.
    QCOMPARE(control.Send("revive 10.77.1.1"), QStringLiteral("ok revive 10.77.1.1"));
    window.Click(ControlId::Discovery);
    QTRY_VERIFY_WITH_TIMEOUT(!ShowsNotAlive(monitor, "10.77.1.1"), kTimeoutMs);
    const int revivedAt = NotAliveLines("10.77.1.1");
    QTest::qWait(5500);
    QCOMPARE(NotAliveLines("10.77.1.1"), revivedAt);
    QVERIFY(!ShowsNotAlive(monitor, "10.77.1.1"));
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

void TestConsoleE2e::trapReachesLogAndDialog() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QVERIFY(!IndicatorIsRed(window));
    test::SimulatorControl control(ControlPath());
    QCOMPARE(control.Send("trap 10.77.1.2 fan failure"), QStringLiteral("ok trap 10.77.1.2"));
    QTRY_VERIFY_WITH_TIMEOUT(Log().contains("10.77.1.2 Trap :fan failure\r\n"), kTimeoutMs);
    const QRegularExpression line(
        QStringLiteral("(^|\n)\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d 10\\.77\\.1\\.2 Trap "
                       ":fan failure\r\n"));
    QVERIFY(line.match(Log()).hasMatch());
    QVERIFY(IndicatorIsRed(window));

    QStringList row;
    test::OnNextModal([&](QWidget* modal) {
        auto* list = test::Find<QTableView>(modal, ControlId::TrapList);
        if (list != nullptr && list->model()->rowCount() > 0) {
            row = RowTexts(list, list->model()->rowCount() - 1);
        }
        QTest::mouseClick(test::Find<QPushButton>(modal, ControlId::TrapOk), Qt::LeftButton);
    });
    window.Click(ControlId::ViewTrap);
    QCOMPARE(row.size(), 5);
    QCOMPARE(row[2], QStringLiteral("10.77.1.2"));
    QCOMPARE(row[3], QStringLiteral("fan failure"));
    QVERIFY(!IndicatorIsRed(window));
}

// console_upgrade.sh runs the simulator with a three-second restart. The agent takes the file
// (the script compares what it stored), restarts and answers the verification's discovery.
void TestConsoleE2e::upgradeRestartedAgent() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    RunUpgradeDialog(window, [](QWidget*) {});
    QVERIFY(window.Ui().BoxTexts().isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(),
                              QStringList{QStringLiteral("information|Upgrade successful")}, 40000);
}

// On a virtual clock, where the verification's two minutes take a few seconds: the agent's
// restart never ends.
void TestConsoleE2e::upgradeAgentThatNeverComesBack() {
    test::SimulatorControl control(ControlPath());
    QCOMPARE(control.Send("no-return " + kUpgradeAgent), "ok no-return " + kUpgradeAgent);
    test::VirtualClock clock;
    ConsoleWindow window(ConfigDirectory());
    window.Start(&clock);
    auto advance = [&clock](int ms) {
        for (int step = 0; step < ms; step += 100) {
            clock.Advance(100);
            QTest::qWait(1);
        }
    };
    RunUpgradeDialog(window, [&](QWidget* dialog) {
        // The trigger's 2 s wait runs on the virtual clock, its acknowledgement in real time.
        QTRY_COMPARE_WITH_TIMEOUT(window.Engine().Upgrade().TriggerAcknowledged(), 1, kTimeoutMs);
        advance(2000);
        auto* state = test::Find<QLineEdit>(dialog, ControlId::UpgradeState);
        QTRY_VERIFY_WITH_TIMEOUT(state->text().startsWith(QStringLiteral("Complete...")),
                                 kTimeoutMs);
        // The final block is out; Cancel goes grey when its acknowledgement arrives, and the
        // pause after it starts then. Neither Cancel nor the close box ends that pause.
        auto* cancel = test::Find<QPushButton>(dialog, ControlId::UpgradeCancel);
        QTRY_VERIFY_WITH_TIMEOUT(!cancel->isEnabled(), kTimeoutMs);
        advance(5000);
    });
    advance(12000 + 109 * 1000);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
    advance(1000);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{QStringLiteral("information|Upgrade fail")});
    QCOMPARE(window.Ui().boxes.back().icon, BoxIcon::Exclamation);
    QCOMPARE(control.Send("clear " + kUpgradeAgent), "ok clear " + kUpgradeAgent);
}

// The agent stops acknowledging at block 3 while another host acknowledges block 2 every 5 s: the
// transfer still fails after its resends, with its text and its log line, and the stray host gets
// "Unknown transfer ID" each time.
void TestConsoleE2e::strayAcknowledgementsKeepNoStallAlive() {
    StrayRun run;
    UpgradeWithStrays(
        3,
        [](StrayHost& host, int ms) {
            if (ms > 0 && ms % 5000 == 0) {
                host.Ack(2);
            }
        },
        &run);
    const QString failure = QStringLiteral("Upgrade fail, translate 1536/65536 bytes");
    QVERIFY(!run.states.isEmpty());
    QCOMPARE(run.states.back(), failure);
    QVERIFY(Log().contains(" " + kUpgradeAgent + " " + failure + " \r\n"));
    QVERIFY(!run.answers.isEmpty());
    QCOMPARE(run.answers, QStringList(run.answers.size(), QStringLiteral("5 Unknown transfer ID")));
}

// The agent takes four blocks and stalls; another host that sees none of the traffic
// acknowledges blocks 1 to 40 over and over. The console never shows "Complete..." nor, two
// minutes later, "Upgrade successful", and the host's acknowledgements get error 5.
void TestConsoleE2e::blindAcknowledgementsNeverComplete() {
    StrayRun run;
    UpgradeWithStrays(
        5, [](StrayHost& host, int ms) { host.Ack(static_cast<uint16_t>(ms / 100 % 40 + 1)); },
        &run);
    for (const QString& state : run.states) {
        QVERIFY2(!state.startsWith(QStringLiteral("Complete...")), qPrintable(state));
    }
    QVERIFY(!run.states.isEmpty());
    QCOMPARE(run.states.back(), QStringLiteral("Upgrade fail, translate 2560/65536 bytes"));
    QVERIFY(!run.boxes.join('\n').contains(QStringLiteral("Upgrade successful")));
    QVERIFY(!run.answers.isEmpty());
    QCOMPARE(run.answers, QStringList(run.answers.size(), QStringLiteral("5 Unknown transfer ID")));
}

VANTELO_GUI_TEST_MAIN(TestConsoleE2e)
// cli_discovery.sh hands over what `vantelo-cli discover --json` printed, in
// VANTELO_E2E_CLI_JSON: every agent the window's discovery lists, with the same cell texts.
void TestConsoleE2e::discoveryMatchesCli() {
    QFile file(qEnvironmentVariable("VANTELO_E2E_CLI_JSON"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray agents = QJsonDocument::fromJson(file.readAll()).array();
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    Discover(window);
    QTableView* discovery = window.DiscoveryView();
    QCOMPARE(agents.size(), discovery->model()->rowCount());
    for (const QJsonValue& agent : agents) {
        // The window's columns in its order, each read from the CLI by its key.
        QStringList fields;
        for (const ListColumn& column : kDiscoveryColumnTable) {
            const std::string_view key = FieldKey(column.field);
            fields << agent[QLatin1StringView(key.data(), static_cast<qsizetype>(key.size()))]
                          .toString();
        }
        const int row = FindViewRow(discovery, 0, fields[0]);
        QVERIFY2(row >= 0, qPrintable(fields[0]));
        QCOMPARE(fields, RowTexts(discovery, row));
    }
}

// cli_monitor.sh compares the monitor.cfg that this writes with the one of the same commands
// given to vantelo-cli: two entries added by address, then File > Monitor save.
void TestConsoleE2e::addItemsAndSave() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    for (const uint32_t address : {0x0A4D0301u, 0x0A4D0302u}) {
        test::OnNextModal([address](QWidget* dialog) {
            test::Find<IpAddressEdit>(dialog, ControlId::RemoteIpAddress)->SetAddress(address);
            PressSet(dialog, ControlId::RemoteIpApply);
        });
        window.Click(ControlId::AddItem);
    }
    QCOMPARE(window.MonitorView()->model()->rowCount(), 2);
    test::Find<QAction>(&window.Dialog(), ControlId::MonitorSave)->trigger();
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

// cli_interfaces.sh: two agents behind each of two interfaces, vnt0 (10.77.0.0/16) and vnt2
// (10.78.0.0/16). The window lists the four; Option > Network interface > vnt2 restricts the
// next discovery to the two behind vnt2.
void TestConsoleE2e::discoveryOnTwoInterfaces() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    const auto addresses = [discovery] {
        QStringList shown;
        for (int row = 0; row < discovery->model()->rowCount(); ++row) {
            shown << RowTexts(discovery, row)[1];
        }
        shown.sort();
        return shown;
    };
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), 4, kTimeoutMs);
    QCOMPARE(addresses(), (QStringList{"10.77.1.1", "10.77.1.2", "10.78.1.1", "10.78.1.2"}));

    auto* submenu = window.Dialog().findChild<QMenu*>(QStringLiteral("NetworkInterface"));
    QVERIFY(submenu != nullptr);
    QMetaObject::invokeMethod(submenu, "aboutToShow");
    auto* second = submenu->findChild<QAction*>(QStringLiteral("NetworkInterface:vnt2"));
    QVERIFY(second != nullptr);
    QCOMPARE(second->text(), QStringLiteral("vnt2  10.78.0.1/16"));
    second->trigger();
    window.Click(ControlId::Discovery);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), 2, kTimeoutMs);
    QTest::qWait(300);  // an answer from behind vnt0 would be in by now
    QCOMPARE(addresses(), (QStringList{"10.78.1.1", "10.78.1.2"}));
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
}

// console_interfaces.sh: the agent 10.78.1.1 behind the second pair takes a new system name.
void TestConsoleE2e::setOnSecondInterface() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    window.Click(ControlId::Discovery);
    QTRY_VERIFY_WITH_TIMEOUT(FindViewRow(discovery, 1, "10.78.1.1") >= 0, kTimeoutMs);
    ClickRow(discovery, FindViewRow(discovery, 1, "10.78.1.1"));
    test::OnNextModal([](QWidget* dialog) {
        Type(dialog, ControlId::ConfigSystemName, "renamed");
        Type(dialog, ControlId::ConfigPassword, "admin");
        PressSet(dialog, ControlId::ConfigSet);
    });
    window.Click(ControlId::ConfigurationSetting);
    QTRY_COMPARE_WITH_TIMEOUT(window.Ui().BoxTexts(), QStringList{kSetSuccessful}, kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(
        discovery->model()->index(FindViewRow(discovery, 1, "10.78.1.1"), 4).data().toString(),
        QStringLiteral("renamed"), kTimeoutMs);
}

// console_interfaces.sh: the agent 10.78.1.2 behind the second pair takes a small image and
// restarts within a second. On a virtual clock, twenty times faster than real time once the
// transfer is over, the verification's restart wait and discoveries take moments.
void TestConsoleE2e::upgradeOnSecondInterface() {
    test::VirtualClock clock;
    ConsoleWindow window(ConfigDirectory());
    window.Start(&clock);
    const auto advance = [&clock](int ms) {
        for (int step = 0; step < ms; step += 100) {
            clock.Advance(100);
            QTest::qWait(5);
        }
    };
    RunUpgradeDialog(
        window,
        [&](QWidget* dialog) {
            // The trigger's wait ends once the agent has acknowledged it; the blocks then go on
            // acknowledgements alone.
            QTRY_COMPARE_WITH_TIMEOUT(window.Engine().Upgrade().TriggerAcknowledged(), 1,
                                      kTimeoutMs);
            advance(2000);
            auto* state = test::Find<QLineEdit>(dialog, ControlId::UpgradeState);
            const bool complete = QTest::qWaitFor(
                [state] { return state->text().startsWith(QStringLiteral("Complete...")); },
                kTimeoutMs);
            // The pause after the final acknowledgement closes the dialog.
            for (int ms = 0; complete && ms < 20000 && dialog->isVisible(); ms += 100) {
                advance(100);
            }
            if (dialog->isVisible()) {
                dialog->close();
                QFAIL(qPrintable(state->text()));
            }
        },
        QStringLiteral("10.78.1.2"));
    // The verification gives up after two minutes on its clock.
    for (int ms = 0; ms < 121000 && window.Ui().BoxTexts().isEmpty(); ms += 100) {
        advance(100);
    }
    QCOMPARE(window.Ui().BoxTexts(), QStringList{QStringLiteral("information|Upgrade successful")});
}

#include "console_e2e.moc"
