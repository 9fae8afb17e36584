// The main window with a full list: the template geometry as the smallest size, a larger window
// growing both lists, the geometry kept between runs, the keyboard (Tab order, shortcuts), the
// CSV exports, cell tooltips and header dividers, and the notifications' grouping.

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolTip>
#include <filesystem>
#include <string>

#include "GuiTestSupport.h"
#include "gui/DesktopNotices.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DialogUnits.h"
#include "platform/files/ConsoleSettings.h"
#include "support/WindowHarness.h"

using namespace vantelo;
using namespace vantelo::test;

namespace {

using Window = WindowHarness;

constexpr uint32_t kDeviceTypeId = WindowHarness::kDeviceTypeId;

QWidget* Client(const Window& window) {
    return window.Control(ControlId::Exit)->parentWidget();
}

QRect Units(const Window& window, int x, int y, int w, int h) {
    return DialogUnits(Client(window)->font()).Rect(x, y, w, h);
}

// Every child of the client area by a name that tells it apart, with its geometry.
QMap<QString, QRect> Geometries(const Window& window) {
    QMap<QString, QRect> geometries;
    for (QWidget* child : Client(window)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QString name = child->objectName();
        if (name.isEmpty()) {
            name = QString::fromLatin1(child->metaObject()->className()) + " " +
                   child->accessibleName();
        }
        geometries.insert(name, child->geometry());
    }
    return geometries;
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

void MonitorAgents(Window& window, int count) {
    std::vector<DeviceRecord> records;
    for (int n = 1; n <= count; ++n) {
        records.push_back(StoredRecord(NumberedAgent(n), kDeviceTypeId));
    }
    window.WriteMonitorFile(records);
}

void Activate(Window& window) {
    window.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.dialog));
}

}  // namespace

class TestFullList : public QObject {
    Q_OBJECT

private slots:
    void templateSizeIsTheSmallest_data();
    void templateSizeIsTheSmallest();
    void enlargedWindowGrowsBothLists();
    void geometryKeptBetweenRunsAndInsideTheScreen();
    void trapDialogGrows();
    void tabOrder();
    void shortcuts();
    void exportBytes();
    void failedExportIsTold();
    void trapExport();
    void headerDividerFitsColumn();
    void elidedCellHasItsTextAsTooltip();
    void notificationsGroupAPassAndABurst();
    void notificationsOffOrWindowActive();
    void settingsNeverMakeTheDirectory();

private:
    UrlSink urls_;
};

void TestFullList::templateSizeIsTheSmallest_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("units");
    const auto row = [](const QString& name, int x, int y, int w, int h) {
        QTest::newRow(qPrintable(name)) << name << QRect(x, y, w, h);
    };
    const auto control = [&row](ControlId id, int x, int y, int w, int h) {
        row(Id(id), x, y, w, h);
    };
    control(ControlId::DiscoveryList, 26, 15, 353, 103);
    control(ControlId::Discovery, 307, 118, 73, 12);
    control(ControlId::AddToMonitorList, 151, 136, 72, 12);
    control(ControlId::MonitorList, 26, 159, 355, 107);
    control(ControlId::ViewTrap, 47, 266, 72, 12);
    control(ControlId::AddItem, 223, 266, 72, 12);
    control(ControlId::DeleteItem, 307, 266, 73, 12);
    control(ControlId::ConfigurationSetting, 26, 299, 72, 12);
    control(ControlId::PasswordChange, 119, 299, 72, 12);
    control(ControlId::FirmwareUpgrade, 215, 299, 72, 12);
    control(ControlId::WebAccess, 307, 299, 72, 12);
    control(ControlId::Exit, 307, 324, 72, 12);
    row("vantelo::FrameBox Discovery List", 15, 3, 374, 128);
    row("vantelo::FrameBox Monitor List", 15, 147, 375, 132);
    row("vantelo::FrameBox Agent Tools", 15, 285, 375, 36);
    const int strips[][5] = {
        {1094, 17, 118, 290, 12},  {1095, 17, 12, 9, 113},   {1096, 17, 8, 370, 8},
        {1097, 379, 9, 9, 121},    {1099, 17, 152, 10, 125}, {1100, 18, 152, 367, 8},
        {1101, 119, 266, 104, 12}, {1102, 295, 266, 12, 12}, {1105, 38, 266, 9, 12},
        {1106, 380, 152, 9, 125},  {1107, 17, 291, 372, 8},  {1108, 17, 311, 372, 9},
        {1109, 17, 299, 9, 13},    {1110, 98, 298, 21, 13},  {1111, 191, 298, 24, 13},
        {1112, 287, 298, 20, 13},  {1113, 379, 298, 10, 13},
    };
    for (const auto& s : strips) {
        row(QString::number(s[0]), s[1], s[2], s[3], s[4]);
    }
}

// At the template's size every control is where the template puts it, also after the window
// was larger; the window cannot be made smaller.
void TestFullList::templateSizeIsTheSmallest() {
    QFETCH(QString, name);
    QFETCH(QRect, units);
    Window window;
    window.Start();
    const QMap<QString, QRect> atStart = Geometries(window);
    QVERIFY2(atStart.contains(name), qPrintable(name));
    QCOMPARE(atStart.value(name),
             Units(window, units.x(), units.y(), units.width(), units.height()));

    const QSize smallest = window.dialog->size();
    QCOMPARE(window.dialog->minimumSize(), smallest);
    QVERIFY(window.dialog->maximumSize().width() > smallest.width());
    window.dialog->resize(smallest + QSize(250, 300));
    window.dialog->resize(smallest - QSize(100, 100));
    QCOMPARE(window.dialog->size(), smallest);
    QCOMPARE(Geometries(window), atStart);
}

void TestFullList::enlargedWindowGrowsBothLists() {
    Window window;
    MonitorAgents(window, 40);
    window.Start();
    auto* discovery = window.Control<QTableView>(ControlId::DiscoveryList);
    auto* monitor = window.Control<QTableView>(ControlId::MonitorList);
    const QMap<QString, QRect> before = Geometries(window);
    const int rowsBefore = monitor->rowAt(monitor->viewport()->height() - 1);
    const int discoveryHeight = discovery->viewport()->height();

    window.dialog->resize(window.dialog->size() + QSize(300, 401));
    const QMap<QString, QRect> after = Geometries(window);
    const auto grew = [&](const QString& name) {
        return after.value(name).size() - before.value(name).size();
    };
    const auto moved = [&](const QString& name) {
        return after.value(name).topLeft() - before.value(name).topLeft();
    };
    // The extra height is shared, the odd pixel going below; the width goes to both.
    QCOMPARE(grew(Id(ControlId::DiscoveryList)), QSize(300, 200));
    QCOMPARE(grew(Id(ControlId::MonitorList)), QSize(300, 201));
    QCOMPARE(moved(Id(ControlId::MonitorList)), QPoint(0, 200));
    QCOMPARE(grew("vantelo::FrameBox Discovery List"), QSize(300, 200));
    QCOMPARE(grew("vantelo::FrameBox Monitor List"), QSize(300, 201));
    QCOMPARE(moved(Id(ControlId::Discovery)), QPoint(300, 200));
    QCOMPARE(moved(Id(ControlId::AddToMonitorList)), QPoint(150, 200));
    QCOMPARE(moved(Id(ControlId::ViewTrap)), QPoint(0, 401));
    QCOMPARE(moved(Id(ControlId::DeleteItem)), QPoint(300, 401));
    QCOMPARE(moved(Id(ControlId::PasswordChange)), QPoint(100, 401));
    QCOMPARE(moved(Id(ControlId::FirmwareUpgrade)), QPoint(200, 401));
    QCOMPARE(moved(Id(ControlId::Exit)), QPoint(300, 401));
    QCOMPARE(grew("1106"), QSize(0, 201));
    QCOMPARE(grew("1107"), QSize(300, 0));
    // The strips still meet the buttons they frame.
    QCOMPARE(after.value("1110").right() + 1, after.value(Id(ControlId::PasswordChange)).left());
    QCOMPARE(after.value("1111").left(), after.value(Id(ControlId::PasswordChange)).right() + 1);
    QCOMPARE(Client(window)->width(), window.dialog->width());

    QVERIFY(monitor->rowAt(monitor->viewport()->height() - 1) > rowsBefore + 5);
    QCOMPARE(discovery->viewport()->height(), discoveryHeight + 200);
}

void TestFullList::geometryKeptBetweenRunsAndInsideTheScreen() {
    Window window;
    window.Start();
    const QSize smallest = window.dialog->size();
    window.dialog->resize(smallest + QSize(40, 60));
    window.Click(ControlId::Exit);
    QVERIFY(!ConsoleSettings(QString::fromStdString(window.dir.Path())).WindowGeometry().isEmpty());

    window.Start();
    QCOMPARE(window.dialog->size(), smallest + QSize(40, 60));

    // A window left far outside the screen comes back inside it.
    window.dialog->move(20000, 20000);
    window.Click(ControlId::Exit);
    window.Start();
    const QRect screen = window.dialog->screen()->availableGeometry();
    QVERIFY2(screen.intersects(window.dialog->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2").arg(window.dialog->x()).arg(window.dialog->y())));
}

void TestFullList::trapDialogGrows() {
    Window window;
    window.Start();
    OnNextModal([](QWidget* dialog) {
        auto* list = dialog->findChild<QTableView*>(Id(ControlId::TrapList));
        auto* ok = dialog->findChild<QPushButton*>(Id(ControlId::TrapOk));
        auto* exportRows = dialog->findChild<QPushButton*>(Id(ControlId::TrapExport));
        QVERIFY(list != nullptr && ok != nullptr && exportRows != nullptr);
        const DialogUnits du(dialog->font());
        QCOMPARE(dialog->minimumSize(), dialog->size());
        QCOMPARE(exportRows->geometry(), du.Rect(61, 196, 50, 14));
        const QRect listBefore = list->geometry();
        const QRect okBefore = ok->geometry();
        dialog->resize(dialog->size() + QSize(100, 80));
        QCOMPARE(list->geometry().size(), listBefore.size() + QSize(100, 80));
        QCOMPARE(ok->geometry().topLeft(), okBefore.topLeft() + QPoint(100, 80));
        static_cast<QDialog*>(dialog)->accept();
    });
    window.Click(ControlId::ViewTrap);
}

// Tab visits each control once in reading order, a list being one stop.
void TestFullList::tabOrder() {
    Window window;
    MonitorAgents(window, 3);
    window.Start();
    Activate(window);
    window.Control(ControlId::DiscoveryList)->setFocus();
    const QStringList expected = {
        Id(ControlId::Discovery),
        Id(ControlId::AddToMonitorList),
        Id(ControlId::MonitorList),
        Id(ControlId::ViewTrap),
        Id(ControlId::AddItem),
        Id(ControlId::DeleteItem),
        Id(ControlId::ConfigurationSetting),
        Id(ControlId::PasswordChange),
        Id(ControlId::FirmwareUpgrade),
        Id(ControlId::WebAccess),
        Id(ControlId::Exit),
        Id(ControlId::DiscoveryList),
    };
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    // A button Tab reached shows the focus with a dotted line in the console's blue inside its
    // bevel; the grey face has no blue of its own.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* discovery = window.Control<QPushButton>(ControlId::Discovery);
    QCOMPARE(QApplication::focusWidget(), discovery);
    const auto marked = [](QWidget* button) {
        const QImage image = button->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        int blue = 0;
        for (int x = 4; x < button->width() - 4; ++x) {
            blue += image.pixel(QPoint(qRound(x * ratio), qRound(3 * ratio))) == kWindowBlue;
        }
        return blue;
    };
    QVERIFY(marked(discovery) > 4);
    QCOMPARE(marked(window.Control(ControlId::AddToMonitorList)), 0);
}

void TestFullList::shortcuts() {
    Window window;
    window.AddAgents(2);
    MonitorAgents(window, 2);
    window.Start();
    Activate(window);
    auto* monitor = window.Control<QTableView>(ControlId::MonitorList);
    auto* discovery = window.Control<QTableView>(ControlId::DiscoveryList);

    // F5: Discovery, wherever the focus is.
    window.Control(ControlId::Exit)->setFocus();
    window.network.ClearSent();
    QTest::keyClick(window.dialog->focusWidget(), Qt::Key_F5);
    QCOMPARE(window.network.Sent().size(), size_t(1));
    QCOMPARE(window.network.Sent()[0].to.address, kBroadcastAddress);

    // Ctrl+S: Monitor save, to monitor.cfg.
    std::filesystem::remove(window.dir.File("monitor.cfg"));
    QTest::keyClick(window.dialog->focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(std::filesystem::exists(window.dir.File("monitor.cfg")));

    // Ctrl+O: Monitor load asks for a file to open.
    window.ui.fileNames.push_back(std::nullopt);
    QTest::keyClick(window.dialog->focusWidget(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(window.ui.fileDialogs.size(), size_t(1));
    QVERIFY(!window.ui.fileDialogs[0].save);

    // Delete: Delete item, from the monitor list only.
    ClickRow(monitor, 0);
    window.ui.answers.push_back(BoxAnswer::Cancel);
    discovery->setFocus();
    QTest::keyClick(discovery, Qt::Key_Delete);
    QVERIFY(window.ui.boxes.empty());
    monitor->setFocus();
    QTest::keyClick(monitor, Qt::Key_Delete);
    QCOMPARE(window.ui.boxes.size(), size_t(1));
    QCOMPARE(window.console->Lists().MonitorCount(), 2);
}

// The export writes what the list shows, in its order: a name with a comma and quotes is quoted
// with the quotes doubled, and Latin-1 bytes go out as they came in.
void TestFullList::exportBytes() {
    Window window;
    AgentSettings quoted = NumberedAgent(1);
    quoted.systemName = "core \"east\", 1";
    quoted.location = "Salle \xe9t\xe9";
    AgentSettings plain = NumberedAgent(2);
    plain.systemName = "annex";
    window.AddAgent(quoted);
    window.AddAgent(plain);
    window.Start();
    window.Click(ControlId::Discovery);
    window.network.Deliver();
    // Shown last after a descending sort by IP address.
    ClickHeader(window.Control<QTableView>(ControlId::DiscoveryList), 1);

    const std::string path = window.dir.File("discovery.csv");
    window.ui.fileNames.push_back(path);
    window.Command(ControlId::ExportDiscoveryList)->trigger();
    QCOMPARE(window.ui.fileDialogs.size(), size_t(1));
    QVERIFY(window.ui.fileDialogs[0].save);
    const std::string csv = Text(ReadBytes(path));
    const std::string header =
        "MAC Address,IP Address,Protocol Version,Product Name,System Name,DHCP,Location,Trap "
        "IP,Subnet Mask,Gateway\r\n";
    QVERIFY2(csv.rfind(header, 0) == 0, csv.c_str());
    const size_t annex = csv.find(",annex,");
    const size_t core = csv.find(",\"core \"\"east\"\", 1\",");
    QVERIFY(annex != std::string::npos && core != std::string::npos);
    QVERIFY(annex < core);
    QVERIFY(csv.find(",Salle \xe9t\xe9,") != std::string::npos);
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 3);
    QVERIFY(window.ui.boxes.empty());

    // Cancel writes nothing.
    window.ui.fileNames.push_back(std::nullopt);
    window.Command(ControlId::ExportMonitorList)->trigger();
    QVERIFY(window.ui.boxes.empty());
}

void TestFullList::failedExportIsTold() {
    Window window;
    MonitorAgents(window, 2);
    window.Start();
    window.ui.fileNames.push_back(window.dir.File("missing/monitor.csv"));
    window.Command(ControlId::ExportMonitorList)->trigger();
    QCOMPARE(window.ui.BoxTexts(),
             (QStringList{"Export|The list could not be written to the file."}));

    // The monitor list's status column says what its image means.
    const std::string path = window.dir.File("monitor.csv");
    window.ui.fileNames.push_back(path);
    window.Command(ControlId::ExportMonitorList)->trigger();
    const std::string csv = Text(ReadBytes(path));
    QVERIFY2(csv.rfind("S,IP Address,MAC Address,", 0) == 0, csv.c_str());
    QCOMPARE(std::count(csv.begin(), csv.end(), '\n'), 3);
}

void TestFullList::trapExport() {
    Window window;
    MonitorAgents(window, 2);
    window.Start();
    for (const char* event : {"link down, port 3", "fan \"B\" failed"}) {
        const AgentSettings agent = NumberedAgent(1);
        window.network.Queue(WindowHarness::kBasePort + 1,
                             Endpoint{agent.ip, WindowHarness::kAgentPort},
                             TrapDatagram(agent, agent.ip, event, kDeviceTypeId));
        window.network.Deliver();
    }
    const std::string path = window.dir.File("traps.csv");
    window.ui.fileNames.push_back(path);
    OnNextModal([](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(Id(ControlId::TrapExport)),
                          Qt::LeftButton);
        // The dialog stays open after the export.
        QVERIFY(dialog->isVisible());
        static_cast<QDialog*>(dialog)->accept();
    });
    window.Click(ControlId::ViewTrap);
    const std::string csv = Text(ReadBytes(path));
    QVERIFY2(csv.rfind("S,Time,IP,Event, \r\nunread,", 0) == 0, csv.c_str());
    QVERIFY(csv.find(",10.77.0.2,\"link down, port 3\",\r\n") != std::string::npos);
    QVERIFY(csv.find(",\"fan \"\"B\"\" failed\",\r\n") != std::string::npos);
}

// A double click on the divider right of a column fits it to its widest text; the click sorts
// nothing.
void TestFullList::headerDividerFitsColumn() {
    Window window;
    AgentSettings longName = NumberedAgent(1);
    longName.systemName = "distribution-switch-1";
    window.AddAgent(longName);
    window.Start();
    window.Click(ControlId::Discovery);
    window.network.Deliver();
    auto* discovery = window.Control<QTableView>(ControlId::DiscoveryList);
    const int column = 4;
    QCOMPARE(discovery->columnWidth(column), 100);
    QHeaderView* header = discovery->horizontalHeader();
    const QPoint divider(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                         header->height() / 2);
    const int sortColumn = window.console->Lists().SortColumn();
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, divider);
    const QString text = discovery->model()->index(0, column).data().toString();
    QVERIFY(discovery->columnWidth(column) >= discovery->fontMetrics().horizontalAdvance(text));
    QVERIFY(discovery->columnWidth(column) != 100);
    QCOMPARE(window.console->Lists().SortColumn(), sortColumn);
}

// Only a cell cut short offers its whole text as a tooltip.
void TestFullList::elidedCellHasItsTextAsTooltip() {
    Window window;
    AgentSettings longName = NumberedAgent(1);
    longName.systemName = "edge-1";
    longName.location = "Warehouse WMWMWMWMWM";
    window.AddAgent(longName);
    window.Start();
    window.Click(ControlId::Discovery);
    window.network.Deliver();
    auto* discovery = window.Control<QTableView>(ControlId::DiscoveryList);
    // The tip a pause over the cell shows, empty when none.
    const auto tipAt = [discovery](int column) {
        QToolTip::hideText();
        if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) {
            return QStringLiteral("(an earlier tip stays)");
        }
        const QPoint at = discovery->visualRect(discovery->model()->index(0, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, discovery->viewport()->mapToGlobal(at));
        QApplication::sendEvent(discovery->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(6), QStringLiteral("Warehouse WMWMWMWMWM"));
    QCOMPARE(tipAt(1), QString());
    QCOMPARE(tipAt(4), QString());
}

// The changes of one pass make one notification, a burst of traps another.
void TestFullList::notificationsGroupAPassAndABurst() {
    QStringList told;
    DesktopNotices notices(
        [] { return false; },
        [&told](const QString& summary, const QString& body) { told << summary + "|" + body; });
    notices.AgentLiveness("core-1", false);
    notices.AgentLiveness("core-2", false);
    notices.AgentLiveness("annex", false);
    notices.AgentLiveness("edge-4", true);
    QVERIFY(told.isEmpty());
    QTRY_COMPARE(told, (QStringList{"3 switches not alive: core-1, core-2, annex|",
                                    "1 switch alive again: edge-4|"}));
    told.clear();
    for (int i = 0; i < 1000; ++i) {
        notices.TrapStored(i % 2 == 0 ? "core-1" : "annex", QStringLiteral("event %1").arg(i));
    }
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 1, DesktopNotices::kTrapBurstMs * 3);
    QCOMPARE(told[0], QStringLiteral("1000 traps from core-1, annex|event 999"));
}

void TestFullList::notificationsOffOrWindowActive() {
    QStringList told;
    bool active = true;
    DesktopNotices notices([&active] { return active; },
                           [&told](const QString& summary, const QString&) { told << summary; });
    notices.AgentLiveness("core-1", false);
    active = false;
    notices.SetEnabled(false);
    notices.AgentLiveness("core-2", false);
    QTest::qWait(20);
    QVERIFY(told.isEmpty());

    // The menu's check is remembered for the next run.
    Window window;
    window.Start();
    QAction* check = window.Command(ControlId::Notifications);
    QVERIFY(check->isCheckable() && check->isChecked());
    check->trigger();
    QVERIFY(!window.dialog->Notices().Enabled());
    window.Click(ControlId::Exit);
    window.Start();
    QVERIFY(!window.Command(ControlId::Notifications)->isChecked());
    QVERIFY(!window.dialog->Notices().Enabled());
}

// Without its configuration directory the console keeps nothing and makes no directory.
void TestFullList::settingsNeverMakeTheDirectory() {
    TempDirectory dir;
    const QString missing = QString::fromStdString(dir.File("cfg"));
    ConsoleSettings settings(missing);
    settings.SetNotifications(false);
    settings.SetWindowGeometry(QByteArray("geometry"));
    QVERIFY(!std::filesystem::exists(dir.File("cfg")));
    QVERIFY(settings.WindowGeometry().isEmpty());
}

VANTELO_GUI_TEST_MAIN(TestFullList)
#include "tst_full_list.moc"
