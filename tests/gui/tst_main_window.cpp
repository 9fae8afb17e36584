// The main window on the real engine and in-memory ports: its controls and menu, start-up, the
// wiring of buttons, menus and lists to the engine, the Remote IP dialog, the settings dialogs,
// web access, file commands, keys, and the three ways to end.

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "GuiTestSupport.h"
#include "RecordingUserInteraction.h"
#include "console/Console.h"
#include "gui/AboutDialog.h"
#include "gui/ConsoleApp.h"
#include "gui/QtDialogRunner.h"
#include "gui/RemoteIpDialog.h"
#include "gui/TrapInfoDialog.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/Images.h"
#include "gui/controls/IpAddressEdit.h"
#include "lists/ColumnTable.h"
#include "persistence/DefinitionWriter.h"
#include "protocol/PacketHeader.h"
#include "support/ConsoleHarness.h"

using namespace vantelo;
using namespace vantelo::test;

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

DeviceRecord Agent(int n) {
    return test::StoredRecord(test::NumberedAgent(n), kDeviceTypeId);
}

QString Ip(int n) {
    return QString::fromStdString(Agent(n).ipText);
}

QString AlignmentName(const QVariant& alignment) {
    const Qt::Alignment horizontal = alignment.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
    return horizontal == Qt::AlignHCenter ? QStringLiteral("centre") : QStringLiteral("left");
}

// How a view shows each column: title, width, and the alignment of its heading and of its
// cells (when it has a row to ask).
QStringList ShownColumns(const QTableView* view) {
    const QAbstractItemModel* model = view->model();
    QStringList columns;
    for (int column = 0; column < model->columnCount(); ++column) {
        QString shown =
            model->headerData(column, Qt::Horizontal).toString() + "/" +
            QString::number(view->columnWidth(column)) + "/" +
            AlignmentName(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole));
        if (model->rowCount() > 0) {
            shown += "/" + AlignmentName(model->index(0, column).data(Qt::TextAlignmentRole));
        }
        columns << shown;
    }
    return columns;
}

// The same as the engine's column table says it.
QStringList TableColumns(ColumnTable table, bool withCells) {
    QStringList columns;
    for (const ListColumn& column : table) {
        const QString alignment = column.alignment == Alignment::Centre ? QStringLiteral("centre")
                                                                        : QStringLiteral("left");
        columns << QString::fromLatin1(column.title.data(),
                                       static_cast<qsizetype>(column.title.size())) +
                       "/" + QString::number(column.width) + "/" + alignment +
                       (withCells ? "/" + alignment : QString());
    }
    return columns;
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
    void aboutBoxAndUpgradeWithoutSelection();
    void logCommands();
    void refreshTimeMarks();
    void trapDialog();
    void trapDialogSortDirectionOutlivesTheDialog();
    void deleteItemAsksFirst();
    void remoteIpDialog();
    void configurationDialog();
    void configurationDialogOpensAsTheAgentReported();
    void passwordDialog();
    void webAccess();
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
    // Only the frame strips are grey; every other control keeps its own background.
    const QRgb background = control->palette().color(control->backgroundRole()).rgb();
    if (id >= 1094) {
        QCOMPARE(background, kStripGrey);
    } else {
        QVERIFY2(background != kStripGrey, "a control that is no frame strip is painted grey");
    }
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
    // Both lists take their columns from the engine's table, alignment included.
    QCOMPARE(ShownColumns(window.Control<QTableView>(1000)),
             TableColumns(kDiscoveryColumnTable, false));
    QCOMPARE(ShownColumns(window.Control<QTableView>(1003)),
             TableColumns(kMonitorColumnTable, false));

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

void TestMainWindow::aboutBoxAndUpgradeWithoutSelection() {
    Window window;
    window.Start();
    QString shown;
    OnNextModal(
        [&](QWidget* modal) {
            QVERIFY(qobject_cast<AboutDialog*>(modal) != nullptr);
            shown = modal->windowTitle();
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        },
        window.dialog);
    window.Command(32783)->trigger();
    QCOMPARE(shown, QStringLiteral("About"));
    QVERIFY(window.ui.boxes.empty());
    QVERIFY(window.network.Sent().empty());
    QVERIFY(window.dialog->isVisible());

    // Firmware upgrade is wired: with nothing selected it says so.
    window.Click(1042);
    QCOMPARE(window.ui.boxes.size(), size_t{1});
    QCOMPARE(window.ui.boxes[0].text, std::string("Please select one device"));
}

void TestMainWindow::logCommands() {
    Window window;
    window.Start();
    const std::string log = window.dir.File("syslog.log");
    test::WriteBytes(log, {'o', 'l', 'd'});
    window.Command(32776)->trigger();
    QCOMPARE(window.ui.urls, std::vector<std::string>{log});
    window.Command(32791)->trigger();
    QVERIFY(std::filesystem::exists(log));
    QVERIFY(test::ReadBytes(log).empty());
    QVERIFY(window.ui.boxes.empty());
}

void TestMainWindow::refreshTimeMarks() {
    Window window;
    window.Start();
    const auto marked = [&] {
        QStringList ids;
        for (const int id : {32778, 32779, 32780, 32781, 32782}) {
            if (window.Command(id)->isChecked()) {
                ids << QString::number(id);
            }
        }
        return ids;
    };
    QCOMPARE(marked(), QStringList{"32778"});
    const std::pair<int, int> choices[] = {
        {32779, 30}, {32782, 300}, {32782, 300}, {32781, 120}, {32778, 15}};
    for (const auto& [id, seconds] : choices) {
        window.Command(id)->trigger();
        QCOMPARE(marked(), QStringList{QString::number(id)});
        QCOMPARE(window.console->PollIntervalSeconds(), seconds);
    }
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

// The settings dialogs' controls by id.
template <typename T = QWidget>
T* In(QWidget* dialog, ControlId id) {
    return dialog->findChild<T*>(Id(id));
}

uint16_t SentOpCode(const test::SentDatagram& sent) {
    PacketHeader header{};
    DecodeHeader(sent.bytes, &header);
    return header.opCode;
}

void PressEnterAndEscape(const std::vector<QWidget*>& targets) {
    for (QWidget* target : targets) {
        target->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
        }
    }
}

void TestMainWindow::configurationDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1)});
    window.Start();
    window.network.ClearSent();  // the start-up poll
    ClickRow(window.Control<QTableView>(1003), 0);

    bool stayedOpen = false;
    bool radiosSwitch = false;
    OnNextModal([&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Configuration setting"));
        QVERIFY(In<QLineEdit>(dialog, ControlId::ConfigProductName)->isReadOnly());
        QVERIFY(In<QLineEdit>(dialog, ControlId::ConfigMacAddress)->isReadOnly());
        QCOMPARE(In<QLineEdit>(dialog, ControlId::ConfigMacAddress)->text(),
                 QStringLiteral("000a1b000001"));
        auto* password = In<QLineEdit>(dialog, ControlId::ConfigPassword);
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(password->text().isEmpty());
        auto* enable = In<QRadioButton>(dialog, ControlId::ConfigDhcpEnable);
        auto* disable = In<QRadioButton>(dialog, ControlId::ConfigDhcpDisable);
        QVERIFY(disable->isChecked() && !enable->isChecked());
        std::vector<QWidget*> fixed{In(dialog, ControlId::ConfigIpAddress),
                                    In(dialog, ControlId::ConfigSubnetMask),
                                    In(dialog, ControlId::ConfigGateway)};
        QTest::mouseClick(enable, Qt::LeftButton);
        const bool disabledByEnable =
            std::none_of(fixed.begin(), fixed.end(), [](QWidget* w) { return w->isEnabled(); });
        const bool trapStays = In(dialog, ControlId::ConfigTrapIp)->isEnabled();
        QTest::mouseClick(disable, Qt::LeftButton);
        radiosSwitch =
            disabledByEnable && trapStays && enable->isEnabled() &&
            std::all_of(fixed.begin(), fixed.end(), [](QWidget* w) { return w->isEnabled(); }) &&
            In<IpAddressEdit>(dialog, ControlId::ConfigIpAddress)->Address() == Agent(1).ip;

        PressEnterAndEscape({password, In<QPushButton>(dialog, ControlId::ConfigSet),
                             In<IpAddressEdit>(dialog, ControlId::ConfigIpAddress)->Field(3),
                             dialog});
        QTest::mouseClick(In<QPushButton>(dialog, ControlId::ConfigSet), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        password->setText(QStringLiteral("secret"));
        QTest::mouseClick(In<QPushButton>(dialog, ControlId::ConfigSet), Qt::LeftButton);
    });
    window.Click(1009);

    QVERIFY(radiosSwitch);
    QVERIFY(stayedOpen);
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Error|Password lengths between 1-20"});
    QCOMPARE(window.ui.boxes[0].owner, BoxOwner::Dialog);
    QCOMPARE(window.network.Sent().size(), size_t(1));
    QCOMPARE(SentOpCode(window.network.Sent()[0]),
             static_cast<uint16_t>(OpCode::UnicastSetRequest));
    QCOMPARE(window.network.Sent()[0].to.address, Agent(1).ip);

    // Cancel and the close box send nothing.
    OnNextModal([](QWidget* dialog) {
        QTest::mouseClick(In<QPushButton>(dialog, ControlId::SettingsCancel), Qt::LeftButton);
    });
    window.Click(1009);
    OnNextModal([](QWidget* dialog) { dialog->close(); });
    window.Click(1009);
    QCOMPARE(window.network.Sent().size(), size_t(1));
}

void TestMainWindow::configurationDialogOpensAsTheAgentReported() {
    DeviceRecord silent = Agent(1);
    silent.dhcp = kDhcpNotReported;
    silent.gatewayText[0] = '\0';
    DeviceRecord automatic = Agent(2);
    automatic.dhcp = 1;
    Window window;
    window.WriteMonitorFile({silent, automatic});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(1003);

    ClickRow(monitor, 0);
    QStringList seen;
    OnNextModal([&](QWidget* dialog) {
        auto* enable = In<QRadioButton>(dialog, ControlId::ConfigDhcpEnable);
        auto* disable = In<QRadioButton>(dialog, ControlId::ConfigDhcpDisable);
        seen << (enable->isEnabled() || disable->isEnabled() ? "enabled" : "disabled")
             << (enable->isChecked() || disable->isChecked() ? "checked" : "unchecked")
             << In<IpAddressEdit>(dialog, ControlId::ConfigGateway)->Field(0)->text();
        dialog->close();
    });
    window.Click(1009);
    QCOMPARE(seen, (QStringList{"disabled", "unchecked", ""}));

    ClickRow(monitor, 1);
    bool fixedDisabled = false;
    OnNextModal([&](QWidget* dialog) {
        fixedDisabled = In<QRadioButton>(dialog, ControlId::ConfigDhcpEnable)->isChecked() &&
                        !In(dialog, ControlId::ConfigIpAddress)->isEnabled() &&
                        !In(dialog, ControlId::ConfigSubnetMask)->isEnabled() &&
                        !In(dialog, ControlId::ConfigGateway)->isEnabled() &&
                        In(dialog, ControlId::ConfigTrapIp)->isEnabled();
        dialog->close();
    });
    window.Click(1009);
    QVERIFY(fixedDisabled);
}

void TestMainWindow::passwordDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1)});
    window.Start();
    window.network.ClearSent();  // the start-up poll
    ClickRow(window.Control<QTableView>(1003), 0);

    QStringList texts;
    bool stayedOpen = false;
    OnNextModal([&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Password_change"));
        std::vector<QLineEdit*> edits{In<QLineEdit>(dialog, ControlId::NewPassword),
                                      In<QLineEdit>(dialog, ControlId::ConfirmPassword),
                                      In<QLineEdit>(dialog, ControlId::OriginalPassword)};
        for (QLineEdit* edit : edits) {
            texts << edit->text();
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            edit->setText(QStringLiteral("typed"));
        }
        PressEnterAndEscape({edits[0], In<QPushButton>(dialog, ControlId::PasswordSet), dialog});
        edits[1]->setText(QStringLiteral("Typed"));
        QTest::mouseClick(In<QPushButton>(dialog, ControlId::PasswordSet), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        edits[1]->setText(QStringLiteral("typed"));
        QTest::mouseClick(In<QPushButton>(dialog, ControlId::PasswordSet), Qt::LeftButton);
    });
    window.Click(1008);
    QCOMPARE(texts, (QStringList{"", "", ""}));
    QVERIFY(stayedOpen);
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Error|Confirm password fail"});
    QCOMPARE(window.network.Sent().size(), size_t(1));

    // The next opening starts empty again.
    texts.clear();
    OnNextModal([&](QWidget* dialog) {
        texts << In<QLineEdit>(dialog, ControlId::NewPassword)->text();
        dialog->close();
    });
    window.Click(1008);
    QCOMPARE(texts, QStringList{""});
}

void TestMainWindow::webAccess() {
    test::UrlSink sink;
    Window window;
    window.WriteMonitorFile({Agent(1), Agent(2)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(1003);
    window.Click(1015);
    QCOMPARE(window.ui.BoxTexts(),
             QStringList{"Error|Please select one device in the monitor list"});

    ClickRow(monitor, 1);
    window.Click(1015);
    const QRect cell = monitor->visualRect(monitor->model()->index(0, 1));
    QTest::mouseClick(monitor->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(monitor->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(window.ui.urls, (std::vector<std::string>{"http://" + Ip(2).toStdString() + "/",
                                                       "http://" + Ip(1).toStdString() + "/"}));
    QVERIFY(sink.opened.isEmpty());
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

namespace {

// A trap from monitored agent n, as the network hands it to the console.
void SendTrap(Window& window, int n, const std::string& event) {
    const test::AgentSettings agent = test::NumberedAgent(n);
    window.network.Queue(kBasePort + 1, Endpoint{agent.ip, kAgentPort},
                         test::TrapDatagram(agent, agent.ip, event, kDeviceTypeId));
    window.network.Deliver();
}

bool ShowsBitmap(const QLabel* label, Image bitmap) {
    return label->pixmap().toImage() == Picture(bitmap, label->devicePixelRatioF()).toImage();
}

QStringList Headings(const QTableView* view) {
    QStringList headings;
    for (int column = 0; column < view->model()->columnCount(); ++column) {
        headings << view->model()->headerData(column, Qt::Horizontal).toString() + "/" +
                        QString::number(view->columnWidth(column));
    }
    return headings;
}

// Which rows show the unread image.
QList<bool> Unread(const QTableView* view) {
    QList<bool> unread;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        unread << !view->model()->index(row, 0).data(Qt::DecorationRole).isNull();
    }
    return unread;
}

}  // namespace

void TestMainWindow::trapDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1), Agent(2)});
    window.Start();
    auto* indicator = window.Control<QLabel>(1006);
    QVERIFY(ShowsBitmap(indicator, Image::TrapGreen));
    SendTrap(window, 1, "beta");
    SendTrap(window, 2, "gamma");
    SendTrap(window, 1, "alpha");
    QVERIFY(ShowsBitmap(indicator, Image::TrapRed));

    bool checked = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TrapInfoDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Trap information"));
        QVERIFY(ShowsBitmap(indicator, Image::TrapGreen));
        QTableView* list = dialog->findChild<QTableView*>(QStringLiteral("1014"));
        QVERIFY(list != nullptr);
        // The time column is 100 pixels, or as wide as the dialog's font needs for a time.
        QStringList headings = Headings(list);
        QVERIFY2(headings.size() == 5 && headings[1].startsWith("Time/") &&
                     headings[1].mid(5).toInt() >= 100,
                 qPrintable(headings.join(' ')));
        headings[1] = QStringLiteral("Time/");
        QCOMPARE(headings, (QStringList{"S/20", "Time/", "IP/100", "Event/800", " /30"}));
        // The other columns are the engine's trap table as it stands, alignment included.
        QStringList shown = ShownColumns(list);
        QStringList table = TableColumns(kTrapColumnTable, true);
        shown.removeAt(1);
        table.removeAt(1);
        QCOMPARE(shown, table);
        QCOMPARE(Column(list, 3), (QStringList{"beta", "gamma", "alpha"}));
        QCOMPARE(Column(list, 2), (QStringList{"10.77.0.2", "10.77.0.3", "10.77.0.2"}));
        QCOMPARE(Unread(list), (QList<bool>{true, true, true}));

        // The first sort ever is descending; the click then marks the trap its row shows.
        ClickHeader(list, 3);
        QCOMPARE(Column(list, 3), (QStringList{"gamma", "beta", "alpha"}));
        ClickRow(list, 1);
        QCOMPARE(Unread(list), (QList<bool>{true, false, true}));
        QCOMPARE(ViewSelection(list), std::vector<int>{1});
        const TrapStore& store = window.console->TrapsKept();
        QCOMPARE(store.Slot(0).readMark, kTrapRead);
        QCOMPARE(store.Slot(1).readMark, kTrapUnread);
        QCOMPARE(store.Slot(2).readMark, kTrapUnread);
        // Sorting by S, ascending now, puts the read trap first.
        ClickHeader(list, 0);
        QCOMPARE(Column(list, 3).first(), QStringLiteral("beta"));
        // A trap arriving while the dialog is open is kept, not shown.
        SendTrap(window, 2, "delta");
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(store.Count(), 4u);

        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("1015")), Qt::LeftButton);
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(store.Count(), 0u);
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        checked = true;
    });
    window.Click(1007);
    QVERIFY(checked);
    // The trap that arrived while the dialog was open turned it red again.
    QVERIFY(ShowsBitmap(indicator, Image::TrapRed));
    SendTrap(window, 1, "after");
    QCOMPARE(window.console->TrapsKept().Count(), 1u);
    QCOMPARE(QString(window.console->TrapsKept().Slot(0).event), QStringLiteral("after"));
}

void TestMainWindow::trapDialogSortDirectionOutlivesTheDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1)});
    window.Start();
    for (const char* event : {"b", "a", "c"}) {
        SendTrap(window, 1, event);
    }
    // Each opening clicks the Event heading once: descending, then ascending.
    for (const QStringList& expected : {QStringList{"c", "b", "a"}, QStringList{"a", "b", "c"}}) {
        QStringList shown;
        OnNextModal([&](QWidget* modal) {
            QTableView* list = modal->findChild<QTableView*>(QStringLiteral("1014"));
            ClickHeader(list, 3);
            shown = Column(list, 3);
            qobject_cast<QDialog*>(modal)->accept();
        });
        window.Click(1007);
        QCOMPARE(shown, expected);
    }
}

VANTELO_GUI_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
