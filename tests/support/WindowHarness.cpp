#include "support/WindowHarness.h"

#include <QPushButton>
#include <QTest>

#include "persistence/DefinitionWriter.h"

namespace vantelo::test {

WindowHarness::WindowHarness() {
    WriteFile("define.ecf", BuildDefinitionFile(kDeviceTypeId, kBasePort));
}

void WindowHarness::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    WriteBytes(dir.File(name), bytes);
}

void WindowHarness::WriteMonitorFile(const std::vector<DeviceRecord>& records) const {
    WriteFile("monitor.cfg", RecordBytes(records));
}

void WindowHarness::Start() {
    app = std::make_unique<ConsoleApp>(
        dir.Path(), PortChoices{&network, &clock, &clock, &ui, &addresses, interfaces});
    console = &app->Engine();
    dialog = &app->Window();
    app->Initialize();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

void WindowHarness::AddAgent(const AgentSettings& settings) {
    agents.push_back(std::make_unique<SimulatedAgent>(settings, kDeviceTypeId, kAgentPort));
    network.AddAgent(agents.back().get());
}

void WindowHarness::AddAgents(int count) {
    for (int n = 1; n <= count; ++n) {
        AddAgent(NumberedAgent(n));
    }
}

void WindowHarness::Click(ControlId id) const {
    QTest::mouseClick(Control<QPushButton>(id), Qt::LeftButton);
}

}  // namespace vantelo::test
