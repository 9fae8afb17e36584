#pragma once

#include <QDialog>

#include "console/Console.h"
#include "gui/DesktopNotices.h"
#include "gui/ListTableModel.h"
#include "gui/controls/AnchoredLayout.h"
#include "platform/files/ConsoleSettings.h"
#include "ports/ConsoleView.h"

class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;

namespace vantelo {

// The main window: template 102 with menu 132. It lays out the controls, shows the engine's two
// lists, and hands every command to the engine.
class MainWindow : public QDialog, public ConsoleView {
    Q_OBJECT
public:
    // settings, when given, keeps the window's geometry and the Notifications choice between
    // runs; notifications go through send, the session bus's service when none is given.
    explicit MainWindow(Console& console, ConsoleSettings* settings = nullptr,
                        DesktopNotices::Send send = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialog's initialisation: the engine's start-up, in its fixed order.
    void OnInitDialog();
    // Initialises the dialog and runs it modally; returns how it ended.
    int DoModal();

    void ShowTrapIndicator(TrapIndicator indicator) override;
    void ShowRefreshTime(int seconds) override;
    void ShowAgentLiveness(std::string_view ipText, bool alive) override;
    void ShowTrapStored(std::string_view time, std::string_view agent,
                        std::string_view event) override;

    DesktopNotices& Notices() { return *notices_; }

    QTableView* DiscoveryView() const { return discoveryView_; }
    QTableView* MonitorView() const { return monitorView_; }

protected:
    // Enter and Escape are swallowed: neither closes nor activates anything in this window.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The close box and Alt+F4 close the sockets before the window ends.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

public slots:
    // However the window ends, its geometry is kept for the next run.
    void done(int result) override;

private:
    void BuildMenu();
    void BuildOptionMenu(QMenu* option);
    void BuildControls(AnchoredLayout* layout);
    void BuildKeyboard();
    QTableView* BuildList(AnchoredLayout* layout, ListTableModel* model, QRect geometry,
                          Anchors anchors);
    ListTableModel* BuildModel(ListId list);
    QPushButton* AddButton(AnchoredLayout* layout, ControlId id, const char* text, QRect geometry,
                           Anchors anchors);
    // The name a notification gives the monitored agent at ipText: its system name, else the
    // address.
    QString AgentName(std::string_view ipText) const;
    // The menu bar along the top, the controls' client area below it, both as wide as the window.
    void PlaceClient();
    // The Network interface entry, before `before`, while there is a choice to make.
    void OfferInterfaceMenu(QMenu* option, QAction* before);
    void FillInterfaceMenu();
    void ChooseInterface(const std::string& name);
    void OnExit();
    void OnFileExit();

    Console& console_;
    ConsoleSettings* settings_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* refreshTime_ = nullptr;
    QMenu* networkInterface_ = nullptr;
    ListTableModel* discoveryModel_ = nullptr;
    ListTableModel* monitorModel_ = nullptr;
    QTableView* discoveryView_ = nullptr;
    QTableView* monitorView_ = nullptr;
    QLabel* trapIndicator_ = nullptr;
    DesktopNotices* notices_ = nullptr;
};

}  // namespace vantelo
