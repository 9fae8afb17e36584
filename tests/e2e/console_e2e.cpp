// The console end to end: the real main window, engine and Qt sockets against vantelo-agentsim in
// the private test network. console_*.sh start the simulator and name the functions to run; the
// console's configuration directory and the simulator's control socket come in
// VANTELO_E2E_CONFIG and VANTELO_E2E_CONTROL.

#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>

#include "GuiTestSupport.h"
#include "console_window.h"
#include "protocol/Conversions.h"

using namespace vantelo;
using vantelo::test::ConsoleWindow;
using vantelo::test::FindViewRow;
using vantelo::test::RowTexts;

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
        {"000a1b000001", "10.77.1.1", "2.001.002", "SW-8", "core-1", "enable", "hall A",
         "10.77.0.1", "255.255.0.0", "10.77.0.1"},
        {"000a1b000002", "10.77.1.2", "2.001.002", "SW-24 PoE", "edge two", "disable",
         "hall B, rack 3", "10.77.0.1", "255.255.255.0", "10.77.1.254"},
        {"000a1b000003", "10.77.1.3", "2.001.002", "SW-48 Managed Gigabit Switch, 4 SFP port",
         "twenty-characters-20", "", "  blanks kept  ", "10.77.9.9", "255.255.0.0", "10.77.0.1"},
        {"000a1b000004", "10.77.1.4", "2.001.001", "SW-5", "narrow on", "enable", "lab",
         "10.77.0.1", "255.255.0.0", "10.77.0.1"},
        {"000a1b000005", "10.77.1.5", "2.001.001", "SW-5", "narrow off", "disable", "lab",
         "10.77.0.1", "255.255.0.0", "10.77.0.1"},
        {"000a1b000006", "10.77.1.6", "2.001.003", "SW-16", "wide", "enable", "lab", "10.77.0.1",
         "255.255.0.0", "10.77.0.1"},
        // Loader mode and another protocol version: only the MAC, the sender and the versions.
        {"000a1b000007", "10.77.2.7", "2.001.002", "", "", "", "", "", "", ""},
        {"000a1b000008", "10.77.2.8", "1.001.002", "", "", "", "", "", "", ""},
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

QStringList Column(const QTableView* view, int column) {
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        texts << view->model()->index(row, column).data().toString();
    }
    return texts;
}

void ClickRow(QTableView* view, int row) {
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

// The firmware file console_upgrade.sh made, and the agent it is for.
QString FirmwarePath() {
    return qEnvironmentVariable("VANTELO_E2E_FIRMWARE");
}
const QString kUpgradeAgent = QStringLiteral("10.77.0.10");

// Discovers the agents, selects the upgrade target and opens the upgrade dialog, in which act
// runs; returns once the dialog has closed.
void RunUpgradeDialog(ConsoleWindow& window, const std::function<void(QWidget*)>& act) {
    QTableView* discovery = window.DiscoveryView();
    window.Click(1001);
    QTRY_VERIFY_WITH_TIMEOUT(FindViewRow(discovery, 1, kUpgradeAgent) >= 0, kTimeoutMs);
    ClickRow(discovery, FindViewRow(discovery, 1, kUpgradeAgent));
    bool ran = false;
    vantelo::test::OnNextModal([&](QWidget* dialog) {
        ran = true;
        dialog->findChild<QLineEdit*>(QStringLiteral("1045"))->setText(FirmwarePath());
        dialog->findChild<QLineEdit*>(QStringLiteral("1070"))->setText(QStringLiteral("admin"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("1015")), Qt::LeftButton);
        act(dialog);
    });
    window.Click(1042);
    QVERIFY(ran);
}

}  // namespace

class TestConsoleE2e : public QObject {
    Q_OBJECT

private slots:
    void discoveryListsEveryAgent();
    void movedAgentAnswersIntoMonitorRow();
    void monitorListFromFile();
    void fullDiscoveryList();
    void upgradeRestartedAgent();
    void upgradeAgentThatNeverComesBack();
};

void TestConsoleE2e::discoveryListsEveryAgent() {
    ConsoleWindow window(ConfigDirectory());
    window.Start();
    QTableView* discovery = window.DiscoveryView();
    const QList<QStringList> expected = ExpectedDiscoveryRows();

    window.Click(1001);
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
    window.Click(1001);
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

    window.Click(1001);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), agents, kTimeoutMs);
    const int row = FindViewRow(discovery, 1, "10.77.1.2");
    QVERIFY(row >= 0);
    ClickRow(discovery, row);
    window.Click(1002);
    QCOMPARE(Column(monitor, 1), QStringList{"10.77.1.2"});
    QCOMPARE(RowTexts(monitor, 0), MonitorRow(ExpectedDiscoveryRows()[1]));
    QCOMPARE(FindViewRow(discovery, 0, "000a1b000002"), -1);
    QCOMPARE(discovery->model()->rowCount(), agents - 1);

    // The agent changes; its answer to the next discovery lands in its monitor row.
    test::SimulatorControl control(ControlPath());
    QCOMPARE(control.Send("set 10.77.1.2 name moved here"),
             QStringLiteral("ok set 10.77.1.2 name"));
    QCOMPARE(control.Send("set 10.77.1.2 dhcp enable"), QStringLiteral("ok set 10.77.1.2 dhcp"));
    window.Click(1001);
    QTRY_COMPARE_WITH_TIMEOUT(monitor->model()->index(0, 5).data().toString(),
                              QStringLiteral("moved here"), kTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), agents - 1, kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(
        RowTexts(monitor, 0),
        (QStringList{"", "10.77.1.2", "000a1b000002", "2.001.002", "SW-24 PoE", "moved here",
                     "enable", "hall B, rack 3", "10.77.0.1", "255.255.255.0", "10.77.1.254"}));
    QCOMPARE(monitor->model()->rowCount(), 1);
    QCOMPARE(discovery->model()->rowCount(), agents - 1);
    QCOMPARE(FindViewRow(discovery, 0, "000a1b000002"), -1);
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

    window.Click(1001);
    QTRY_COMPARE_WITH_TIMEOUT(discovery->model()->rowCount(), expected.size() - 2, kTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(discovery->model()->rowCount(), expected.size() - 2);
    QCOMPARE(FindViewRow(discovery, 0, "000a1b000001"), -1);
    QCOMPARE(FindViewRow(discovery, 0, "000a1b000004"), -1);
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
        window.Click(1001);
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
        advance(2000);
        auto* state = dialog->findChild<QLineEdit*>(QStringLiteral("1073"));
        QTRY_VERIFY_WITH_TIMEOUT(state->text().startsWith(QStringLiteral("Complete...")),
                                 kTimeoutMs);
        advance(5000);
    });
    advance(12000 + 109 * 1000);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{});
    advance(1000);
    QCOMPARE(window.Ui().BoxTexts(), QStringList{QStringLiteral("information|Upgrade fail")});
    QCOMPARE(window.Ui().boxes.back().icon, BoxIcon::Exclamation);
    QCOMPARE(control.Send("clear " + kUpgradeAgent), "ok clear " + kUpgradeAgent);
}

VANTELO_GUI_TEST_MAIN(TestConsoleE2e)
#include "console_e2e.moc"
