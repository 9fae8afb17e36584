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
#include <cstring>
#include <filesystem>
#include <memory>

#include "GuiTestSupport.h"
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
#include "protocol/TlvElements.h"
#include "support/RecordingUserInteraction.h"
#include "support/WindowHarness.h"

using namespace vantelo;
using namespace vantelo::test;

namespace {

constexpr uint32_t kDeviceTypeId = test::ConsoleHarness::kDeviceTypeId;
constexpr uint16_t kBasePort = test::ConsoleHarness::kBasePort;
constexpr uint16_t kAgentPort = test::ConsoleHarness::kAgentPort;

using Window = test::WindowHarness;

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

// An action's text as its menu shows it: the access key's ampersand is not drawn.
QString Shown(const QAction* action) {
    QString text = action->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void listsAndMenu();
    void networkInterfaceMenu();
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
    void agentTextsKeepTheirBytes_data();
    void agentTextsKeepTheirBytes();
    void webAccess();
    void fileCommands();
    void enterAndEscapeAreSwallowed();
    void threeWaysToEnd_data();
    void threeWaysToEnd();
};

void TestMainWindow::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isStrip");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("units");
    const auto row = [](const QString& name, bool isStrip, const char* text, QRect units) {
        QTest::newRow(qPrintable(name)) << name << isStrip << QString::fromLatin1(text) << units;
    };
    const auto control = [&row](ControlId id, const char* text, int x, int y, int w, int h) {
        row(Id(id), false, text, QRect(x, y, w, h));
    };
    // The frame strips are pictures of the template; their ids name nothing else.
    const auto strip = [&row](int id, int x, int y, int w, int h) {
        row(QString::number(id), true, "", QRect(x, y, w, h));
    };
    control(ControlId::DiscoveryList, "", 26, 15, 353, 103);
    control(ControlId::Discovery, "Discovery", 307, 118, 73, 12);
    control(ControlId::AddToMonitorList, "Add to monitor list", 151, 136, 72, 12);
    control(ControlId::MonitorList, "", 26, 159, 355, 107);
    control(ControlId::ViewTrap, "View trap", 47, 266, 72, 12);
    control(ControlId::AddItem, "Add item", 223, 266, 72, 12);
    control(ControlId::DeleteItem, "Delete item", 307, 266, 73, 12);
    control(ControlId::ConfigurationSetting, "Configuration setting", 26, 299, 72, 12);
    control(ControlId::PasswordChange, "Password change", 119, 299, 72, 12);
    control(ControlId::FirmwareUpgrade, "Firmware upgrade", 215, 299, 72, 12);
    control(ControlId::WebAccess, "Web access", 307, 299, 72, 12);
    control(ControlId::Exit, "Exit", 307, 324, 72, 12);
    strip(1094, 17, 118, 290, 12);
    strip(1106, 380, 152, 9, 125);
    strip(1113, 379, 298, 10, 13);
}

void TestMainWindow::controls() {
    QFETCH(QString, name);
    QFETCH(bool, isStrip);
    QFETCH(QString, text);
    QFETCH(QRect, units);
    Window window;
    window.Start();
    QWidget* control = window.dialog->findChild<QWidget*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    const DialogUnits du(control->parentWidget()->font());
    QCOMPARE(control->geometry(), du.Rect(units.x(), units.y(), units.width(), units.height()));
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QCOMPARE(button->text(), text);
    }
    // Only the frame strips are grey; every other control keeps its own background.
    const QRgb background = control->palette().color(control->backgroundRole()).rgb();
    if (isStrip) {
        QCOMPARE(background, kStripGrey);
    } else {
        QVERIFY2(background != kStripGrey, "a control that is no frame strip is painted grey");
    }
}

void TestMainWindow::listsAndMenu() {
    Window window;
    window.Start();
    QCOMPARE(window.dialog->windowTitle(), QStringLiteral("Vantelo Utility"));
    QCOMPARE(
        window.Control(ControlId::Exit)->parentWidget()->palette().color(QPalette::Window).rgb(),
        kWindowBlue);
    QVERIFY(!window.Control<QLabel>(ControlId::TrapIndicator)->pixmap().isNull());
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
    const auto discovery = headers(window.Control<QTableView>(ControlId::DiscoveryList));
    QCOMPARE(discovery.first,
             (QStringList{"MAC Address", "IP Address", "Protocol Version", "Product Name",
                          "System Name", "DHCP", "Location", "Trap IP", "Subnet Mask", "Gateway"}));
    QCOMPARE(discovery.second, QList<int>(10, 100));
    const auto monitor = headers(window.Control<QTableView>(ControlId::MonitorList));
    QCOMPARE(monitor.first,
             (QStringList{"S", "IP Address", "MAC Address", "Protocol Version", "Product Name",
                          "System Name", "DHCP", "Location", "Trap IP", "Subnet Mask", "Gateway"}));
    QCOMPARE(monitor.second, (QList<int>{20, 80, 100, 100, 100, 100, 100, 100, 100, 100, 100}));
    // Both lists take their columns from the engine's table, alignment included.
    QCOMPARE(ShownColumns(window.Control<QTableView>(ControlId::DiscoveryList)),
             TableColumns(kDiscoveryColumnTable, false));
    QCOMPARE(ShownColumns(window.Control<QTableView>(ControlId::MonitorList)),
             TableColumns(kMonitorColumnTable, false));

    // Menu 132: four popups, each item carrying its command id; the texts as the menus show
    // them, access keys aside. The exports and the Notifications check come beside the
    // template's items.
    QStringList menus;
    for (QAction* popup : window.dialog->findChild<QMenuBar*>()->actions()) {
        QStringList items;
        for (QAction* item : popup->menu()->actions()) {
            items << (item->menu() != nullptr ? Shown(item)
                                              : item->objectName() + " " + Shown(item));
        }
        menus << Shown(popup) + ": " + items.join(QStringLiteral(", "));
    }
    const auto named = [](ControlId id, const char* text) { return Id(id) + " " + text; };
    QCOMPARE(menus, (QStringList{
                        "File: " + named(ControlId::MonitorSave, "Monitor save, ") +
                            named(ControlId::MonitorSaveAs, "Monitor save as, ") +
                            named(ControlId::MonitorLoad, "Monitor load, ") +
                            named(ControlId::ExportDiscoveryList, "Export discovery list..., ") +
                            named(ControlId::ExportMonitorList, "Export monitor list..., ") +
                            named(ControlId::FileExit, "Exit"),
                        "View: " + named(ControlId::ViewLog, "View log, ") +
                            named(ControlId::ClearLog, "Clear log"),
                        "Option: Refresh time, " + named(ControlId::Notifications, "Notifications"),
                        "Help: " + named(ControlId::About, "About"),
                    }));
    QStringList checked;
    for (QAction* item :
         qobject_cast<QWidget*>(window.Command(ControlId::RefreshTime15Secs)->parent())
             ->actions()) {
        checked << item->objectName() + (item->isChecked() ? "*" : "") + " " + Shown(item);
    }
    QCOMPARE(checked, (QStringList{Id(ControlId::RefreshTime15Secs) + "* 15 secs",
                                   named(ControlId::RefreshTime30Secs, "30 secs"),
                                   named(ControlId::RefreshTime1Min, "1 min"),
                                   named(ControlId::RefreshTime2Mins, "2 mins"),
                                   named(ControlId::RefreshTime5Mins, "5 mins")}));
    QCOMPARE(window.console->PollIntervalSeconds(), 15);

    // The mark shows the polling interval, whatever item is clicked.
    window.Command(ControlId::RefreshTime1Min)->trigger();
    QVERIFY(window.Command(ControlId::RefreshTime15Secs)->isChecked() ==
            (window.console->PollIntervalSeconds() == 15));
    QVERIFY(window.Command(ControlId::RefreshTime1Min)->isChecked() ==
            (window.console->PollIntervalSeconds() == 60));
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
    QCOMPARE(Column(window.Control<QTableView>(ControlId::MonitorList), 1),
             (QStringList{Ip(1), Ip(2)}));
    QCOMPARE(window.Control<QTableView>(ControlId::DiscoveryList)->model()->rowCount(), 0);
}

void TestMainWindow::discoveryAndMovingAgents() {
    Window window;
    window.AddAgents(4);
    window.Start();
    QTableView* discovery = window.Control<QTableView>(ControlId::DiscoveryList);
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);

    window.Click(ControlId::Discovery);
    QCOMPARE(window.network.Sent().size(), size_t(1));
    QCOMPARE(window.network.Sent()[0].to.address, kBroadcastAddress);
    QCOMPARE(window.network.Sent()[0].to.port, kAgentPort);
    window.network.Deliver();
    QCOMPARE(Column(discovery, 1), (QStringList{Ip(1), Ip(2), Ip(3), Ip(4)}));
    QCOMPARE(Column(discovery, 0)[0], QString::fromLatin1(Agent(1).macText));

    // "Add to monitor list" moves the selected agents.
    ClickRow(discovery, 1);
    ClickRow(discovery, 3, Qt::ControlModifier);
    window.Click(ControlId::AddToMonitorList);
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
    QTableView* discovery = window.Control<QTableView>(ControlId::DiscoveryList);
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);
    window.Click(ControlId::Discovery);
    window.network.Deliver();

    ClickRow(monitor, 1);
    QCOMPARE(CheckSelection(window.console->Lists()), SelectionCode::Monitor);
    ClickRow(discovery, 0);
    QCOMPARE(CheckSelection(window.console->Lists()), SelectionCode::Discovery);
    QCOMPARE(ViewSelection(monitor), std::vector<int>{});
    QCOMPARE(window.console->MonitorList().SelectedCount(), 0);

    // A reply stored meanwhile leaves the operator's selection where it was.
    window.Click(ControlId::Discovery);
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
            QTest::mouseClick(Find<QPushButton>(modal, ControlId::AboutOk), Qt::LeftButton);
        },
        window.dialog);
    window.Command(ControlId::About)->trigger();
    QCOMPARE(shown, QStringLiteral("About"));
    QVERIFY(window.ui.boxes.empty());
    QVERIFY(window.network.Sent().empty());
    QVERIFY(window.dialog->isVisible());

    // Firmware upgrade is wired: with nothing selected it says so.
    window.Click(ControlId::FirmwareUpgrade);
    QCOMPARE(window.ui.boxes.size(), size_t{1});
    QCOMPARE(window.ui.boxes[0].text, std::string("Please select one device"));
}

void TestMainWindow::logCommands() {
    Window window;
    window.Start();
    const std::string log = window.dir.File("syslog.log");
    test::WriteBytes(log, {'o', 'l', 'd'});
    window.Command(ControlId::ViewLog)->trigger();
    QCOMPARE(window.ui.urls, std::vector<std::string>{log});
    window.Command(ControlId::ClearLog)->trigger();
    QVERIFY(std::filesystem::exists(log));
    QVERIFY(test::ReadBytes(log).empty());
    QVERIFY(window.ui.boxes.empty());
}

void TestMainWindow::refreshTimeMarks() {
    Window window;
    window.Start();
    const auto marked = [&] {
        QStringList ids;
        for (const ControlId id : {ControlId::RefreshTime15Secs, ControlId::RefreshTime30Secs,
                                   ControlId::RefreshTime1Min, ControlId::RefreshTime2Mins,
                                   ControlId::RefreshTime5Mins}) {
            if (window.Command(id)->isChecked()) {
                ids << Id(id);
            }
        }
        return ids;
    };
    QCOMPARE(marked(), QStringList{Id(ControlId::RefreshTime15Secs)});
    const std::pair<ControlId, int> choices[] = {{ControlId::RefreshTime30Secs, 30},
                                                 {ControlId::RefreshTime5Mins, 300},
                                                 {ControlId::RefreshTime5Mins, 300},
                                                 {ControlId::RefreshTime2Mins, 120},
                                                 {ControlId::RefreshTime15Secs, 15}};
    for (const auto& [id, seconds] : choices) {
        window.Command(id)->trigger();
        QCOMPARE(marked(), QStringList{Id(id)});
        QCOMPARE(window.console->PollIntervalSeconds(), seconds);
    }
}

void TestMainWindow::deleteItemAsksFirst() {
    Window window;
    window.WriteMonitorFile({Agent(1), Agent(2), Agent(3)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);
    window.Click(ControlId::DeleteItem);  // nothing selected: no question
    QVERIFY(window.ui.boxes.empty());

    ClickRow(monitor, 0);
    ClickRow(monitor, 2, Qt::ControlModifier);
    window.ui.answers = {BoxAnswer::Cancel};
    window.Click(ControlId::DeleteItem);
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Warning|Are you sure to delete this item ?"});
    QCOMPARE(window.ui.boxes[0].buttons, BoxButtons::OkCancel);
    QCOMPARE(window.ui.boxes[0].icon, BoxIcon::Warning);
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(1), Ip(2), Ip(3)}));

    window.Click(ControlId::DeleteItem);
    QCOMPARE(Column(monitor, 1), QStringList{Ip(2)});
    QCOMPARE(QString::fromLatin1(window.console->MonitorTable()[0].ipText), Ip(2));
}

void TestMainWindow::remoteIpDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);

    QStringList seen;
    bool stayedOpen = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<RemoteIpDialog*>(modal);
        QVERIFY(dialog != nullptr);
        seen << dialog->windowTitle() << Find<QLabel>(dialog, ControlId::RemoteIpLabel)->text()
             << Find<QPushButton>(dialog, ControlId::RemoteIpApply)->text()
             << Find<QPushButton>(dialog, ControlId::RemoteIpCancel)->text();
        QCOMPARE(dialog->palette().color(QPalette::Window).rgb(), kWhite);
        auto* address = Find<IpAddressEdit>(dialog, ControlId::RemoteIpAddress);
        QCOMPARE(address->Address(), 0u);
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::RemoteIpApply), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        address->Field(0)->setFocus();
        for (const char c : std::string("10.77.3.4")) {
            QTest::keyClick(dialog->focusWidget(), c);
        }
        QTest::keyClick(dialog, Qt::Key_Return);  // Enter presses Apply here
    });
    window.Click(ControlId::AddItem);

    QCOMPARE(seen, (QStringList{"Remote IP", "IP Address", "Apply", "Cancel"}));
    QVERIFY(stayedOpen);
    QCOMPARE(window.ui.BoxTexts(), QStringList{" Error|IP address is illegal"});
    QCOMPARE(window.ui.boxes[0].owner, BoxOwner::Dialog);
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(1), "10.77.3.4"}));
    QCOMPARE(monitor->model()->index(1, 3).data().toString(), QStringLiteral("0.000.000"));
    QCOMPARE(monitor->model()->index(1, 6).data().toString(), QStringLiteral("disable"));

    // Cancel, and Escape, change nothing.
    OnNextModal([](QWidget* modal) {
        QTest::mouseClick(Find<QPushButton>(modal, ControlId::RemoteIpCancel), Qt::LeftButton);
    });
    window.Click(ControlId::AddItem);
    OnNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    window.Click(ControlId::AddItem);
    QCOMPARE(monitor->model()->rowCount(), 2);
    QCOMPARE(window.ui.boxes.size(), size_t(1));
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
    ClickRow(window.Control<QTableView>(ControlId::MonitorList), 0);

    bool stayedOpen = false;
    bool radiosSwitch = false;
    OnNextModal([&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Configuration setting"));
        QVERIFY(Find<QLineEdit>(dialog, ControlId::ConfigProductName)->isReadOnly());
        QVERIFY(Find<QLineEdit>(dialog, ControlId::ConfigMacAddress)->isReadOnly());
        QCOMPARE(Find<QLineEdit>(dialog, ControlId::ConfigMacAddress)->text(),
                 QStringLiteral("020a1b000001"));
        auto* password = Find<QLineEdit>(dialog, ControlId::ConfigPassword);
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QVERIFY(password->text().isEmpty());
        auto* enable = Find<QRadioButton>(dialog, ControlId::ConfigDhcpEnable);
        auto* disable = Find<QRadioButton>(dialog, ControlId::ConfigDhcpDisable);
        QVERIFY(disable->isChecked() && !enable->isChecked());
        std::vector<QWidget*> fixed{Find(dialog, ControlId::ConfigIpAddress),
                                    Find(dialog, ControlId::ConfigSubnetMask),
                                    Find(dialog, ControlId::ConfigGateway)};
        QTest::mouseClick(enable, Qt::LeftButton);
        const bool disabledByEnable =
            std::none_of(fixed.begin(), fixed.end(), [](QWidget* w) { return w->isEnabled(); });
        const bool trapStays = Find(dialog, ControlId::ConfigTrapIp)->isEnabled();
        QTest::mouseClick(disable, Qt::LeftButton);
        radiosSwitch =
            disabledByEnable && trapStays && enable->isEnabled() &&
            std::all_of(fixed.begin(), fixed.end(), [](QWidget* w) { return w->isEnabled(); }) &&
            Find<IpAddressEdit>(dialog, ControlId::ConfigIpAddress)->Address() == Agent(1).ip;

        PressEnterAndEscape({password, Find<QPushButton>(dialog, ControlId::ConfigSet),
                             Find<IpAddressEdit>(dialog, ControlId::ConfigIpAddress)->Field(3),
                             dialog});
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::ConfigSet), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        password->setText(QStringLiteral("secret"));
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::ConfigSet), Qt::LeftButton);
    });
    window.Click(ControlId::ConfigurationSetting);

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
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::SettingsCancel), Qt::LeftButton);
    });
    window.Click(ControlId::ConfigurationSetting);
    OnNextModal([](QWidget* dialog) { dialog->close(); });
    window.Click(ControlId::ConfigurationSetting);
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
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);

    ClickRow(monitor, 0);
    QStringList seen;
    OnNextModal([&](QWidget* dialog) {
        auto* enable = Find<QRadioButton>(dialog, ControlId::ConfigDhcpEnable);
        auto* disable = Find<QRadioButton>(dialog, ControlId::ConfigDhcpDisable);
        seen << (enable->isEnabled() || disable->isEnabled() ? "enabled" : "disabled")
             << (enable->isChecked() || disable->isChecked() ? "checked" : "unchecked")
             << Find<IpAddressEdit>(dialog, ControlId::ConfigGateway)->Field(0)->text();
        dialog->close();
    });
    window.Click(ControlId::ConfigurationSetting);
    QCOMPARE(seen, (QStringList{"disabled", "unchecked", ""}));

    ClickRow(monitor, 1);
    bool fixedDisabled = false;
    OnNextModal([&](QWidget* dialog) {
        fixedDisabled = Find<QRadioButton>(dialog, ControlId::ConfigDhcpEnable)->isChecked() &&
                        !Find(dialog, ControlId::ConfigIpAddress)->isEnabled() &&
                        !Find(dialog, ControlId::ConfigSubnetMask)->isEnabled() &&
                        !Find(dialog, ControlId::ConfigGateway)->isEnabled() &&
                        Find(dialog, ControlId::ConfigTrapIp)->isEnabled();
        dialog->close();
    });
    window.Click(ControlId::ConfigurationSetting);
    QVERIFY(fixedDisabled);
}

void TestMainWindow::passwordDialog() {
    Window window;
    window.WriteMonitorFile({Agent(1)});
    window.Start();
    window.network.ClearSent();  // the start-up poll
    ClickRow(window.Control<QTableView>(ControlId::MonitorList), 0);

    QStringList texts;
    bool stayedOpen = false;
    OnNextModal([&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Password_change"));
        std::vector<QLineEdit*> edits{Find<QLineEdit>(dialog, ControlId::NewPassword),
                                      Find<QLineEdit>(dialog, ControlId::ConfirmPassword),
                                      Find<QLineEdit>(dialog, ControlId::OriginalPassword)};
        for (QLineEdit* edit : edits) {
            texts << edit->text();
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            edit->setText(QStringLiteral("typed"));
        }
        PressEnterAndEscape({edits[0], Find<QPushButton>(dialog, ControlId::PasswordSet), dialog});
        edits[1]->setText(QStringLiteral("Typed"));
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::PasswordSet), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        edits[1]->setText(QStringLiteral("typed"));
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::PasswordSet), Qt::LeftButton);
    });
    window.Click(ControlId::PasswordChange);
    QCOMPARE(texts, (QStringList{"", "", ""}));
    QVERIFY(stayedOpen);
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Error|Confirm password fail"});
    QCOMPARE(window.network.Sent().size(), size_t(1));

    // The next opening starts empty again.
    texts.clear();
    OnNextModal([&](QWidget* dialog) {
        texts << Find<QLineEdit>(dialog, ControlId::NewPassword)->text();
        dialog->close();
    });
    window.Click(ControlId::PasswordChange);
    QCOMPARE(texts, QStringList{""});
}

// The set request a dialog sent, decoded as the agent reads it.
DeviceRecord SentSettings(const test::SentDatagram& sent) {
    DeviceRecord record{};
    DecodeElements(sent.bytes, &record);
    return record;
}

// The value of the first element of this type in a request, up to its terminating zero: elements
// follow the 40-byte header as a 16-bit type and a 16-bit length that counts those four bytes.
QByteArray SentElement(const test::SentDatagram& sent, TlvType type) {
    const std::vector<uint8_t>& b = sent.bytes;
    for (size_t at = 40; at + 4 <= b.size();) {
        const size_t length = size_t(b[at + 2] << 8 | b[at + 3]);
        if (length < 4 || at + length > b.size()) {
            break;
        }
        if ((b[at] << 8 | b[at + 1]) == static_cast<int>(type)) {
            return QByteArray(reinterpret_cast<const char*>(&b[at + 4]), qsizetype(length - 4))
                .split('\0')
                .first();
        }
        at += length;
    }
    return QByteArray();
}

// Names, locations and passwords travel one byte a character: a text the agent reported goes
// back untouched, its length is its length in bytes, and a typed byte above 0x7f is sent as that
// byte, not as its UTF-8 form.
void TestMainWindow::agentTextsKeepTheirBytes_data() {
    QTest::addColumn<QByteArray>("systemName");
    QTest::addColumn<QByteArray>("location");
    QTest::addColumn<QByteArray>("password");
    QTest::newRow("Latin-1 name") << QByteArray("B\xfcro-Switch") << QByteArray("Geb\xe4ude 3")
                                  << QByteArray("s\xe9same");
    QTest::newRow("twenty bytes, all above 0x7f")
        << QByteArray(20, '\xe9') << QByteArray(20, '\xff') << QByteArray(20, '\xa7');
    QTest::newRow("plain ASCII") << QByteArray("core-1") << QByteArray("rack 4") << QByteArray("x");
}

void TestMainWindow::agentTextsKeepTheirBytes() {
    QFETCH(QByteArray, systemName);
    QFETCH(QByteArray, location);
    QFETCH(QByteArray, password);
    DeviceRecord agent = Agent(1);
    std::memcpy(agent.systemName, systemName.constData(), size_t(systemName.size()) + 1);
    std::memcpy(agent.location, location.constData(), size_t(location.size()) + 1);
    Window window;
    window.WriteMonitorFile({agent});
    window.Start();
    window.network.ClearSent();  // the start-up poll
    ClickRow(window.Control<QTableView>(ControlId::MonitorList), 0);

    QString shownName;
    OnNextModal([&](QWidget* dialog) {
        shownName = Find<QLineEdit>(dialog, ControlId::ConfigSystemName)->text();
        Find<QLineEdit>(dialog, ControlId::ConfigPassword)->setText(QString::fromLatin1(password));
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::ConfigSet), Qt::LeftButton);
    });
    window.Click(ControlId::ConfigurationSetting);
    QCOMPARE(shownName, QString::fromLatin1(systemName));
    QCOMPARE(window.ui.BoxTexts(), QStringList());
    QCOMPARE(window.network.Sent().size(), size_t(1));
    const DeviceRecord sent = SentSettings(window.network.Sent()[0]);
    QCOMPARE(QByteArray(sent.systemName), systemName);
    QCOMPARE(QByteArray(sent.location), location);
    QCOMPARE(QByteArray(sent.password), password);

    // The password dialog sends the typed new password and the original one as bytes.
    OnNextModal([&](QWidget* dialog) {
        for (ControlId id : {ControlId::NewPassword, ControlId::ConfirmPassword}) {
            Find<QLineEdit>(dialog, id)->setText(QString::fromLatin1(location.left(20)));
        }
        Find<QLineEdit>(dialog, ControlId::OriginalPassword)
            ->setText(QString::fromLatin1(password));
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::PasswordSet), Qt::LeftButton);
    });
    window.Click(ControlId::PasswordChange);
    QCOMPARE(window.ui.BoxTexts(), QStringList());
    QCOMPARE(window.network.Sent().size(), size_t(2));
    const DeviceRecord changed = SentSettings(window.network.Sent()[1]);
    QCOMPARE(SentElement(window.network.Sent()[1], TlvType::NewPassword), location.left(20));
    QCOMPARE(QByteArray(changed.password), password);

    // A character with no single byte cannot be typed or pasted into an agent's text.
    OnNextModal([&](QWidget* dialog) {
        auto* name = Find<QLineEdit>(dialog, ControlId::ConfigSystemName);
        name->clear();
        name->insert(QStringLiteral("a"));
        name->insert(QStringLiteral("\u20ac"));
        name->insert(QStringLiteral("b\u00e9"));
        shownName = name->text();
        dialog->close();
    });
    window.Click(ControlId::ConfigurationSetting);
    QCOMPARE(shownName, QStringLiteral("ab\u00e9"));
}

void TestMainWindow::webAccess() {
    test::UrlSink sink;
    Window window;
    window.WriteMonitorFile({Agent(1), Agent(2)});
    window.Start();
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);
    window.Click(ControlId::WebAccess);
    QCOMPARE(window.ui.BoxTexts(),
             QStringList{"Error|Please select one device in the monitor list"});

    ClickRow(monitor, 1);
    window.Click(ControlId::WebAccess);
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
    QTableView* monitor = window.Control<QTableView>(ControlId::MonitorList);
    const FileDialogRequest saveAs{true, "config File (*.cfg)|*.cfg||", "*.cfg", "Default.cfg"};
    const FileDialogRequest load{false, "config File (*.cfg)|*.cfg||", "monitor.cfg", "*.cfg"};
    const auto describe = [](const FileDialogRequest& r) {
        return QString::fromStdString((r.save ? "save " : "open ") + r.filter + " " +
                                      r.initialName + " " + r.defaultExtension);
    };

    std::remove(window.dir.File("monitor.cfg").c_str());
    window.Command(ControlId::MonitorSave)->trigger();
    QCOMPARE(test::ReadBytes(window.dir.File("monitor.cfg")).size(), size_t(2 * 272));

    const std::string other = window.dir.File("other.cfg");
    window.ui.fileNames = {other, std::nullopt};
    window.Command(ControlId::MonitorSaveAs)->trigger();
    window.Command(ControlId::MonitorSaveAs)->trigger();  // cancelled
    QCOMPARE(test::ReadBytes(other).size(), size_t(2 * 272));

    ClickRow(monitor, 0);
    ClickRow(monitor, 1, Qt::ControlModifier);
    window.Click(ControlId::DeleteItem);
    QCOMPARE(monitor->model()->rowCount(), 0);

    window.ui.fileNames = {std::nullopt, other};
    window.Command(ControlId::MonitorLoad)->trigger();  // cancelled
    QCOMPARE(monitor->model()->rowCount(), 0);
    window.Command(ControlId::MonitorLoad)->trigger();
    QCOMPARE(Column(monitor, 1), (QStringList{Ip(1), Ip(2)}));

    QCOMPARE(window.ui.fileDialogs.size(), size_t(4));
    QCOMPARE(describe(window.ui.fileDialogs[0]), describe(saveAs));
    QCOMPARE(describe(window.ui.fileDialogs[3]), describe(load));
    QCOMPARE(window.ui.BoxTexts(), QStringList{"Warning|Are you sure to delete this item ?"});
}

void TestMainWindow::enterAndEscapeAreSwallowed() {
    Window window;
    window.Start();
    QPushButton* discovery = window.Control<QPushButton>(ControlId::Discovery);
    discovery->setFocus();
    for (QWidget* target :
         {static_cast<QWidget*>(discovery), window.Control(ControlId::DiscoveryList),
          window.Control(ControlId::MonitorList), static_cast<QWidget*>(window.dialog)}) {
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
            window.Click(ControlId::Exit);
            break;
        case 1:
            window.Command(ControlId::FileExit)->trigger();
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
    auto* indicator = window.Control<QLabel>(ControlId::TrapIndicator);
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
        QTableView* list = Find<QTableView>(dialog, ControlId::TrapList);
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

        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::TrapClearAll), Qt::LeftButton);
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(store.Count(), 0u);
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(Find<QPushButton>(dialog, ControlId::TrapOk), Qt::LeftButton);
        checked = true;
    });
    window.Click(ControlId::ViewTrap);
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
            QTableView* list = Find<QTableView>(modal, ControlId::TrapList);
            ClickHeader(list, 3);
            shown = Column(list, 3);
            qobject_cast<QDialog*>(modal)->accept();
        });
        window.Click(ControlId::ViewTrap);
        QCOMPARE(shown, expected);
    }
}

// The workstation's interfaces, as the test sets them.
class FixedInterfaces final : public NetworkInterfaces {
public:
    std::vector<NetworkInterface> Usable() override { return usable; }
    std::vector<NetworkInterface> usable;
};

// Each entry of the Option menu's Network interface submenu, read afresh as when it opens:
// its text, "*" when checked, "-" when unavailable.
QStringList InterfaceEntries(MainWindow* window) {
    auto* submenu = window->findChild<QMenu*>(QStringLiteral("NetworkInterface"));
    if (submenu == nullptr) {
        return {};
    }
    QMetaObject::invokeMethod(submenu, "aboutToShow");
    QStringList entries;
    for (QAction* item : submenu->actions()) {
        entries << item->text() + (item->isChecked() ? "*" : "") + (item->isEnabled() ? "" : "-");
    }
    return entries;
}

bool OptionOffersInterfaces(MainWindow* window) {
    auto* submenu = window->findChild<QMenu*>(QStringLiteral("NetworkInterface"));
    for (QAction* popup : window->findChild<QMenuBar*>()->actions()) {
        if (QString(popup->text()).remove(QLatin1Char('&')) == QStringLiteral("Option")) {
            QMetaObject::invokeMethod(popup->menu(), "aboutToShow");
            return popup->menu()->actions().contains(submenu->menuAction());
        }
    }
    return false;
}

void TestMainWindow::networkInterfaceMenu() {
    const NetworkInterface first{2, "eth0", 0x0A4D0001, 0xFFFF0000};
    const NetworkInterface second{3, "eth1", 0xC0A83202, 0xFFFFFF00};
    FixedInterfaces interfaces;
    interfaces.usable = {first};
    WindowHarness window;
    window.interfaces = &interfaces;
    window.Start();
    // One interface: the menu as it always was.
    QVERIFY(!OptionOffersInterfaces(window.dialog));

    // A second one comes up: the entry appears, "All interfaces" checked.
    interfaces.usable = {first, second};
    QVERIFY(OptionOffersInterfaces(window.dialog));
    QCOMPARE(InterfaceEntries(window.dialog),
             (QStringList{"All interfaces*", "eth0  10.77.0.1/16", "eth1  192.168.50.2/24"}));

    // Choosing one restricts discovery to it.
    auto* submenu = window.dialog->findChild<QMenu*>(QStringLiteral("NetworkInterface"));
    submenu->actions().at(2)->trigger();
    QCOMPARE(window.console->ChosenInterface(), std::string("eth1"));
    QCOMPARE(InterfaceEntries(window.dialog),
             (QStringList{"All interfaces", "eth0  10.77.0.1/16", "eth1  192.168.50.2/24*"}));
    window.network.ClearSent();
    window.console->OnDiscovery();
    QCOMPARE(window.network.Sent().size(), size_t{1});
    QCOMPARE(window.network.Sent()[0].interfaceIndex, second.index);

    // The chosen one is gone: the menu says so and discovery goes on on the other.
    interfaces.usable = {first};
    QVERIFY(OptionOffersInterfaces(window.dialog));
    QCOMPARE(InterfaceEntries(window.dialog),
             (QStringList{"All interfaces*", "eth0  10.77.0.1/16", "eth1  (unavailable)-"}));
    window.network.ClearSent();
    window.console->OnDiscovery();
    QCOMPARE(window.network.Sent().size(), size_t{1});
    QCOMPARE(window.network.Sent()[0].interfaceIndex, first.index);
    // Back to all: with one interface and no choice the entry goes away again.
    submenu->actions().at(0)->trigger();
    QVERIFY(!OptionOffersInterfaces(window.dialog));
}

VANTELO_GUI_TEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
