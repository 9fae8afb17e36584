#pragma once

#include <QAction>
#include <memory>
#include <string>
#include <vector>

#include "gui/ConsoleApp.h"
#include "gui/MainWindow.h"
#include "support/AgentDatagrams.h"
#include "support/ConsoleHarness.h"
#include "support/Controls.h"
#include "support/RecordingUserInteraction.h"
#include "support/TestFiles.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {

// The main window over a console on in-memory ports, in a configuration directory of its own
// that holds a valid define.ecf (device type 03B27F16, base port 8000): what the GUI tests, the
// window gallery and the screenshots all start from.
class WindowHarness {
public:
    static constexpr uint32_t kDeviceTypeId = ConsoleHarness::kDeviceTypeId;
    static constexpr uint16_t kBasePort = ConsoleHarness::kBasePort;
    static constexpr uint16_t kAgentPort = ConsoleHarness::kAgentPort;

    WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void WriteMonitorFile(const std::vector<DeviceRecord>& records) const;
    // Creates the console and its window, runs the initialisation and shows the window.
    void Start();
    // An agent that answers the console's requests through the in-memory network.
    void AddAgent(const AgentSettings& settings);
    // Agents 1 to count of NumberedAgent.
    void AddAgents(int count);

    template <typename T = QWidget>
    T* Control(ControlId id) const {
        return Find<T>(dialog, id);
    }
    QAction* Command(ControlId id) const { return Find<QAction>(dialog, id); }
    void Click(ControlId id) const;

    TempDirectory dir;
    VirtualNetwork network;
    VirtualClock clock;
    RecordingUserInteraction ui;
    FixedAddressTable addresses;
    NetworkInterfaces* interfaces = nullptr;  // none: broadcasts follow the routing table
    std::vector<std::unique_ptr<SimulatedAgent>> agents;
    std::unique_ptr<ConsoleApp> app;
    Console* console = nullptr;
    MainWindow* dialog = nullptr;
};

}  // namespace vantelo::test
