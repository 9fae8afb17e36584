#include "WindowGallery.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "gui/FirmwareUpgradeDialog.h"
#include "gui/QtDialogRunner.h"
#include "protocol/Conversions.h"

namespace vantelo::test {

namespace {

constexpr uint32_t kDeviceTypeId = WindowHarness::kDeviceTypeId;
constexpr uint16_t kBasePort = WindowHarness::kBasePort;
constexpr uint16_t kAgentPort = WindowHarness::kAgentPort;
// Agents 1 to 3 are monitored and answer, 4 to 8 are found by discovery, 9 is monitored and
// silent.
constexpr int kAnswering = 8;
constexpr int kSilent = 9;

struct Look {
    const char* product;
    const char* system;
    const char* location;
    uint16_t dhcp;
};
constexpr Look kLooks[] = {
    {"VS-24P", "core-1", "Server room", 0},  {"VS-24P", "core-2", "Server room", 0},
    {"VS-48", "floor-1", "Floor 1 east", 1}, {"VS-8", "lab-a", "Lab A", 0},
    {"VS-8", "lab-b", "Lab B", 1},           {"VS-48", "floor-2", "Floor 2 west", 0},
    {"VS-24P", "office", "Front office", 0}, {"VS-8", "store", "Storeroom", 1},
    {"VS-24P", "annex", "Annex", 0},
};

AgentSettings Settings(int n) {
    AgentSettings agent = NumberedAgent(n);
    const Look& look = kLooks[n - 1];
    agent.productName = look.product;
    agent.systemName = look.system;
    agent.location = look.location;
    agent.dhcp = look.dhcp;
    return agent;
}

}  // namespace

WindowGallery::WindowGallery() {
    std::vector<DeviceRecord> monitored;
    for (const int n : {1, 2, 3, kSilent}) {
        monitored.push_back(StoredRecord(Settings(n), kDeviceTypeId));
    }
    window_.WriteMonitorFile(monitored);
    for (int n = 1; n <= kAnswering; ++n) {
        window_.AddAgent(Settings(n));
    }
    window_.Start();
    Populate();
}

WindowGallery::~WindowGallery() = default;

void WindowGallery::Populate() {
    window_.Click(ControlId::Discovery);
    window_.network.Deliver();
    // A minute of polling: the silent agent is declared not alive.
    for (int tick = 0; tick < 12; ++tick) {
        window_.clock.Advance(5000);
        window_.network.Deliver();
    }
    SendTrap(1, "Cold start");
    SendTrap(2, "Port 3 link up");
    SendTrap(2, "Port 5 link down");
    QCoreApplication::processEvents();
}

void WindowGallery::SendTrap(int agent, const std::string& event) {
    const AgentSettings settings = Settings(agent);
    window_.network.Queue(kBasePort + 1, Endpoint{settings.ip, kAgentPort},
                          TrapDatagram(settings, settings.ip, event, kDeviceTypeId));
    window_.network.Deliver();
}

void WindowGallery::WithModal(const std::function<void()>& open,
                              const std::function<void(QDialog*)>& visit) {
    OnNextModal(
        [&visit](QWidget* modal) {
            auto* dialog = qobject_cast<QDialog*>(modal);
            QCoreApplication::processEvents();
            visit(dialog);
            dialog->reject();
        },
        &Main());
    open();
}

void WindowGallery::VisitDialogs(
    const std::function<void(const QString& name, QDialog* dialog)>& visit) {
    const auto click = [this](ControlId id) { return [this, id] { window_.Click(id); }; };
    const auto as = [&visit](const char* name) {
        return [&visit, name](QDialog* dialog) { visit(QString::fromLatin1(name), dialog); };
    };
    WithModal(click(ControlId::ViewTrap), as("trap-information"));
    WithModal(click(ControlId::AddItem), as("remote-ip"));
    ClickRow(Main().MonitorView(), 0);
    WithModal(click(ControlId::ConfigurationSetting), as("configuration-setting"));
    WithModal(click(ControlId::PasswordChange), as("password-change"));
    WithModal([this] { window_.Command(ControlId::About)->trigger(); }, as("about"));

    // The upgrade dialog as a transfer shows it; a real transfer needs a TFTP agent.
    const AgentSettings target = Settings(1);
    char mac[32];
    MacToText(target.mac, mac);
    DialogRequest request{DialogId::FirmwareUpgrade, {}, {}, {}, {}};
    request.initial = {{ControlId::UpgradeDeviceIp, IpToText(target.ip)},
                       {ControlId::UpgradeDeviceMac, mac},
                       {ControlId::UpgradeFirmwarePath, "/home/operator/firmware/vs24p-2.4.hex"},
                       {ControlId::UpgradeState, "Wait...."}};
    FirmwareUpgradeDialog upgrade(request, &Main());
    upgrade.SetProgress(ControlId::UpgradeProgress, 5, 8);
    upgrade.show();
    if (!QTest::qWaitForWindowExposed(&upgrade)) {
        qWarning("the upgrade dialog was not shown");
    }
    visit(QStringLiteral("firmware-upgrade"), &upgrade);
}

}  // namespace vantelo::test
