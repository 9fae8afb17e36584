// The main window on the real engine and in-memory ports: its controls and menu, start-up, the
// wiring of buttons, menus and lists to the engine, the Remote IP dialog, file commands, keys,
// and the three ways to end.

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <memory>

#include "GuiTestSupport.h"
#include "RecordingUserInteraction.h"
#include "console/Console.h"
#include "gui/ConsoleApp.h"
#include "gui/QtDialogRunner.h"
#include "gui/RemoteIpDialog.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/IpAddressEdit.h"
#include "persistence/DefinitionWriter.h"
#include "support/ConsoleHarness.h"

using namespace vantelo;
using vantelo::test::OnNextModal;

namespace {

constexpr uint32_t kDeviceTypeId = test::ConsoleHarness::kDeviceTypeId;
constexpr uint16_t kBasePort = test::ConsoleHarness::kBasePort;
constexpr uint16_t kAgentPort = test::ConsoleHarness::kAgentPort;

// The main window over a console on in-memory ports, in a configuration directory of its own.
struct Window {
    Window() {
        test::WriteBytes(dir.File("define.ecf"), BuildDefinitionFile(kDeviceTypeId, kBasePort));
    }

    void WriteMonitorFile(const std::vector<DeviceRecord>& records) {
        test::WriteBytes(dir.File("monitor.cfg"), test::RecordBytes(records));
    }

    void Start() {
        app = std::make_unique<ConsoleApp>(dir.Path(),
                                           PortChoices{&network, &clock, &clock, &ui, &addresses});
        console = &app->Engine();
        dialog = &app->Window();
        app->Initialize();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }

    // Agents that answer the console's requests through the in-memory network.
    void AddAgents(int count) {
        for (int n = 1; n <= count; ++n) {
            agents.push_back(std::make_unique<test::SimulatedAgent>(test::NumberedAgent(n),
                                                                    kDeviceTypeId, kAgentPort));
            network.AddAgent(agents.back().get());
        }
    }

    template <typename T = QWidget>
    T* Control(int id) const {
        T* control = dialog->findChild<T*>(QString::number(id));
        if (control == nullptr) {
            qWarning("no control %d", id);
        }
        return control;
    }

    QAction* Command(int id) const { return dialog->findChild<QAction*>(QString::number(id)); }

    void Click(int id) const { QTest::mouseClick(Control<QPushButton>(id), Qt::LeftButton); }

    test::TempDirectory dir;
    test::VirtualNetwork network;
    test::VirtualClock clock;
    test::RecordingUserInteraction ui;
    test::FixedAddressTable addresses;
    std::vector<std::unique_ptr<test::SimulatedAgent>> agents;
    std::unique_ptr<ConsoleApp> app;
    Console* console = nullptr;
    MainWindow* dialog = nullptr;
};

void ClickRow(QTableView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, cell.center());
}

void ClickHeader(QTableView* view, int column) {
    QHeaderView* header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QStringList Column(const QTableView* view, int column) {
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        texts << view->model()->index(row, column).data().toString();
    }
    return texts;
}

std::vector<int> ViewSelection(const QTableView* view) {
    std::vector<int> rows;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (view->selectionModel()->isRowSelected(row, QModelIndex())) {
            rows.push_back(row);
        }
    }
    return rows;
}

DeviceRecord Agent(int n) {
    return test::StoredRecord(test::NumberedAgent(n), kDeviceTypeId);
}

QString Ip(int n) {
    return QString::fromStdString(Agent(n).ipText);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void listsAndMenu();
    void startUpWithABadDefinitionFile();
    void discoveryAndMovingAgents();
    void selectionFollowsOperatorAndEngine();
    void laterCommandsDoNothingYet();
    void deleteItemAsksFirst();
    void remoteIpDialog();
    void fileCommands();
    void enterAndEscapeAreSwallowed();
    void threeWaysToEnd_data();
    void threeWaysToEnd();
};

void TestMainWindow::controls_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("units");
    const auto row = [](int id, const char* text, int x, int y, int w, int h) {
        QTest::newRow(qPrintable(QString::number(id)))
            << id << QString::fromLatin1(text) << QRect(x, y, w, h);
    };
    row(1000, "", 26, 15, 353, 103);
    row(1001, "Discovery", 307, 118, 73, 12);
    row(1002, "Add to monitor list", 151, 136, 72, 12);
    row(1003, "", 26, 159, 355, 107);
    row(1007, "View trap", 47, 266, 72, 12);
    row(1005, "Add item", 223, 266, 72, 12);
    row(1004, "Delete item", 307, 266, 73, 12);
    row(1009, "Configuration setting", 26, 299, 72, 12);
    row(1008, "Password change", 119, 299, 72, 12);
    row(1042, "Firmware upgrade", 215, 299, 72, 12);
    row(1015, "Web access", 307, 299, 72, 12);
    row(1053, "Exit", 307, 324, 72, 12);
    row(1094, "", 17, 118, 290, 12);
    row(1106, "", 380, 152, 9, 125);
    row(1113, "", 379, 298, 10, 13);
}

void TestMainWindow::controls() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QRect, units);
    Window window;
    window.Start();
    QWidget* control = window.Control(id);
    QVERIFY(control != nullptr);
    const DialogUnits du(control->parentWidget()->font());
    QCOMPARE(control->geometry(), du.Rect(units.x(), units.y(), units.width(), units.height()));
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), text);
    }
    const bool strip = id >= 1094;
    QCOMPARE(control->palette().color(control->backgroundRole()).rgb(),
             strip ? kStripGrey : control->palette().color(control->backgroundRole()).rgb());
}

void TestMainWindow::listsAndMenu() {
    Window window;
    window.Start();
    QCOMPARE(window.dialog->windowTitle(), QStringLiteral("Vantelo Utility"));
    QCOMPARE(window.Control(1053)->parentWidget()->palette().color(QPalette::Window).rgb(),
             kWindowBlue);
    QVERIFY(!window.Control<QLabel>(1006)->pixmap().isNull());
    for (int id = 1094; id <= 1113; ++id) {
        const bool isStrip = id != 1098 && id != 1103 && id != 1104;
        QCOMPARE(window.dialog->findChild<QWidget*>(QString::number(id)) != nullptr, isStrip);
    }

    const auto headers = [](QTableView* view) {
        QStringList titles;
        QList<int> widths;
        for (int column = 0; column < view->model()->columnCount(); ++column) {
            titles << view->model()->headerData(column, Qt::Horizontal).toString();
            widths << view->columnWidth(column);
        }
        return std::make_pair(titles, widths);
    };
    const auto discovery = headers(window.Control<QTableView>(1000));
    QCOMPARE(discovery.first,
             (QStringList{"MAC Address", "IP Address", "Protocol Version", "Product Name",
                          "System Name", "DHCP", "Location", "Trap IP", "Subnet Mask", "Gateway"}));
    QCOMPARE(discovery.second, QList<int>(10, 100));
    const auto monitor = headers(window.Control<QTableView>(1003));
    QCOMPARE(monitor.first,
             (QStringList{"S", "IP Address", "MAC Address", "Protocol Version", "Product Name",
                          "System Name", "DHCP", "Location", "Trap IP", "Subnet Mask", "Gateway"}));
    QCOMPARE(monitor.second, (QList<int>{20, 80, 100, 100, 100, 100, 100, 100, 100, 100, 100}));

    // Menu 132: four popups, each item carrying its command id.
    QStringList menus;
    for (QAction* popup : window.dialog->findChild<QMenuBar*>()->actions()) {
        QStringList items;
        for (QAction* item : popup->menu()->actions()) {
            items << (item->menu() != nullptr ? item->text()
                                              : item->objectName() + " " + item->text());
        }
        menus << popup->text() + ": " + items.join(QStringLiteral(", "));
    }
    QCOMPARE(menus, (QStringList{
                        "File: 32771 Monitor save, 32775 Monitor save as, 32773 Monitor load, "
                        "32774 Exit",
                        "View: 32776 View log, 32791 Clear log",
                        "Option: Refresh time",
                        "Help: 32783 About",
                    }));
    QStringList checked;
    for (QAction* item : qobject_cast<QWidget*>(window.Command(32778)->parent())->actions()) {
        checked << item->objectName() + (item->isChecked() ? "*" : "") + " " + item->text();
    }
    QCOMPARE(checked, (QStringList{"32778* 15 secs", "32779 30 secs", "32780 1 min", "32781 2 mins",
                                   "32782 5 mins"}));
    QCOMPARE(window.console->PollIntervalSeconds(), 15);

    // The mark shows the polling interval, whatever item is clicked.
    window.Command(32780)->trigger();
    QVERIFY(window.Command(32778)->isChecked() == (window.console->PollIntervalSeconds() == 15));
    QVERIFY(window.Command(32780)->isChecked() == (window.console->PollIntervalSeconds() == 60));
}

void TestMainWindow::startUpWithABadDefinitionFile() {
    Window window;
    std::vector<uint8_t> definition = BuildDefinitionFile(kDeviceTypeId, kBasePort);
    definition[0] = static_cast<uint8_t>(definition[0] + 1);
    test::WriteBytes(window.dir.File("define.ecf"), definition);
    window.WriteMonitorFile({Agent(1), Agent(2)});
    window.Start();

    QCOMPARE(window.ui.BoxTexts(), (QStringList{"file error|define.ecf checksum error",
                                                "Error|It will cause the application fail\n "}));
    for (const MessageBoxRequest& box : window.ui.boxes) {
        QCOMPARE(box.icon, BoxIcon::Error);
    }
    QCOMPARE(Column(window.Control<QTableView>(1003), 1), (QStringList{Ip(1), Ip(2)}));
    QCOMPARE(window.Control<QTableView>(1000)->model()->rowCount(), 0);
}

void TestMainWindow::discoveryAndMovingAgents() {
    Window window;
    window.AddAgents(4);
    window.Start();
    QTableView* discovery = window.Control<QTableView>(1000);
    QTableView* monitor = window.Control<QTableView>(1003);

    window.Click(1001);
    QCOMPARE(window.network.Sent().size(), size_t(1));
    QCOMPARE(window.network.Sent()[0].to.address, kBroadcastAddress);
    QCOMPARE(window.network.Sent()[0].to.port, kAgentPort);
    window.network.Deliver();
    QCOMPARE(Column(discovery, 1), (QStringList{Ip(1), Ip(2), Ip(3), Ip(4)}));
    QCOMPARE(Column(discovery, 0)[0], QString::fromLatin1(Agent(1).macText));

    // "Add to monitor list" moves the selected agents.
    ClickRow(discovery, 1);
    ClickRow(discovery, 3, Qt::ControlModifier);
    window.Click(1002);
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(2), Ip(4)}));
    QCOMPARE(Column(discovery, 1), (QStringList{Ip(1), Ip(3)}));

    // A double click moves the row under it.
    const QRect cell = discovery->visualRect(discovery->model()->index(1, 1));
    QTest::mouseClick(discovery->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(discovery->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(2), Ip(4), Ip(3)}));
    QCOMPARE(Column(discovery, 1), (QStringList{Ip(1)}));

    // Header clicks sort, both lists sharing one direction that every click turns.
    ClickHeader(monitor, 1);
    QCOMPARE(window.console->Lists().SortColumn(), 1);
    QVERIFY(!window.console->Lists().SortAscending());
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(4), Ip(3), Ip(2)}));
    ClickHeader(discovery, 0);
    QCOMPARE(window.console->Lists().SortColumn(), 0);
    QVERIFY(window.console->Lists().SortAscending());
    QVERIFY(window.ui.boxes.empty());
}

void TestMainWindow::selectionFollowsOperatorAndEngine() {
    Window window;
    window.WriteMonitorFile({Agent(11), Agent(12)});
    window.AddAgents(2);
    window.Start();
    QTableView* discovery = window.Control<QTableView>(1000);
    QTableView* monitor = window.Control<QTableView>(1003);
    window.Click(1001);
    window.network.Deliver();

    ClickRow(monitor, 1);
    QCOMPARE(CheckSelection(window.console->Lists()), SelectionCode::Monitor);
    ClickRow(discovery, 0);
    QCOMPARE(CheckSelection(window.console->Lists()), SelectionCode::Discovery);
    QCOMPARE(ViewSelection(monitor), std::vector<int>{});
    QCOMPARE(window.console->MonitorList().SelectedCount(), 0);

    // A reply stored meanwhile leaves the operator's selection where it was.
    window.Click(1001);
    window.network.Deliver();
    ClickRow(discovery, 1);
    window.network.Queue(
        kBasePort, Endpoint{window.agents[1]->settings.ip, kAgentPort},
        test::SettingsReply(window.agents[1]->settings, OpCode::DiscoveryReply, kDeviceTypeId));
    window.network.Deliver();
    QCOMPARE(ViewSelection(discovery), std::vector<int>{1});
    QCOMPARE(window.console->DiscoveryList().SelectedRows(), std::vector<int>{1});

    ClickRow(discovery, 0, Qt::ControlModifier);
    QCOMPARE(CheckSelection(window.console->Lists()), SelectionCode::Several);
}

void TestMainWindow::laterCommandsDoNothingYet() {
    Window window;
    window.Start();
    for (const int id : {1007, 1009, 1008, 1015}) {
        window.Click(id);
    }
    for (const int id : {32776, 32791, 32783}) {
        window.Command(id)->trigger();
    }
    QVERIFY(window.ui.boxes.empty());
    QVERIFY(window.network.Sent().empty());
    QVERIFY(window.dialog->isVisible());

    // Firmware upgrade is wired: with nothing selected it says so.
    window.Click(1042);
    QCOMPARE(window.ui.boxes.size(), size_t{1});
    QCOMPARE(window.ui.boxes[0].text, std::string("Please select one device"));
}

void TestMainWindow::deleteItemAsksFirst() {
    Window window;
    window.WriteMonitorFile({Agent(1), Agent(2), Agent(3)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(1003);
    window.Click(1004);  // nothing selected: no question
    QVERIFY(window.ui.boxes.empty());

    ClickRow(monitor, 0);
    ClickRow(monitor, 2, Qt::ControlModifier);
    window.ui.answers = {BoxAnswer::Cancel};
    window.Click(1004);
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Warning|Are you sure to delete this item ?"});
    QCOMPARE(window.ui.boxes[0].buttons, BoxButtons::OkCancel);
    QCOMPARE(window.ui.boxes[0].icon, BoxIcon::Warning);
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(1), Ip(2), Ip(3)}));

    window.Click(1004);
    QCOMPARE(Column(monitor, 1), QStringList{Ip(2)});
    QCOMPARE(QString::fromLatin1(window.console->MonitorTable()[0].ipText), Ip(2));
}

void TestMainWindow::remoteIpDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(1003);

    QStringList seen;
    bool stayedOpen = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<RemoteIpDialog*>(modal);
        QVERIFY(dialog != nullptr);
        seen << dialog->windowTitle() << dialog->findChild<QLabel*>("1115")->text()
             << dialog->findChild<QPushButton*>("1")->text()
             << dialog->findChild<QPushButton*>("2")->text();
        QCOMPARE(dialog->palette().color(QPalette::Window).rgb(), kWhite);
        auto* address = dialog->findChild<IpAddressEdit*>("1010");
        QCOMPARE(address->Address(), 0u);
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        address->Field(0)->setFocus();
        for (const char c : std::string("10.77.3.4")) {
            QTest::keyClick(dialog->focusWidget(), c);
        }
        QTest::keyClick(dialog, Qt::Key_Return);  // Enter presses Apply here
    });
    window.Click(1005);

    QCOMPARE(seen, (QStringList{"Remote IP", "IP Address", "Apply", "Cancel"}));
    QVERIFY(stayedOpen);
    QCOMPARE(window.ui.BoxTexts(), QStringList{" Error|IP address is illegal"});
    QCOMPARE(window.ui.boxes[0].owner, BoxOwner::Dialog);
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(1), "10.77.3.4"}));
    QCOMPARE(monitor->model()->index(1, 3).data().toString(), QStringLiteral("0.000.000"));
    QCOMPARE(monitor->model()->index(1, 6).data().toString(), QStringLiteral("disable"));

    // Cancel, and Escape, change nothing.
    OnNextModal([](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    window.Click(1005);
    OnNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    window.Click(1005);
    QCOMPARE(monitor->model()->rowCount(), 2);
    QCOMPARE(window.ui.boxes.size(), size_t(1));
}

void TestMainWindow::fileCommands() {
    Window window;
    window.WriteMonitorFile({Agent(1), Agent(2)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(1003);
    const FileDialogRequest saveAs{true, "config File (*.cfg)|*.cfg||", "*.cfg", "Default.cfg"};
    const FileDialogRequest load{false, "config File (*.cfg)|*.cfg||", "monitor.cfg", "*.cfg"};
    const auto describe = [](const FileDialogRequest& r) {
        return QString::fromStdString((r.save ? "save " : "open ") + r.filter + " " +
                                      r.initialName + " " + r.defaultExtension);
    };

    std::remove(window.dir.File("monitor.cfg").c_str());
    window.Command(32771)->trigger();
    QCOMPARE(test::ReadBytes(window.dir.File("monitor.cfg")).size(), size_t(2 * 272));

    const std::string other = window.dir.File("other.cfg");
    window.ui.fileNames = {other, std::nullopt};
    window.Command(32775)->trigger();
    window.Command(32775)->trigger();  // cancelled
    QCOMPARE(test::ReadBytes(other).size(), size_t(2 * 272));

    ClickRow(monitor, 0);
    ClickRow(monitor, 1, Qt::ControlModifier);
    window.Click(1004);
    QCOMPARE(monitor->model()->rowCount(), 0);

    window.ui.fileNames = {std::nullopt, other};
    window.Command(32773)->trigger();  // cancelled
    QCOMPARE(monitor->model()->rowCount(), 0);
    window.Command(32773)->trigger();
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(1), Ip(2)}));

    QCOMPARE(window.ui.fileDialogs.size(), size_t(4));
    QCOMPARE(describe(window.ui.fileDialogs[0]), describe(saveAs));
    QCOMPARE(describe(window.ui.fileDialogs[3]), describe(load));
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Warning|Are you sure to delete this item ?"});
}

void TestMainWindow::enterAndEscapeAreSwallowed() {
    Window window;
    window.Start();
    QPushButton* discovery = window.Control<QPushButton>(1001);
    discovery->setFocus();
    for (QWidget* target : {static_cast<QWidget*>(discovery), window.Control(1000),
                            window.Control(1003), static_cast<QWidget*>(window.dialog)}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
        }
    }
    QVERIFY(window.dialog->isVisible());
    QVERIFY(window.network.Sent().empty());
    QCOMPARE(window.network.CloseCalls(), 0);
    QTest::keyClick(discovery, Qt::Key_Space);  // the keyboard still presses buttons
    QCOMPARE(window.network.Sent().size(), size_t(1));
}

void TestMainWindow::threeWaysToEnd_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("result");
    QTest::newRow("Exit button") << 0 << int(QDialog::Accepted);
    QTest::newRow("File Exit") << 1 << int(QDialog::Rejected);
    QTest::newRow("close box") << 2 << int(QDialog::Rejected);
}

void TestMainWindow::threeWaysToEnd() {
    QFETCH(int, way);
    QFETCH(int, result);
    Window window;
    window.Start();
    QVERIFY(window.network.IsBound(kBasePort) && window.network.IsBound(kBasePort + 1));
    switch (way) {
        case 0:
            window.Click(1053);
            break;
        case 1:
            window.Command(32774)->trigger();
            break;
        default:
            window.dialog->close();
            break;
    }
    QVERIFY(!window.dialog->isVisible());
    QCOMPARE(window.dialog->result(), result);
    QCOMPARE(window.network.CloseCalls(), 2);
    QVERIFY(!window.network.IsBound(kBasePort) && !window.network.IsBound(kBasePort + 1));
    window.dialog->close();
    QCOMPARE(window.network.CloseCalls(), 2);
}

VANTELO_GUI_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
