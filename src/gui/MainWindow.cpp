#include "gui/MainWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QHostAddress>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <algorithm>
#include <bit>

#include "gui/AboutDialog.h"
#include "gui/QtDialogRunner.h"
#include "gui/StatusImages.h"
#include "gui/controls/AccessKeyStyle.h"
#include "gui/controls/AnchoredLayout.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/FrameBox.h"
#include "gui/controls/FrameStrip.h"
#include "gui/controls/Images.h"
#include "gui/controls/ListView.h"
#include "protocol/DeviceTables.h"

namespace vantelo {

namespace {

// Template 102, in dialog units.
constexpr int kTemplateWidth = 403;
constexpr int kTemplateHeight = 337;

// How the controls follow a window larger than the template: the two lists share the extra
// height (the discovery list's half above the monitor group, the monitor list's below) and both
// take the extra width; what lies beside or below a list moves with its edges, and the tool
// buttons spread over the width in thirds.
constexpr Anchors kGrows{0, 6, 0, 0};            // as wide as the window, fixed height
constexpr Anchors kDiscoveryArea{0, 6, 0, 1};    // the discovery group and list
constexpr Anchors kDiscoveryLeft{0, 0, 0, 1};    // the strip left of the discovery list
constexpr Anchors kDiscoveryRight{6, 6, 0, 1};   // the strip right of it
constexpr Anchors kUnderDiscovery{0, 6, 1, 1};   // the strip under it
constexpr Anchors kDiscoveryButton{6, 6, 1, 1};  // Discovery, at its lower right corner
constexpr Anchors kBetweenLists{3, 3, 1, 1};     // Add to monitor list and its arrow
constexpr Anchors kMonitorTop{0, 0, 1, 1};       // the monitor caption
constexpr Anchors kMonitorTopWide{0, 6, 1, 1};   // the strip over the monitor list
constexpr Anchors kMonitorArea{0, 6, 1, 2};      // the monitor group and list
constexpr Anchors kMonitorLeft{0, 0, 1, 2};      // the strip left of the monitor list
constexpr Anchors kMonitorRight{6, 6, 1, 2};     // the strip right of it
constexpr Anchors kBottomLeft{0, 0, 2, 2};       // the rows under the monitor list
constexpr Anchors kBottomWide{0, 6, 2, 2};
constexpr Anchors kBottomRight{6, 6, 2, 2};
constexpr Anchors kToolsFirstGap{0, 2, 2, 2};  // the tool buttons' gaps and buttons
constexpr Anchors kToolsSecond{2, 2, 2, 2};
constexpr Anchors kToolsSecondGap{2, 4, 2, 2};
constexpr Anchors kToolsThird{4, 4, 2, 2};
constexpr Anchors kToolsThirdGap{4, 6, 2, 2};

struct Strip {
    int id, x, y, width, height;
    Anchors anchors;
};
// The frame strips in the gaps between the lists and the buttons.
constexpr Strip kStrips[] = {
    {1094, 17, 118, 290, 12, kUnderDiscovery},
    {1095, 17, 12, 9, 113, kDiscoveryLeft},
    {1096, 17, 8, 370, 8, kGrows},
    {1097, 379, 9, 9, 121, kDiscoveryRight},
    {1099, 17, 152, 10, 125, kMonitorLeft},
    {1100, 18, 152, 367, 8, kMonitorTopWide},
    {1101, 119, 266, 104, 12, kBottomWide},
    {1102, 295, 266, 12, 12, kBottomRight},
    {1105, 38, 266, 9, 12, kBottomLeft},
    {1106, 380, 152, 9, 125, kMonitorRight},
    {1107, 17, 291, 372, 8, kBottomWide},
    {1108, 17, 311, 372, 9, kBottomWide},
    {1109, 17, 299, 9, 13, kBottomLeft},
    {1110, 98, 298, 21, 13, kToolsFirstGap},
    {1111, 191, 298, 24, 13, kToolsSecondGap},
    {1112, 287, 298, 20, 13, kToolsThirdGap},
    {1113, 379, 298, 10, 13, kBottomRight},
};

struct RefreshTime {
    ControlId id;
    const char* text;
    int seconds;
};
// The texts carry their access keys; the menus show them without the ampersand.
constexpr RefreshTime kRefreshTimes[] = {
    {ControlId::RefreshTime15Secs, "&15 secs", 15}, {ControlId::RefreshTime30Secs, "&30 secs", 30},
    {ControlId::RefreshTime1Min, "1 m&in", 60},     {ControlId::RefreshTime2Mins, "&2 mins", 120},
    {ControlId::RefreshTime5Mins, "&5 mins", 300},
};

// The controls Tab visits, in reading order.
constexpr ControlId kTabOrder[] = {
    ControlId::DiscoveryList,    ControlId::Discovery,
    ControlId::AddToMonitorList, ControlId::MonitorList,
    ControlId::ViewTrap,         ControlId::AddItem,
    ControlId::DeleteItem,       ControlId::ConfigurationSetting,
    ControlId::PasswordChange,   ControlId::FirmwareUpgrade,
    ControlId::WebAccess,        ControlId::Exit,
};

// The frame strips' ids name nothing else; they are numbered in the template's order.
QString StripId(int id) {
    return QString::number(id);
}

bool IsEnterOrEscape(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

// A picture takes the size of its image; the name is what a screen reader says for it.
QLabel* AddPicture(AnchoredLayout* layout, Image image, QPoint at, const QString& name,
                   Anchors anchors) {
    QWidget* client = layout->parentWidget();
    auto* picture = new QLabel(client);
    const QPixmap pixmap = Picture(image, client->devicePixelRatioF());
    picture->setPixmap(pixmap);
    picture->setAccessibleName(name);
    layout->Add(picture, QRect(at, pixmap.deviceIndependentSize().toSize()), anchors);
    return picture;
}

// The groups have no title of their own: a caption picture names each one.
void AddGroup(AnchoredLayout* layout, QRect geometry, const QString& name, Anchors anchors) {
    auto* group = new FrameBox(QString(), layout->parentWidget());
    group->setAccessibleName(name);
    layout->Add(group, geometry, anchors);
}

}  // namespace

MainWindow::MainWindow(Console& console, ConsoleSettings* settings, DesktopNotices::Send send,
                       QWidget* parent)
    : QDialog(parent), console_(console), settings_(settings) {
    notices_ = new DesktopNotices([this] { return isActiveWindow(); },
                                  send ? std::move(send) : SessionBusNotifications(), this);
    if (settings_ != nullptr) {
        notices_->SetEnabled(settings_->Notifications());
    }
    setWindowTitle(QStringLiteral("Vantelo Utility"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // Minimised, the window is its icon in the window manager's task bar or icon box.
    setWindowIcon(IconOf(Image::AppIcon));

    discoveryModel_ = BuildModel(ListId::Discovery);
    discoveryModel_->SetLabelEditing(true);
    monitorModel_ = BuildModel(ListId::Monitor);
    // The status images: 0 the unread-trap mark, 1 the not-alive icon.
    monitorModel_->SetImages(StatusImages());

    BuildMenu();
    client_ = new QWidget(this);
    client_->setFont(DialogFont());
    PaintWith(client_, kWindowBlue, kWhite);
    const DialogUnits du(client_->font());
    const QSize templateSize(du.X(kTemplateWidth), du.Y(kTemplateHeight));
    // The template's size is the window's smallest; a larger one grows the lists.
    auto* layout = new AnchoredLayout(templateSize, client_);
    BuildControls(layout);
    BuildKeyboard();
    const int menuHeight = menuBar_->sizeHint().height();
    const QSize smallest(templateSize.width(), menuHeight + templateSize.height());
    setMinimumSize(smallest);
    resize(smallest);
    PlaceClient();
    if (settings_ != nullptr) {
        // Qt moves a geometry saved on a screen that is gone or smaller back inside this one.
        restoreGeometry(settings_->WindowGeometry());
    }

    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void MainWindow::PlaceClient() {
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    PlaceClient();
    QDialog::resizeEvent(event);
}

// The models stop watching the engine's lists through this window's console while it is still
// a MainWindow; as children they would go only after, from the base class's destructor.
MainWindow::~MainWindow() {
    delete discoveryModel_;
    delete monitorModel_;
}

ListTableModel* MainWindow::BuildModel(ListId list) {
    ListTableModel::Binding binding{
        &console_.Lists().List(list),
        // The models outlive the window's own destructor: they reach the engine directly.
        [&console = console_, list](int row, bool selected) {
            console.OnSelect(list, row, selected);
        },
        [&console = console_, list](ListModel::Observer* observer) {
            console.WatchList(list, observer);
        }};
    return new ListTableModel(std::move(binding), ColumnsOf(list), this);
}

void MainWindow::BuildMenu() {
    menuBar_ = new QMenuBar(this);
    auto* style = new AccessKeyStyle();
    style->setParent(menuBar_);
    menuBar_->setStyle(style);
    const auto add = [](QMenu* menu, ControlId id, const char* text) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(Id(id));
        return action;
    };
    // The shortcuts work wherever the focus is in the window, menus closed.
    const auto shortcut = [this](QAction* action, QKeySequence keys) {
        action->setShortcut(keys);
        addAction(action);
        return action;
    };
    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    connect(shortcut(add(file, ControlId::MonitorSave, "Monitor &save"), QKeySequence::Save),
            &QAction::triggered, this, [this] { console_.OnMonitorSave(); });
    connect(add(file, ControlId::MonitorSaveAs, "Monitor save &as"), &QAction::triggered, this,
            [this] { console_.OnMonitorSaveAs(); });
    connect(shortcut(add(file, ControlId::MonitorLoad, "Monitor &load"), QKeySequence::Open),
            &QAction::triggered, this, [this] { console_.OnMonitorLoad(); });
    connect(add(file, ControlId::ExportDiscoveryList, "Export &discovery list..."),
            &QAction::triggered, this, [this] { console_.OnExportList(ListId::Discovery); });
    connect(add(file, ControlId::ExportMonitorList, "Export &monitor list..."), &QAction::triggered,
            this, [this] { console_.OnExportList(ListId::Monitor); });
    connect(add(file, ControlId::FileExit, "E&xit"), &QAction::triggered, this,
            &MainWindow::OnFileExit);

    QMenu* view = menuBar_->addMenu(QStringLiteral("&View"));
    connect(add(view, ControlId::ViewLog, "View &log"), &QAction::triggered, this,
            [this] { console_.OnViewLog(); });
    connect(add(view, ControlId::ClearLog, "&Clear log"), &QAction::triggered, this,
            [this] { console_.OnClearLog(); });

    BuildOptionMenu(menuBar_->addMenu(QStringLiteral("&Option")));

    QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
    connect(add(help, ControlId::About, "&About"), &QAction::triggered, this, [this] {
        AboutDialog about(this);
        about.exec();
    });
}

void MainWindow::BuildOptionMenu(QMenu* option) {
    refreshTime_ = option->addMenu(QStringLiteral("&Refresh time"));
    for (const RefreshTime& time : kRefreshTimes) {
        QAction* action = refreshTime_->addAction(QString::fromLatin1(time.text));
        action->setObjectName(Id(time.id));
        action->setCheckable(true);
        // The engine puts the check mark back where it belongs, whatever the click did to it.
        connect(action, &QAction::triggered, this,
                [this, seconds = time.seconds] { console_.OnRefreshTime(seconds); });
    }
    networkInterface_ = new QMenu(QStringLiteral("Network interface"), this);
    networkInterface_->setObjectName(QStringLiteral("NetworkInterface"));
    // Adapters and VPNs come and go: the entries are read afresh each time the menu opens.
    connect(networkInterface_, &QMenu::aboutToShow, this, &MainWindow::FillInterfaceMenu);
    QAction* notifications = option->addAction(QStringLiteral("&Notifications"));
    notifications->setObjectName(Id(ControlId::Notifications));
    notifications->setCheckable(true);
    notifications->setChecked(notices_->Enabled());
    connect(notifications, &QAction::toggled, this, [this](bool on) {
        notices_->SetEnabled(on);
        if (settings_ != nullptr) {
            settings_->SetNotifications(on);
        }
    });
    connect(option, &QMenu::aboutToShow, this,
            [this, option, notifications] { OfferInterfaceMenu(option, notifications); });
    OfferInterfaceMenu(option, notifications);
}

// The Network interface entry is there while there is a choice to make or one was made: with one
// interface the menu stays as it always was.
void MainWindow::OfferInterfaceMenu(QMenu* option, QAction* before) {
    const bool offered =
        console_.UsableInterfaces().size() > 1 || !console_.ChosenInterface().empty();
    const bool shown = option->actions().contains(networkInterface_->menuAction());
    if (offered && !shown) {
        option->insertMenu(before, networkInterface_);
    } else if (!offered && shown) {
        option->removeAction(networkInterface_->menuAction());
    }
    if (offered) {
        FillInterfaceMenu();
    }
}

// "All interfaces", then one entry a usable interface ("eth1  192.168.50.2/24"); a chosen
// interface that is gone stays as an unavailable entry while "All interfaces" is used.
void MainWindow::FillInterfaceMenu() {
    networkInterface_->clear();
    // The last opening's group goes with its entries.
    qDeleteAll(networkInterface_->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly));
    auto* group = new QActionGroup(networkInterface_);
    const std::string chosen = console_.ChosenInterface();
    const std::vector<NetworkInterface> usable = console_.UsableInterfaces();
    const bool chosenUp = std::any_of(usable.begin(), usable.end(),
                                      [&](const NetworkInterface& i) { return i.name == chosen; });
    const auto add = [&](const QString& text, const std::string& name, bool checked) {
        QAction* action = networkInterface_->addAction(text);
        action->setObjectName(QStringLiteral("NetworkInterface:") + QString::fromStdString(name));
        action->setCheckable(true);
        action->setChecked(checked);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, name] { ChooseInterface(name); });
        return action;
    };
    add(QStringLiteral("All interfaces"), "", !chosenUp);
    for (const NetworkInterface& i : usable) {
        add(QStringLiteral("%1  %2/%3")
                .arg(QString::fromStdString(i.name), QHostAddress(i.address).toString())
                .arg(std::popcount(i.mask)),
            i.name, i.name == chosen);
    }
    if (!chosen.empty() && !chosenUp) {
        add(QStringLiteral("%1  (unavailable)").arg(QString::fromStdString(chosen)), chosen, false)
            ->setEnabled(false);
    }
}

void MainWindow::ChooseInterface(const std::string& name) {
    console_.ChooseInterface(name);
    if (settings_ != nullptr) {
        settings_->SetNetworkInterface(name);
    }
}

void MainWindow::BuildControls(AnchoredLayout* layout) {
    QWidget* client = layout->parentWidget();
    const DialogUnits du(client->font());
    // Created first so that everything else is drawn over the strips.
    for (const Strip& strip : kStrips) {
        auto* frame = new FrameStrip(client);
        frame->setObjectName(StripId(strip.id));
        layout->Add(frame, du.Rect(strip.x, strip.y, strip.width, strip.height), strip.anchors);
    }

    const QString discoveryList = QStringLiteral("Discovery List");
    AddGroup(layout, du.Rect(15, 3, 374, 128), discoveryList, kDiscoveryArea);
    AddPicture(layout, Image::DiscoveryCaption, du.Point(28, 3), discoveryList, kFixed);
    discoveryView_ = BuildList(layout, discoveryModel_, du.Rect(26, 15, 353, 103), kDiscoveryArea);
    discoveryView_->setObjectName(Id(ControlId::DiscoveryList));
    discoveryView_->setAccessibleName(discoveryList);
    discoveryView_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    discoveryView_->setEditTriggers(QAbstractItemView::SelectedClicked |
                                    QAbstractItemView::EditKeyPressed);
    connect(discoveryView_, &QTableView::doubleClicked, this,
            [this] { console_.OnDiscoveryDoubleClick(); });
    connect(discoveryView_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { console_.OnColumnClick(ListId::Discovery, column); });
    connect(AddButton(layout, ControlId::Discovery, "Discovery", du.Rect(307, 118, 73, 12),
                      kDiscoveryButton),
            &QPushButton::clicked, this, [this] { console_.OnDiscovery(); });

    connect(AddButton(layout, ControlId::AddToMonitorList, "Add to monitor list",
                      du.Rect(151, 136, 72, 12), kBetweenLists),
            &QPushButton::clicked, this, [this] { console_.OnAddToMonitorList(); });
    AddPicture(layout, Image::DownArrow, du.Point(228, 136), QStringLiteral("Down arrow"),
               kBetweenLists);

    const QString monitorList = QStringLiteral("Monitor List");
    AddGroup(layout, du.Rect(15, 147, 375, 132), monitorList, kMonitorArea);
    AddPicture(layout, Image::MonitorCaption, du.Point(26, 145), monitorList, kMonitorTop);
    monitorView_ = BuildList(layout, monitorModel_, du.Rect(26, 159, 355, 107), kMonitorArea);
    monitorView_->setObjectName(Id(ControlId::MonitorList));
    monitorView_->setAccessibleName(monitorList);
    monitorView_->setFrameStyle(QFrame::Box | QFrame::Plain);
    connect(monitorView_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { console_.OnColumnClick(ListId::Monitor, column); });
    connect(monitorView_, &QTableView::doubleClicked, this,
            [this] { console_.OnMonitorDoubleClick(); });
    trapIndicator_ = AddPicture(layout, Image::TrapGreen, du.Point(27, 266),
                                QStringLiteral("Trap indicator"), kBottomLeft);
    trapIndicator_->setObjectName(Id(ControlId::TrapIndicator));
    ShowTrapIndicator(TrapIndicator::Green);
    connect(
        AddButton(layout, ControlId::ViewTrap, "View trap", du.Rect(47, 266, 72, 12), kBottomLeft),
        &QPushButton::clicked, this, [this] { console_.OnViewTrap(); });
    connect(
        AddButton(layout, ControlId::AddItem, "Add item", du.Rect(223, 266, 72, 12), kBottomRight),
        &QPushButton::clicked, this, [this] { console_.OnAddItem(); });
    connect(AddButton(layout, ControlId::DeleteItem, "Delete item", du.Rect(307, 266, 73, 12),
                      kBottomRight),
            &QPushButton::clicked, this, [this] { console_.OnDeleteItem(); });

    const QString agentTools = QStringLiteral("Agent Tools");
    AddGroup(layout, du.Rect(15, 285, 375, 36), agentTools, kBottomWide);
    AddPicture(layout, Image::ToolsCaption, du.Point(26, 286), agentTools, kBottomLeft);
    connect(AddButton(layout, ControlId::ConfigurationSetting, "Configuration setting",
                      du.Rect(26, 299, 72, 12), kBottomLeft),
            &QPushButton::clicked, this, [this] { console_.OnConfigurationSetting(); });
    connect(AddButton(layout, ControlId::PasswordChange, "Password change",
                      du.Rect(119, 299, 72, 12), kToolsSecond),
            &QPushButton::clicked, this, [this] { console_.OnPasswordChange(); });
    connect(AddButton(layout, ControlId::FirmwareUpgrade, "Firmware upgrade",
                      du.Rect(215, 299, 72, 12), kToolsThird),
            &QPushButton::clicked, this, [this] { console_.OnFirmwareUpgrade(); });
    connect(AddButton(layout, ControlId::WebAccess, "Web access", du.Rect(307, 299, 72, 12),
                      kBottomRight),
            &QPushButton::clicked, this, [this] { console_.OnWebAccess(); });
    connect(AddButton(layout, ControlId::Exit, "Exit", du.Rect(307, 324, 72, 12), kBottomRight),
            &QPushButton::clicked, this, &MainWindow::OnExit);
}

// A list is one Tab stop (the arrows move inside it); Tab goes through the controls in reading
// order. F5 discovers from anywhere in the window, Delete deletes from the monitor list.
void MainWindow::BuildKeyboard() {
    discoveryView_->setTabKeyNavigation(false);
    monitorView_->setTabKeyNavigation(false);
    QWidget* previous = nullptr;
    for (ControlId id : kTabOrder) {
        QWidget* control = client_->findChild<QWidget*>(Id(id));
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            [this] { console_.OnDiscovery(); });
    connect(new QShortcut(QKeySequence::Delete, monitorView_, nullptr, nullptr,
                          Qt::WidgetWithChildrenShortcut),
            &QShortcut::activated, this, [this] { console_.OnDeleteItem(); });
}

QTableView* MainWindow::BuildList(AnchoredLayout* layout, ListTableModel* model, QRect geometry,
                                  Anchors anchors) {
    QTableView* view = BuildListView(layout->parentWidget(), model);
    layout->Add(view, geometry, anchors);
    return view;
}

QPushButton* MainWindow::AddButton(AnchoredLayout* layout, ControlId id, const char* text,
                                   QRect geometry, Anchors anchors) {
    auto* button = new DefaultButton(QString::fromLatin1(text), layout->parentWidget());
    button->setObjectName(Id(id));
    button->setAutoDefault(false);
    layout->Add(button, geometry, anchors);
    return button;
}

void MainWindow::OnInitDialog() {
    console_.Initialize(*this);
}

int MainWindow::DoModal() {
    OnInitDialog();
    return exec();
}

void MainWindow::ShowTrapIndicator(TrapIndicator indicator) {
    const bool green = indicator == TrapIndicator::Green;
    trapIndicator_->setPixmap(
        Picture(green ? Image::TrapGreen : Image::TrapRed, trapIndicator_->devicePixelRatioF()));
    trapIndicator_->setAccessibleDescription(green ? QStringLiteral("No new traps")
                                                   : QStringLiteral("New traps"));
}

void MainWindow::ShowRefreshTime(int seconds) {
    const QList<QAction*> actions = refreshTime_->actions();
    for (size_t i = 0; i < std::size(kRefreshTimes); ++i) {
        actions[static_cast<qsizetype>(i)]->setChecked(kRefreshTimes[i].seconds == seconds);
    }
}

QString MainWindow::AgentName(std::string_view ipText) const {
    const TableLookup slot =
        FindInMonitorTable(console_.MonitorTable(), console_.Lists().MonitorCount(), ipText, true);
    const char* name =
        slot.found ? console_.MonitorTable()[static_cast<size_t>(slot.index)].systemName : "";
    // Agents' texts are one byte a character.
    return name[0] != '\0'
               ? QString::fromLatin1(name)
               : QString::fromLatin1(ipText.data(), static_cast<qsizetype>(ipText.size()));
}

void MainWindow::ShowAgentLiveness(std::string_view ipText, bool alive) {
    notices_->AgentLiveness(AgentName(ipText), alive);
}

void MainWindow::ShowTrapStored(std::string_view /*time*/, std::string_view agent,
                                std::string_view event) {
    notices_->TrapStored(AgentName(agent),
                         QString::fromLatin1(event.data(), static_cast<qsizetype>(event.size())));
}

void MainWindow::OnExit() {
    console_.Shutdown();
    done(QDialog::Accepted);
}

void MainWindow::done(int result) {
    if (settings_ != nullptr) {
        settings_->SetWindowGeometry(saveGeometry());
    }
    QDialog::done(result);
}

void MainWindow::OnFileExit() {
    console_.Shutdown();
    done(QDialog::Rejected);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    // The menu bar underlines its access keys while Alt is held.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Alt) {
        menuBar_->update();
    }
    // Menus are windows of their own and keep their keys.
    if (widget != nullptr && widget->window() == this && IsEnterOrEscape(event)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (IsEnterOrEscape(event)) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    console_.Shutdown();
    QDialog::closeEvent(event);
}

}  // namespace vantelo
