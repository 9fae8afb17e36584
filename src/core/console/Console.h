#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "lists/ListModel.h"
#include "ports/AddressTable.h"
#include "ports/DatagramSocket.h"
#include "ports/DialogRunner.h"
#include "ports/FileSystem.h"
#include "ports/Timers.h"
#include "ports/UserInteraction.h"
#include "protocol/DeviceRecord.h"
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

enum class ListId { Discovery, Monitor };
enum class SocketId { Broadcast, Unicast };

// The agent that the settings, web access and upgrade commands act on.
struct SelectionTarget {
    int slotIndex = 0;
    bool inMonitorTable = false;
};

// Codes of CheckSelection.
inline constexpr int kSelectionSeveral = 1;
inline constexpr int kSelectionNone = 2;
inline constexpr int kSelectionDiscovery = 3;
inline constexpr int kSelectionMonitor = 4;

// Codes of CheckVersion.
inline constexpr int kVersionSupported = 0;
inline constexpr int kVersionProtocolUnsupported = 5;
inline constexpr int kVersionInterfaceUnsupported = 6;
inline constexpr int kVersionOlderInterface = 7;

struct ConsoleState;

// Column counts of the two lists.
inline constexpr int kDiscoveryColumns = 10;
inline constexpr int kMonitorColumns = 11;

// The engine's root: the process-wide state of the console and every handler of the main window.
// Single threaded: everything runs on the GUI thread, driven by calls, socket callbacks and timers.
class Console {
public:
    explicit Console(const ConsolePorts& ports);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The main window's initialisation, in its fixed order.
    void Initialize();
    // Closes both sockets; later calls do nothing. The Exit button, File Exit and the close box.
    void Shutdown();

    // Main window commands.
    void OnDiscovery();
    void OnAddToMonitorList();
    void OnDiscoveryDoubleClick();
    void OnAddItem();
    void OnDeleteItem();
    void OnMonitorSave();
    void OnMonitorSaveAs();
    void OnMonitorLoad();
    void OnColumnClick(ListId list, int column);

    // The "Remote IP" dialog's Apply: returns 0 when the address is taken (the dialog closes),
    // -1 when it was refused with a message (the dialog stays open). Outside the dialog that
    // "Add item" opens it does nothing and returns -1.
    int ApplyRemoteIp(uint32_t address);

    // One datagram waiting on a socket goes through the receive path.
    void ReceiveDatagram(SocketId socket);

    // Which list holds the selection: one of the kSelection codes.
    int CheckSelection() const;
    // The version check of the first selected row of list: one of the kVersion codes, and the
    // row's slot in *slotIndex (-1 when its key text matches no slot).
    int CheckVersion(ListId list, int* slotIndex) const;
    // The selection and version checks that open a settings or upgrade command: records the
    // target in CurrentSelection and returns 0, or shows why there is none and returns -1.
    int SelectTarget();
    const SelectionTarget& CurrentSelection() const;

    ListModel& DiscoveryList();
    ListModel& MonitorList();

    // State, for the views and for tests.
    const DeviceTable& DiscoveryTable() const;
    const DeviceTable& MonitorTable() const;
    const DeviceRecord& CurrentReply() const;
    uint16_t RequestSequence() const;
    uint32_t DeviceTypeId() const;
    uint16_t BasePort() const;
    int PollIntervalSeconds() const;
    UpgradeContext& Upgrade();
    RediscoveryMark& Rediscovery();
    bool SortAscending() const;
    int SortColumn() const;

private:
    std::unique_ptr<ConsoleState> state_;
};

}  // namespace vantelo
