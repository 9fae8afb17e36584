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
#include <QTableView>
#include <algorithm>
#include <bit>

#include "gui/AboutDialog.h"
#include "gui/QtDialogRunner.h"
#include "gui/StatusImages.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/FrameBox.h"
#include "gui/controls/FrameStrip.h"
#include "gui/controls/Images.h"
#include "gui/controls/ListView.h"

namespace vantelo {

namespace {

// Template 102, in dialog units.
constexpr int kTemplateWidth = 403;
constexpr int kTemplateHeight = 337;

struct Strip {
    int id, x, y, width, height;
};
// The frame strips in the gaps between the lists and the buttons.
constexpr Strip kStrips[] = {
    {1094, 17, 118, 290, 12},  {1095, 17, 12, 9, 113},   {1096, 17, 8, 370, 8},
    {1097, 379, 9, 9, 121},    {1099, 17, 152, 10, 125}, {1100, 18, 152, 367, 8},
    {1101, 119, 266, 104, 12}, {1102, 295, 266, 12, 12}, {1105, 38, 266, 9, 12},
    {1106, 380, 152, 9, 125},  {1107, 17, 291, 372, 8},  {1108, 17, 311, 372, 9},
    {1109, 17, 299, 9, 13},    {1110, 98, 298, 21, 13},  {1111, 191, 298, 24, 13},
    {1112, 287, 298, 20, 13},  {1113, 379, 298, 10, 13},
};

struct RefreshTime {
    ControlId id;
    const char* text;
    int seconds;
};
constexpr RefreshTime kRefreshTimes[] = {
    {ControlId::RefreshTime15Secs, "15 secs", 15}, {ControlId::RefreshTime30Secs, "30 secs", 30},
    {ControlId::RefreshTime1Min, "1 min", 60},     {ControlId::RefreshTime2Mins, "2 mins", 120},
    {ControlId::RefreshTime5Mins, "5 mins", 300},
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
QLabel* AddPicture(QWidget* client, Image image, QPoint at, const QString& name) {
    auto* picture = new QLabel(client);
    const QPixmap pixmap = Picture(image, client->devicePixelRatioF());
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(at, pixmap.deviceIndependentSize().toSize()));
    picture->setAccessibleName(name);
    return picture;
}

// The groups have no title of their own: a caption picture names each one.
QGroupBox* AddGroup(QWidget* client, QRect geometry, const QString& name) {
    auto* group = new FrameBox(QString(), client);
    group->setGeometry(geometry);
    group->setAccessibleName(name);
    return group;
}

}  // namespace

MainWindow::MainWindow(Console& console, QWidget* parent) : QDialog(parent), console_(console) {
    setWindowTitle(QStringLiteral("Vantelo Utility"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Minimised, the window is its icon in the window manager's task bar or icon box.
    setWindowIcon(IconOf(Image::AppIcon));

    discoveryModel_ = BuildModel(ListId::Discovery);
    discoveryModel_->SetLabelEditing(true);
    monitorModel_ = BuildModel(ListId::Monitor);
    // The status images: 0 the unread-trap mark, 1 the not-alive icon.
    monitorModel_->SetImages(StatusImages());

    BuildMenu();
    auto* client = new QWidget(this);
    client->setFont(DialogFont());
    PaintWith(client, kWindowBlue, kWhite);
    const DialogUnits du(client->font());
    const int menuHeight = menuBar_->sizeHint().height();
    client->setGeometry(0, menuHeight, du.X(kTemplateWidth), du.Y(kTemplateHeight));
    menuBar_->setGeometry(0, 0, client->width(), menuHeight);
    setFixedSize(client->width(), menuHeight + client->height());
    BuildControls(client);

    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
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
    const auto add = [](QMenu* menu, ControlId id, const char* text) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(Id(id));
        return action;
    };
    QMenu* file = menuBar_->addMenu(QStringLiteral("File"));
    connect(add(file, ControlId::MonitorSave, "Monitor save"), &QAction::triggered, this,
            [this] { console_.OnMonitorSave(); });
    connect(add(file, ControlId::MonitorSaveAs, "Monitor save as"), &QAction::triggered, this,
            [this] { console_.OnMonitorSaveAs(); });
    connect(add(file, ControlId::MonitorLoad, "Monitor load"), &QAction::triggered, this,
            [this] { console_.OnMonitorLoad(); });
    connect(add(file, ControlId::FileExit, "Exit"), &QAction::triggered, this,
            &MainWindow::OnFileExit);

    QMenu* view = menuBar_->addMenu(QStringLiteral("View"));
    connect(add(view, ControlId::ViewLog, "View log"), &QAction::triggered, this,
            [this] { console_.OnViewLog(); });
    connect(add(view, ControlId::ClearLog, "Clear log"), &QAction::triggered, this,
            [this] { console_.OnClearLog(); });

    QMenu* option = menuBar_->addMenu(QStringLiteral("Option"));
    refreshTime_ = option->addMenu(QStringLiteral("Refresh time"));
    for (const RefreshTime& time : kRefreshTimes) {
        QAction* action = add(refreshTime_, time.id, time.text);
        action->setCheckable(true);
        // The engine puts the check mark back where it belongs, whatever the click did to it.
        connect(action, &QAction::triggered, this,
                [this, seconds = time.seconds] { console_.OnRefreshTime(seconds); });
    }
    networkInterface_ = new QMenu(QStringLiteral("Network interface"), this);
    networkInterface_->setObjectName(QStringLiteral("NetworkInterface"));
    // Adapters and VPNs come and go: the entries are read afresh each time the menu opens.
    connect(networkInterface_, &QMenu::aboutToShow, this, &MainWindow::FillInterfaceMenu);
    connect(option, &QMenu::aboutToShow, this, [this, option] { OfferInterfaceMenu(option); });
    OfferInterfaceMenu(option);

    QMenu* help = menuBar_->addMenu(QStringLiteral("Help"));
    connect(add(help, ControlId::About, "About"), &QAction::triggered, this, [this] {
        AboutDialog about(this);
        about.exec();
    });
}

// The Network interface entry is there while there is a choice to make or one was made: with one
// interface the menu stays as it always was.
void MainWindow::OfferInterfaceMenu(QMenu* option) {
    const bool offered =
        console_.UsableInterfaces().size() > 1 || !console_.ChosenInterface().empty();
    const bool shown = option->actions().contains(networkInterface_->menuAction());
    if (offered && !shown) {
        option->addMenu(networkInterface_);
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

void MainWindow::BuildControls(QWidget* client) {
    const DialogUnits du(client->font());
    // Created first so that everything else is drawn over the strips.
    for (const Strip& strip : kStrips) {
        auto* frame = new FrameStrip(client);
        frame->setObjectName(StripId(strip.id));
        frame->setGeometry(du.Rect(strip.x, strip.y, strip.width, strip.height));
    }

    const QString discoveryList = QStringLiteral("Discovery List");
    AddGroup(client, du.Rect(15, 3, 374, 128), discoveryList);
    AddPicture(client, Image::DiscoveryCaption, du.Point(28, 3), discoveryList);
    discoveryView_ = BuildList(client, discoveryModel_, du.Rect(26, 15, 353, 103));
    discoveryView_->setObjectName(Id(ControlId::DiscoveryList));
    discoveryView_->setAccessibleName(discoveryList);
    discoveryView_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    discoveryView_->setEditTriggers(QAbstractItemView::SelectedClicked |
                                    QAbstractItemView::EditKeyPressed);
    connect(discoveryView_, &QTableView::doubleClicked, this,
            [this] { console_.OnDiscoveryDoubleClick(); });
    connect(discoveryView_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { console_.OnColumnClick(ListId::Discovery, column); });
    connect(AddButton(client, ControlId::Discovery, "Discovery", du.Rect(307, 118, 73, 12)),
            &QPushButton::clicked, this, [this] { console_.OnDiscovery(); });

    connect(AddButton(client, ControlId::AddToMonitorList, "Add to monitor list",
                      du.Rect(151, 136, 72, 12)),
            &QPushButton::clicked, this, [this] { console_.OnAddToMonitorList(); });
    AddPicture(client, Image::DownArrow, du.Point(228, 136), QStringLiteral("Down arrow"));

    const QString monitorList = QStringLiteral("Monitor List");
    AddGroup(client, du.Rect(15, 147, 375, 132), monitorList);
    AddPicture(client, Image::MonitorCaption, du.Point(26, 145), monitorList);
    monitorView_ = BuildList(client, monitorModel_, du.Rect(26, 159, 355, 107));
    monitorView_->setObjectName(Id(ControlId::MonitorList));
    monitorView_->setAccessibleName(monitorList);
    monitorView_->setFrameStyle(QFrame::Box | QFrame::Plain);
    connect(monitorView_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { console_.OnColumnClick(ListId::Monitor, column); });
    connect(monitorView_, &QTableView::doubleClicked, this,
            [this] { console_.OnMonitorDoubleClick(); });
    trapIndicator_ =
        AddPicture(client, Image::TrapGreen, du.Point(27, 266), QStringLiteral("Trap indicator"));
    trapIndicator_->setObjectName(Id(ControlId::TrapIndicator));
    ShowTrapIndicator(TrapIndicator::Green);
    connect(AddButton(client, ControlId::ViewTrap, "View trap", du.Rect(47, 266, 72, 12)),
            &QPushButton::clicked, this, [this] { console_.OnViewTrap(); });
    connect(AddButton(client, ControlId::AddItem, "Add item", du.Rect(223, 266, 72, 12)),
            &QPushButton::clicked, this, [this] { console_.OnAddItem(); });
    connect(AddButton(client, ControlId::DeleteItem, "Delete item", du.Rect(307, 266, 73, 12)),
            &QPushButton::clicked, this, [this] { console_.OnDeleteItem(); });

    const QString agentTools = QStringLiteral("Agent Tools");
    AddGroup(client, du.Rect(15, 285, 375, 36), agentTools);
    AddPicture(client, Image::ToolsCaption, du.Point(26, 286), agentTools);
    connect(AddButton(client, ControlId::ConfigurationSetting, "Configuration setting",
                      du.Rect(26, 299, 72, 12)),
            &QPushButton::clicked, this, [this] { console_.OnConfigurationSetting(); });
    connect(
        AddButton(client, ControlId::PasswordChange, "Password change", du.Rect(119, 299, 72, 12)),
        &QPushButton::clicked, this, [this] { console_.OnPasswordChange(); });
    connect(AddButton(client, ControlId::FirmwareUpgrade, "Firmware upgrade",
                      du.Rect(215, 299, 72, 12)),
            &QPushButton::clicked, this, [this] { console_.OnFirmwareUpgrade(); });
    connect(AddButton(client, ControlId::WebAccess, "Web access", du.Rect(307, 299, 72, 12)),
            &QPushButton::clicked, this, [this] { console_.OnWebAccess(); });
    connect(AddButton(client, ControlId::Exit, "Exit", du.Rect(307, 324, 72, 12)),
            &QPushButton::clicked, this, &MainWindow::OnExit);
}

QTableView* MainWindow::BuildList(QWidget* client, ListTableModel* model, QRect geometry) {
    QTableView* view = BuildListView(client, model);
    view->setGeometry(geometry);
    return view;
}

QPushButton* MainWindow::AddButton(QWidget* client, ControlId id, const char* text,
                                   QRect geometry) {
    auto* button = new DefaultButton(QString::fromLatin1(text), client);
    button->setObjectName(Id(id));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
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

void MainWindow::OnExit() {
    console_.Shutdown();
    done(QDialog::Accepted);
}

void MainWindow::OnFileExit() {
    console_.Shutdown();
    done(QDialog::Rejected);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto* widget = qobject_cast<QWidget*>(watched);
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
