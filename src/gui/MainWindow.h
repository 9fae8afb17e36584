#pragma once

#include <QDialog>

#include "console/Console.h"
#include "gui/ListTableModel.h"
#include "platform/ConsoleSettings.h"
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
    explicit MainWindow(Console& console, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialog's initialisation: the engine's start-up, in its fixed order.
    void OnInitDialog();
    // Initialises the dialog and runs it modally; returns how it ended.
    int DoModal();

    void ShowTrapIndicator(TrapIndicator indicator) override;
    void ShowRefreshTime(int seconds) override;

    // Where the operator's choice of network interface is remembered; none: not remembered.
    void RememberChoicesIn(ConsoleSettings* settings) { settings_ = settings; }

    QTableView* DiscoveryView() const { return discoveryView_; }
    QTableView* MonitorView() const { return monitorView_; }

protected:
    // Enter and Escape are swallowed: neither closes nor activates anything in this window.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The close box and Alt+F4 close the sockets before the window ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildControls(QWidget* client);
    QTableView* BuildList(QWidget* client, ListTableModel* model, QRect geometry);
    ListTableModel* BuildModel(ListId list);
    QPushButton* AddButton(QWidget* client, ControlId id, const char* text, QRect geometry);
    void OfferInterfaceMenu(QMenu* option);
    void FillInterfaceMenu();
    void ChooseInterface(const std::string& name);
    void OnExit();
    void OnFileExit();

    Console& console_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* refreshTime_ = nullptr;
    QMenu* networkInterface_ = nullptr;
    ConsoleSettings* settings_ = nullptr;
    ListTableModel* discoveryModel_ = nullptr;
    ListTableModel* monitorModel_ = nullptr;
    QTableView* discoveryView_ = nullptr;
    QTableView* monitorView_ = nullptr;
    QLabel* trapIndicator_ = nullptr;
};

}  // namespace vantelo
