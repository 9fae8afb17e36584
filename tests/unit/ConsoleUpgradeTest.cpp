#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "protocol/Conversions.h"
#include "support/ConsoleHarness.h"
#include "support/TftpAgent.h"
#include "upgrade/TftpPackets.h"
#include "upgrade/UpgradeTrigger.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
const AgentSettings kAgent = NumberedAgent(1);  // 10.77.0.2, MAC 020a1b000001

class ConsoleUpgrade : public ::testing::Test {
public:
    ConsoleUpgrade() {
        h.addresses.addresses = {{0x7F000001, 0xFF000000}, {0x0A4D0001, 0xFFFF0000}};
        image = h.dir.File("image.hex");
        h.memory.Write(image, std::vector<uint8_t>(1300, 0x5A));
    }

    // The agent answers a discovery and is selected in the discovery list.
    Console& StartWithDiscoveredAgent() {
        Console& console = h.Start();
        h.network.AddAgent(&agent);
        h.network.AddAgent(&trigger);
        h.network.AddAgent(&tftp);
        console.OnDiscovery();
        h.network.Deliver();
        console.OnSelect(ListId::Discovery, 0, true);
        return console;
    }

    // Start pressed with the password and path; then the network and the clock run for ms.
    ScriptedPress Start(const std::string& password, int ms = 0) {
        return ScriptedPress{
            ControlId::UpgradeStart,
            {{ControlId::UpgradePassword, password}, {ControlId::UpgradeFirmwarePath, image}},
            [this, ms] { Run(ms); }};
    }

    // Stops early when the dialog closes, so that what follows counts from its end.
    void Run(int ms) {
        for (int elapsed = 0; elapsed < ms && !h.dialogs.changes.closed; elapsed += 10) {
            h.network.Deliver();
            h.clock.Advance(10);
        }
        h.network.Deliver();
    }

    const std::vector<std::string>& States() {
        return h.dialogs.changes.texts[ControlId::UpgradeState];
    }

    ConsoleHarness h;
    std::string image;
    SimulatedAgent agent{kAgent, kType, ConsoleHarness::kAgentPort};
    TriggerAnswer trigger{kAgent, kType};
    TftpAgent tftp{kAgent.ip};
};

// A console of its own for each case of a table.
struct Fresh : ConsoleUpgrade {
    void TestBody() override {}
};

TEST_F(ConsoleUpgrade, ADiscoveredAgentIsUpgradedAndFoundAgainAfterItsRestart) {
    Console& console = StartWithDiscoveredAgent();
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("secret", 10000)});
    console.OnFirmwareUpgrade();

    const DialogFields& opened = h.dialogs.Opened().back();
    EXPECT_EQ(opened.at(ControlId::UpgradeDeviceIp), "10.77.0.2");
    EXPECT_EQ(opened.at(ControlId::UpgradeDeviceMac), "020a1b000001");
    ASSERT_EQ(trigger.triggers.size(), 1u);
    const SentDatagram& sent = trigger.triggers[0];
    EXPECT_EQ(sent.to.address, kBroadcastAddress);
    EXPECT_EQ(sent.to.port, ConsoleHarness::kAgentPort);
    EXPECT_EQ(sent.from.port, ConsoleHarness::kBasePort);
    EXPECT_EQ(sent.bytes.size(), 44u + 6u);
    EXPECT_EQ(std::string(sent.bytes.begin() + 44, sent.bytes.end()), "secret");
    EXPECT_EQ(States(), (std::vector<std::string>{"Wait....", "Upgrade...1024/1300 bytes",
                                                  "Complete...1300/1300 bytes"}));
    EXPECT_TRUE(h.dialogs.changes.closed);
    EXPECT_EQ(tftp.stored, h.memory.Read(image));
    EXPECT_EQ(tftp.requestedName, image);
    EXPECT_FALSE(h.network.IsBound(kTftpClientPort));
    const uint16_t acknowledged = console.Upgrade().TriggerAcknowledged();
    EXPECT_EQ(acknowledged, 0);

    // The agent restarts: silent for 20 s, during which the list is emptied before each attempt.
    agent.silent = true;
    h.network.ClearSent();
    h.clock.Advance(12000 + 2500);
    EXPECT_EQ(h.network.Sent().size(), 3u) << "one broadcast a second after 12 s";
    EXPECT_EQ(console.DiscoveryList().RowCount(), 0);
    agent.silent = false;
    h.ui.ExpectBox(MessageBoxRequest{"Upgrade successful", "information", BoxIcon::Information,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    h.clock.Advance(1000);
    h.network.Deliver();
    h.clock.Advance(1000);
    EXPECT_FALSE(console.Upgrading().Verification().IsRunning());
    EXPECT_EQ(console.DiscoveryList().RowCount(), 1);
}

TEST_F(ConsoleUpgrade, AnAgentThatNeverComesBackGivesUpgradeFailAfter110Attempts) {
    Console& console = StartWithDiscoveredAgent();
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("secret", 10000)});
    console.OnFirmwareUpgrade();
    agent.silent = true;
    h.network.ClearSent();
    h.clock.Advance(12000 + 109 * 1000 + 500);
    EXPECT_EQ(h.network.Sent().size(), 110u);
    h.ui.ExpectBox(MessageBoxRequest{"Upgrade fail", "information", BoxIcon::Exclamation,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    h.clock.Advance(500);
    EXPECT_EQ(h.network.Sent().size(), 110u);
    EXPECT_FALSE(console.Upgrading().Verification().IsRunning());
}

TEST_F(ConsoleUpgrade, AMonitoredAgentGetsTheTriggerByUnicastToItsAddress) {
    DeviceRecord record{};
    record.deviceTypeId = kType;
    MacToText(std::span<const uint8_t, 6>(kAgent.mac), record.macText);
    SetAddressField(kAgent.ip, &record.ip, record.ipText);
    record.protocolVersion = 2;
    record.interfaceVersion = 2;
    record.rowState = kRowShown;
    h.WriteMonitorFile({record});
    Console& console = h.Start();
    h.network.AddAgent(&trigger);
    trigger.answer = false;
    console.OnSelect(ListId::Monitor, 0, true);
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("pw", 2000)});
    console.OnFirmwareUpgrade();
    ASSERT_EQ(trigger.triggers.size(), 1u);
    EXPECT_EQ(trigger.triggers[0].to.address, kAgent.ip);
    EXPECT_EQ(trigger.triggers[0].from.port, ConsoleHarness::kBasePort + 1);
    EXPECT_EQ(States(), std::vector<std::string>{"Trigger fail"});
}

TEST_F(ConsoleUpgrade, StartIsHeldDisabledWhileTheTriggerWaitsAndTheTransferRuns) {
    Console& console = StartWithDiscoveredAgent();
    std::vector<bool> enabled;
    auto startEnabled = [&] {
        auto& map = h.dialogs.changes.enabled;
        enabled.push_back(map.count(ControlId::UpgradeStart) == 0 || map[ControlId::UpgradeStart]);
    };
    tftp.silentFromBlock = 2;
    h.dialogs.Expect(DialogId::FirmwareUpgrade,
                     {ScriptedPress{ControlId::UpgradeStart,
                                    {{ControlId::UpgradePassword, "pw"},
                                     {ControlId::UpgradeFirmwarePath, image}},
                                    [&] {
                                        startEnabled();
                                        Run(2000);
                                        startEnabled();
                                        Run(40000);
                                        startEnabled();
                                    }}});
    console.OnFirmwareUpgrade();
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(States().back(), "Upgrade fail, translate 1024/1300 bytes");
}

struct TriggerCase {
    const char* name;
    std::vector<uint8_t> (*reply)(uint16_t sequence);
    std::vector<std::string> boxes;
};

TEST_F(ConsoleUpgrade, TriggerRepliesThatDoNotAcknowledgeLeaveTriggerFail) {
    const TriggerCase cases[] = {
        {"no reply", nullptr, {}},
        {"a stale sequence",
         [](uint16_t s) { return TriggerReply(kAgent, kType, uint16_t(s + 1)); },
         {}},
        {"a password error",
         [](uint16_t s) { return TriggerReply(kAgent, kType, s, 2); },
         {"Device return : password error"}},
        {"another agent's acknowledgement",
         [](uint16_t s) { return TriggerReply(NumberedAgent(9), kType, s); },
         {}},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh run;
        Console& console = run.StartWithDiscoveredAgent();
        run.trigger.answer = false;
        for (const std::string& text : c.boxes) {
            run.h.ui.ExpectError(text);
        }
        auto reply = c.reply;
        run.h.dialogs.Expect(
            DialogId::FirmwareUpgrade,
            {ScriptedPress{
                ControlId::UpgradeStart,
                {{ControlId::UpgradePassword, "pw"}, {ControlId::UpgradeFirmwarePath, run.image}},
                [&run, &console, reply] {
                    if (reply != nullptr) {
                        run.h.Receive(reply(console.Sockets().RequestSequence()), kAgent.ip,
                                      SocketId::Broadcast);
                    }
                    run.Run(3000);
                }}});
        console.OnFirmwareUpgrade();
        EXPECT_EQ(run.States(), std::vector<std::string>{"Trigger fail"});
        EXPECT_EQ(run.tftp.writeRequests, 0);
    }
}

TEST_F(ConsoleUpgrade, ALateAcknowledgementLetsTheNextStartTransferWithoutANewOne) {
    Console& console = StartWithDiscoveredAgent();
    trigger.answer = false;
    h.dialogs.Expect(
        DialogId::FirmwareUpgrade,
        {ScriptedPress{
             ControlId::UpgradeStart,
             {{ControlId::UpgradePassword, "pw"}, {ControlId::UpgradeFirmwarePath, image}},
             [&] {
                 Run(2500);
                 h.Receive(TriggerReply(kAgent, kType, 0), kAgent.ip, SocketId::Broadcast);
             }},
         Start("pw", 10000)});
    console.OnFirmwareUpgrade();
    EXPECT_EQ(trigger.triggers.size(), 2u);
    EXPECT_EQ(States().front(), "Trigger fail");
    EXPECT_EQ(States()[1], "Wait....");
    EXPECT_EQ(tftp.stored.size(), 1300u);
}

TEST_F(ConsoleUpgrade, StartRefusesABadFormBeforeAnythingIsSent) {
    const std::string longPath = h.dir.Path() + "/" + std::string(128, 'p');
    const std::string large = h.dir.File("large.hex");
    h.memory.Write(large, std::vector<uint8_t>(0xFFFFull * 512));
    h.memory.Write(h.dir.File("largest.hex"), std::vector<uint8_t>(0xFFFFull * 512 - 1));
    struct Case {
        std::string password;
        std::string path;
        const char* refusal;
    } cases[] = {
        {"", image, "Password lengths between 1-20"},
        {std::string(21, 'x'), image, "Password lengths between 1-20"},
        {"pw", h.dir.File("missing.hex"), "Firmware file not found"},
        {"pw", h.dir.Path(), "Firmware file not found"},
        {"pw", "", "Firmware file not found"},
        {"pw", longPath, "Firmware path too long, at most 127 characters"},
        {"pw", large, "Firmware file too large, at most 33553919 bytes"},
        {std::string(20, 'x'), h.dir.File("largest.hex"), nullptr},
    };
    Console& console = StartWithDiscoveredAgent();
    trigger.answer = false;
    std::vector<ScriptedPress> presses;
    for (const Case& c : cases) {
        if (c.refusal != nullptr) {
            h.ui.ExpectBox(MessageBoxRequest{c.refusal, "Error", BoxIcon::Error, BoxButtons::Ok,
                                             BoxOwner::Dialog});
        }
        presses.push_back(ScriptedPress{
            ControlId::UpgradeStart,
            {{ControlId::UpgradePassword, c.password}, {ControlId::UpgradeFirmwarePath, c.path}}});
    }
    h.dialogs.Expect(DialogId::FirmwareUpgrade, presses);
    console.OnFirmwareUpgrade();
    EXPECT_EQ(trigger.triggers.size(), 1u) << "only the last form is sound";
}

TEST_F(ConsoleUpgrade, BrowseSetsThePathCancelEmptiesItAndTheNextOpeningShowsIt) {
    Console& console = StartWithDiscoveredAgent();
    const FileDialogRequest browse{false, "hex File (*.hex)|*.hex||", "*.hex", "*.hex"};
    h.ui.ExpectFileDialog(browse, image);
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {ScriptedPress{ControlId::UpgradeBrowse, {}}});
    console.OnFirmwareUpgrade();
    EXPECT_EQ(h.dialogs.changes.texts[ControlId::UpgradeFirmwarePath],
              std::vector<std::string>{image});

    h.ui.ExpectFileDialog(browse, std::nullopt);
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {ScriptedPress{ControlId::UpgradeBrowse, {}}});
    console.OnFirmwareUpgrade();
    EXPECT_EQ(h.dialogs.Opened().back().at(ControlId::UpgradeFirmwarePath), image);
    EXPECT_EQ(h.dialogs.changes.texts[ControlId::UpgradeFirmwarePath].back(), "");

    h.ui.ExpectFileDialog(browse, h.dir.Path() + "/" + std::string(128, 'p'));
    h.ui.ExpectBox(MessageBoxRequest{"Firmware path too long, at most 127 characters", "Error",
                                     BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog});
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {ScriptedPress{ControlId::UpgradeBrowse, {}}});
    console.OnFirmwareUpgrade();
    EXPECT_EQ(h.dialogs.Opened().back().at(ControlId::UpgradeFirmwarePath), "");
}

TEST_F(ConsoleUpgrade, CancelDuringTheTransferClosesTheSocketAndZeroesBytesSent) {
    Console& console = StartWithDiscoveredAgent();
    tftp.silentFromBlock = 2;
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("pw", 3000)});
    console.OnFirmwareUpgrade();
    const uint32_t sent = console.Upgrade().BytesSent();
    EXPECT_EQ(sent, 0u);
    EXPECT_FALSE(h.network.IsBound(kTftpClientPort));
    EXPECT_FALSE(console.Upgrading().Transfer().IsRunning());
    size_t before = tftp.dataBlocks.size();
    h.clock.Advance(60000);
    EXPECT_EQ(tftp.dataBlocks.size(), before) << "nothing is resent after the dialog closed";
}

// Cancel is held disabled during the pause after the final acknowledgement. A window that closes
// the dialog all the same does not cut the pause short: the transfer ends complete and the
// verification follows with its result.
TEST_F(ConsoleUpgrade, CancelDuringTheFinalPauseStillLeadsToTheVerificationAndItsResult) {
    Console& console = StartWithDiscoveredAgent();
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("secret", 2500)});
    console.OnFirmwareUpgrade();
    EXPECT_EQ(States().back(), "Complete...1300/1300 bytes");
    EXPECT_FALSE(h.dialogs.changes.enabled.at(ControlId::UpgradeCancel));
    EXPECT_FALSE(h.dialogs.changes.closed) << "the script cancelled the dialog, not the engine";
    EXPECT_TRUE(console.Upgrading().Transfer().IsRunning());
    EXPECT_EQ(tftp.stored, h.memory.Read(image));

    h.clock.Advance(TftpClient::kFinalPauseMs);
    EXPECT_FALSE(console.Upgrading().Transfer().IsRunning());
    EXPECT_TRUE(console.Upgrading().Verification().IsRunning());
    h.ui.ExpectBox(MessageBoxRequest{"Upgrade successful", "information", BoxIcon::Information,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    for (int second = 0; second < 14 && console.Upgrading().Verification().IsRunning(); ++second) {
        h.clock.Advance(1000);
        h.network.Deliver();
    }
    EXPECT_FALSE(console.Upgrading().Verification().IsRunning());
}

struct PrecheckCase {
    const char* name;
    std::vector<InterfaceAddress> addresses;
    int tableError;
    MessageBoxRequest refusal;
};

TEST_F(ConsoleUpgrade, ThePrecheckRefusesAnUnreachableTarget) {
    const PrecheckCase cases[] = {
        {"no local address in the subnet",
         {{0x7F000001, 0xFF000000}, {0xC0A80001, 0xFFFFFF00}},
         0,
         ErrorBox("The device IP and manager IP are not in the same subnet")},
        {"the address table cannot be read",
         {},
         5,
         MessageBoxRequest{"Error 5", "", BoxIcon::Exclamation, BoxButtons::Ok,
                           BoxOwner::Application}},
    };
    for (const PrecheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh run;
        Console& console = run.StartWithDiscoveredAgent();
        run.h.addresses.addresses = c.addresses;
        run.h.addresses.error = c.tableError;
        run.h.ui.ExpectBox(c.refusal);
        console.OnFirmwareUpgrade();
    }
    // Twelve addresses, the target's subnet last: no limit on the table.
    Console& console = StartWithDiscoveredAgent();
    h.addresses.addresses.assign(11, InterfaceAddress{0xC0A80001, 0xFFFFFF00});
    h.addresses.addresses.push_back({0x0A4D0001, 0xFFFF0000});
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {});
    console.OnFirmwareUpgrade();
}

TEST_F(ConsoleUpgrade, ADuplicateAddressCountsWithinTheTargetsListOnly) {
    AgentSettings twin = NumberedAgent(2);
    twin.ip = kAgent.ip;
    Console& console = StartWithDiscoveredAgent();
    h.Reply(twin);
    ASSERT_EQ(console.DiscoveryList().RowCount(), 2);
    console.OnSelect(ListId::Discovery, 0, true);
    h.ui.ExpectError("Duplicate IP");
    console.OnFirmwareUpgrade();
}

TEST_F(ConsoleUpgrade, TheSameAddressOnceInEachListIsNoDuplicate) {
    Console& console = StartWithDiscoveredAgent();
    // A loaded list brings an entry with the agent's address but another MAC.
    AgentSettings twin = kAgent;
    twin.mac[1] = 0x0b;
    h.memory.Write(h.dir.File("twin.cfg"), RecordBytes({StoredRecord(twin, kType)}));
    h.ui.ExpectFileDialog(
        FileDialogRequest{false, "config File (*.cfg)|*.cfg||", "monitor.cfg", "*.cfg"},
        h.dir.File("twin.cfg"));
    console.OnMonitorLoad();
    ASSERT_EQ(console.MonitorList().RowCount(), 1);
    console.OnSelect(ListId::Discovery, 0, true);
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {});
    console.OnFirmwareUpgrade();
}

TEST(UpgradeTrigger, CarriesTheTargetsMacTheSequenceAndThePassword) {
    PacketBuffer packet{};
    ASSERT_EQ(BuildUpgradeTrigger("020a1b0000ff", 0x03B27F16, 0x1234, "abc", &packet), 0);
    const std::vector<uint8_t> expected = {
        0,    2,    0,    0,    0x02, 0x0a, 0x1b, 0x00, 0x00, 0xff, 0,    0,    0,   10,  0,  0,
        0x03, 0xB2, 0x7F, 0x16, 0,    0,    0,    0,    0,    0,    0x12, 0x34, 0,   0,   0,  0,
        0,    0,    0,    0,    0,    0,    0,    0,    0,    9,    0,    7,    'a', 'b', 'c'};
    EXPECT_EQ(std::vector<uint8_t>(packet.bytes, packet.bytes + packet.length), expected);
    EXPECT_EQ(BuildUpgradeTrigger("00zz1b0000ff", 0x03B27F16, 0, "abc", &packet), -1);
}

}  // namespace
}  // namespace vantelo::test
