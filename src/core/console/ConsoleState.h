#pragma once

#include <cstdint>
#include <memory>

#include "console/Console.h"
#include "lists/ListModel.h"
#include "ports/DatagramSocket.h"
#include "protocol/DeviceRecord.h"
#include "protocol/PacketHeader.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

// The console's process-wide state, shared by the engine's files. Only the engine sees it.
struct ConsoleState {
    explicit ConsoleState(const ConsolePorts& p) : ports(p) {}

    ConsolePorts ports;
    ListModel discoveryList{kDiscoveryColumns};
    ListModel monitorList{kMonitorColumns};
    DeviceTable discoveryTable{};
    DeviceTable monitorTable{};
    DeviceRecord currentReply{};
    uint8_t receiveBuffer[kMaxDatagram] = {};
    uint16_t requestSequence = 0;
    uint32_t deviceTypeId = 0;
    uint16_t basePort = 0;
    int pollIntervalSeconds = 15;
    UpgradeContext upgrade;
    RediscoveryMark rediscovery;
    SelectionTarget currentSelection;
    bool selectionRuleRunning = false;
    bool sortAscending = true;
    int sortColumn = 0;
    // The monitor slot that the Remote IP dialog fills; -1 while the dialog is not open.
    int pendingIndex = -1;
    std::unique_ptr<DatagramSocket> broadcastSocket;
    std::unique_ptr<DatagramSocket> unicastSocket;
    bool shutDown = false;

    uint16_t AgentPort() const { return static_cast<uint16_t>(basePort + 2); }
    int DiscoveryCount() const { return discoveryList.RowCount(); }
    int MonitorCount() const { return monitorList.RowCount(); }
};

// Shows a message box; the error box of the main window unless said otherwise.
BoxAnswer ShowBox(ConsoleState& state, const char* text, const char* caption = "Error",
                  BoxIcon icon = BoxIcon::Error, BoxOwner owner = BoxOwner::MainWindow,
                  BoxButtons buttons = BoxButtons::Ok);

}  // namespace vantelo
