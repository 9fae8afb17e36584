#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "console/DefinitionHint.h"
#include "console/ReceivePath.h"
#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "lists/Selection.h"
#include "monitor/MonitorListEditor.h"
#include "monitor/Polling.h"
#include "monitor/SystemLog.h"
#include "monitor/Traps.h"
#include "persistence/MonitorFileCommands.h"
#include "ports/AddressTable.h"
#include "ports/ConsoleActivity.h"
#include "ports/ConsoleView.h"
#include "ports/DatagramSocket.h"
#include "ports/DialogRunner.h"
#include "ports/FileSystem.h"
#include "ports/Outcomes.h"
#include "ports/Timers.h"
#include "ports/UserInteraction.h"
#include "settings/DeviceSettings.h"
#include "settings/PendingSet.h"
#include "settings/SetConfirmation.h"
#include "transport/Transport.h"
#include "upgrade/FirmwareUpgrade.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

// What the engine needs of its platform. The ports outlive the Console.
struct ConsolePorts {
    SocketFactory* sockets = nullptr;
    Timers* timers = nullptr;
    Clock* clock = nullptr;
    UserInteraction* ui = nullptr;
    AddressTable* addresses = nullptr;
    DialogRunner* dialogs = nullptr;
    FileSystem* files = nullptr;
    std::string configDirectory;  // where define.ecf, monitor.cfg and syslog.log live
};

// The engine's root: it owns the parts of the console and takes every command of the main
// window. Single threaded: everything runs on the GUI thread, driven by calls, socket callbacks
// and timers.
class Console {
public:
    explicit Console(const ConsolePorts& ports);
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The main window's initialisation, in its fixed order; the window shows what view is told.
    void Initialize(ConsoleView& view);
    // Before Initialize: the definition file an installed console's directory starts from. A
    // console whose own file holds the same values tells how to write the switches' own when a
    // discovery finds nothing (DefinitionHint).
    void KnowShippedDefinition(std::string path) { shippedDefinition_ = std::move(path); }
    // Closes both sockets; later calls do nothing. The Exit button, File Exit and the close box.
    void Shutdown();

    // Main window commands.
    void OnDiscovery();
    void OnAddToMonitorList();
    void OnDiscoveryDoubleClick();
    void OnMonitorDoubleClick();
    void OnConfigurationSetting();
    void OnPasswordChange();
    void OnWebAccess();
    void OnAddItem();
    void OnDeleteItem();
    void OnMonitorSave();
    void OnMonitorSaveAs();
    void OnMonitorLoad();
    void OnColumnClick(ListId list, int column);
    void OnRefreshTime(int seconds);
    void OnViewTrap();
    void OnViewLog();
    void OnClearLog();
    void OnFirmwareUpgrade();
    // The operator selects or deselects a row.
    void OnSelect(ListId list, int row, bool selected);

    // One datagram waiting on a socket goes through the receive path.
    void ReceiveDatagram(SocketId socket);

    // The selection and version checks that open a settings or upgrade command: records the
    // target in CurrentSelection and returns 0, or shows why there is none and returns -1.
    int SelectTarget();
    const SelectionTarget& CurrentSelection() const { return currentSelection_; }

    // Read-only state, for the views and for tests.
    const AgentLists& Lists() const { return lists_; }
    const ListModel& DiscoveryList() const { return lists_.DiscoveryList(); }
    const ListModel& MonitorList() const { return lists_.MonitorList(); }
    const DeviceTable& DiscoveryTable() const { return lists_.DiscoveryTable(); }
    const DeviceTable& MonitorTable() const { return lists_.MonitorTable(); }
    const DeviceRecord& CurrentReply() const { return receivePath_.CurrentReply(); }
    const Transport& Sockets() const { return transport_; }
    int PollIntervalSeconds() const { return polling_.IntervalSeconds(); }
    const Boxes& MessageBoxes() const { return boxes_; }
    const PendingSet& PendingSetRequest() const { return pendingSet_; }
    const TrapStore& TrapsKept() const { return traps_.Store(); }
    const TrapSortState& TrapSort() const { return traps_.Sort(); }
    const std::string& LogPath() const { return log_.Path(); }
    uint64_t PollRoundsRun() const { return polling_.RoundsRun(); }
    // Agent datagrams dropped without a message: failed identity checks, and those over 1500
    // bytes.
    const IdentityDrops& IdentityDropped() const { return receivePath_.Drops(); }
    uint64_t OversizeDropped() const { return transport_.OversizeDrops(); }

    // A watcher of replies, traps, polling rounds and log lines (metrics, log forwarding); it
    // outlives the Console. Without one, nobody is told.
    void TellActivity(ConsoleActivity& activity);

    // listener is told the outcome of every operation from now on; it outlives the Console.
    void WatchOutcomes(OutcomeListener* listener) { boxes_.Outcomes().Subscribe(listener); }

    // A view follows every change of the list.
    void WatchList(ListId list, ListModel::Observer* observer) { lists_.Watch(list, observer); }

    // The upgrade's own state and the part that runs it.
    UpgradeContext& Upgrade() { return upgrade_; }
    RediscoveryMark& Rediscovery() { return rediscovery_; }
    const FirmwareUpgrade& Upgrading() const { return firmware_; }

private:
    void LoadDefinition();

    ConsolePorts ports_;
    ConsoleView* view_ = nullptr;
    Boxes boxes_;
    SystemLog log_;
    Transport transport_;
    AgentLists lists_;
    MonitorFiles files_;
    MonitorListEditor editor_;
    Polling polling_;
    Traps traps_;
    PendingSet pendingSet_;
    SetConfirmation setConfirmation_;
    DeviceSettings settings_;
    UpgradeContext upgrade_;
    RediscoveryMark rediscovery_;
    FirmwareUpgrade firmware_;
    ReceivePath receivePath_;
    DefinitionHint hint_;
    SelectionTarget currentSelection_;
    std::string shippedDefinition_;
    bool shutDown_ = false;
};

}  // namespace vantelo
