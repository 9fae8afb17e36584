// Every operation someone waits on tells its outcome once: its kind, the text its box or the
// upgrade state field shows, and the agent it concerns.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "events/OutcomeFanOut.h"
#include "support/ConsoleHarness.h"
#include "support/TftpAgent.h"
#include "upgrade/TftpPackets.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
const AgentSettings kAgent = NumberedAgent(1);  // 10.77.0.2, MAC 020a1b000001
const char* const kMac = "020a1b000001";
const char* const kIp = "10.77.0.2";

std::string Said(OutcomeKind kind, const std::string& text, const std::string& mac = "",
                 const std::string& ip = "") {
    return "kind " + std::to_string(static_cast<int>(kind)) + " \"" + text + "\" " + mac + " " + ip;
}

std::vector<std::string> Told(const ConsoleHarness& h) {
    std::vector<std::string> told;
    for (const Outcome& outcome : h.outcomes.told) {
        told.push_back(
            Said(outcome.kind, outcome.text, outcome.agent.macText, outcome.agent.ipText));
    }
    return told;
}

MessageBoxRequest DialogError(const std::string& text) {
    return MessageBoxRequest{text, "Error", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog};
}

TEST(OutcomeFanOut, TellsEachSubscriberOnceInTheOrderTheySubscribed) {
    struct Named : OutcomeListener {
        Named(std::vector<std::string>& log, std::string name)
            : log_(log), name_(std::move(name)) {}
        void Told(const Outcome& outcome) override { log_.push_back(name_ + ":" + outcome.text); }
        std::vector<std::string>& log_;
        std::string name_;
    };
    std::vector<std::string> log;
    Named first(log, "first");
    Named second(log, "second");
    OutcomeFanOut fanOut;
    fanOut.Subscribe(&first);
    fanOut.Subscribe(&second);
    fanOut.Subscribe(&first);
    fanOut.Tell(Outcome{OutcomeKind::SetConfirmed, "one", {}});
    fanOut.Unsubscribe(&first);
    fanOut.Tell(Outcome{OutcomeKind::SetConfirmed, "two", {}});
    EXPECT_EQ(log, (std::vector<std::string>{"first:one", "second:one", "second:two"}));
}

// Start-up: one outcome for each file or socket that fails, none for a sound start.
TEST(StartupOutcomes, EachFaultIsToldOnce) {
    struct Row {
        const char* name;
        std::function<void(ConsoleHarness&)> fault;
        std::vector<const char*> boxes;
        std::string told;
    } rows[] = {
        {"sound start", [](ConsoleHarness&) {}, {}, ""},
        {"bad definition",
         [](ConsoleHarness& h) {
             h.memory.Write(h.dir.File("define.ecf"), {1, 2, 3});
         },
         {"define.ecf checksum error", "It will cause the application fail\n "},
         Said(OutcomeKind::DefinitionFileBad, "define.ecf checksum error")},
        {"bad monitor list",
         [](ConsoleHarness& h) {
             h.memory.Write(h.dir.File("monitor.cfg"), std::vector<uint8_t>(545));
         },
         {"Config File Error"},
         Said(OutcomeKind::MonitorFileBad, "Config File Error")},
        {"port in use",
         [](ConsoleHarness& h) {
             h.network.FailOpen(ConsoleHarness::kBasePort + 1, SocketOpenResult::BindFailed);
         },
         {"Bind socket error"},
         Said(OutcomeKind::SocketOpenFailed, "Bind socket error")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ConsoleHarness h;
        row.fault(h);
        for (const char* text : row.boxes) {
            h.ui.ExpectError(
                text, std::string(text) == "define.ecf checksum error" ? "file error" : "Error");
        }
        h.Start();
        EXPECT_EQ(Told(h), row.told.empty() ? std::vector<std::string>{}
                                            : std::vector<std::string>{row.told});
    }
}

// Agent 1 monitored and selected; a configuration form that keeps its address.
class SettingsOutcomes : public ::testing::Test {
protected:
    Console& StartMonitored() {
        h.WriteMonitorFile({StoredRecord(kAgent, kType)});
        Console& console = h.Start();
        console.OnSelect(ListId::Monitor, 0, true);
        return console;
    }
    void PressSet(Console& console) {
        h.dialogs.Expect(DialogId::Configuration, {{ControlId::ConfigSet,
                                                    {{ControlId::ConfigIpAddress, kIp},
                                                     {ControlId::ConfigSubnetMask, "255.255.0.0"},
                                                     {ControlId::ConfigGateway, "10.77.0.254"},
                                                     {ControlId::ConfigTrapIp, "10.77.0.1"},
                                                     {ControlId::ConfigPassword, "pw"}}}});
        console.OnConfigurationSetting();
    }
    std::vector<uint8_t> SetReply(uint16_t result) {
        PacketHeader header = AgentHeader(kAgent, OpCode::UnicastSetReply, kType);
        header.resultCode = result;
        return Datagram(header, SettingsElements(kAgent));
    }

    ConsoleHarness h;
};

TEST_F(SettingsOutcomes, AConfirmationIsToldOnceAndARefusalByItsResultText) {
    Console& console = StartMonitored();
    PressSet(console);
    h.ui.ExpectError("Device return : password error");
    h.Receive(SetReply(2), kAgent.ip);
    h.ui.ExpectBox(MessageBoxRequest{"Set Succesful", "Information", BoxIcon::Information,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    h.Receive(SetReply(0), kAgent.ip);
    h.Receive(SetReply(0), kAgent.ip);
    EXPECT_EQ(Told(h),
              (std::vector<std::string>{
                  Said(OutcomeKind::ResultRefused, "Device return : password error", kMac, kIp),
                  Said(OutcomeKind::SetConfirmed, "Set Succesful", kMac, kIp)}));
}

TEST_F(SettingsOutcomes, AConfirmationWaitingBehindAnotherBoxIsToldAtOnce) {
    Console& console = StartMonitored();
    PressSet(console);
    h.ui.ExpectError("Device return : password error", "Error", [&] {
        h.Receive(SetReply(0), kAgent.ip);
        EXPECT_EQ(h.outcomes.told.size(), 2u) << "told while its box still waits";
    });
    h.ui.ExpectBox(MessageBoxRequest{"Set Succesful", "Information", BoxIcon::Information,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    h.Receive(SetReply(2), kAgent.ip);
    h.clock.Advance(0);
    EXPECT_EQ(h.outcomes.told.size(), 2u);
}

TEST_F(SettingsOutcomes, ASendErrorIsToldWithTheRequestedAgent) {
    Console& console = StartMonitored();
    h.network.FailSends(101);
    h.ui.ExpectBox(MessageBoxRequest{"Unicast set send error", "Error", BoxIcon::Error,
                                     BoxButtons::Ok, BoxOwner::None});
    PressSet(console);
    EXPECT_EQ(Told(h), (std::vector<std::string>{
                           Said(OutcomeKind::SetSendFailed, "Unicast set send error", kMac, kIp)}));
}

TEST_F(SettingsOutcomes, TheChecksBeforeTheDialogTellWhyItDidNotOpen) {
    AgentSettings loader = NumberedAgent(2);
    DeviceRecord loaderRecord = StoredRecord(loader, kType);
    loaderRecord.loaderMark = kLoaderMark;
    h.WriteMonitorFile({loaderRecord, HandAddedRecord(0x0A4D0063)});
    Console& console = h.Start();
    h.Receive(Datagram(AgentHeader(loader, OpCode::LoaderModeReply, kType), {}), loader.ip,
              SocketId::Broadcast);
    struct Row {
        std::vector<int> rows;
        const char* text;
        OutcomeKind kind;
        std::string mac;
        std::string ip;
    } rows[] = {
        {{}, "Please select one device", OutcomeKind::NothingSelected, "", ""},
        {{0, 1}, "Only one device can be selected", OutcomeKind::SeveralSelected, "", ""},
        {{1},
         "agent protocol version not support",
         OutcomeKind::ProtocolVersionUnsupported,
         "",
         "10.77.0.99"},
        {{0},
         "Agent is in loader mode, it can't set",
         OutcomeKind::LoaderMode,
         "020a1b000002",
         "10.77.0.3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        SelectOnly(console, ListId::Monitor, row.rows);
        h.outcomes.told.clear();
        h.ui.ExpectError(row.text);
        console.OnPasswordChange();
        EXPECT_EQ(Told(h), std::vector<std::string>{Said(row.kind, row.text, row.mac, row.ip)});
    }
}

// Agent 1 discovered and selected, with its trigger answer and TFTP server on the network.
class UpgradeOutcomes : public ::testing::Test {
public:
    UpgradeOutcomes() {
        h.addresses.addresses = {{0x0A4D0001, 0xFFFF0000}};
        image = h.dir.File("image.hex");
        h.memory.Write(image, std::vector<uint8_t>(1300, 0x5A));
    }

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

    // Start pressed with the password; then the network and the clock run for ms or until the
    // dialog closes.
    ScriptedPress Start(const std::string& password, int ms) {
        return ScriptedPress{
            ControlId::UpgradeStart,
            {{ControlId::UpgradePassword, password}, {ControlId::UpgradeFirmwarePath, image}},
            [this, ms] { Run(ms); }};
    }

    void Run(int ms) {
        for (int elapsed = 0; elapsed < ms && !h.dialogs.changes.closed; elapsed += 10) {
            h.network.Deliver();
            h.clock.Advance(10);
        }
        h.network.Deliver();
    }

    ConsoleHarness h;
    std::string image;
    SimulatedAgent agent{kAgent, kType, ConsoleHarness::kAgentPort};
    TriggerAnswer trigger{kAgent, kType};
    TftpAgent tftp{kAgent.ip};
};

struct Fresh : UpgradeOutcomes {
    void TestBody() override {}
};

TEST_F(UpgradeOutcomes, EachWayAnUpgradeEndsIsToldOnce) {
    const std::string error = "disk full\nThe device will reboot, please wait for a few seconds";
    struct Row {
        const char* name;
        std::function<void(Fresh&)> script;  // before Start is pressed
        std::vector<MessageBoxRequest> boxes;
        int afterMs;  // the clock runs on after the dialog closed
        std::string told;
    } rows[] = {
        {"no acknowledgement",
         [](Fresh& run) { run.trigger.answer = false; },
         {},
         0,
         Said(OutcomeKind::TriggerFailed, "Trigger fail", kMac, kIp)},
        {"write request unanswered",
         [](Fresh& run) { run.tftp.answerWriteRequest = false; },
         {},
         0,
         Said(OutcomeKind::DeviceNotFound, "Device not found", kMac, kIp)},
        {"stalled transfer",
         [](Fresh& run) { run.tftp.silentFromBlock = 2; },
         {},
         0,
         Said(OutcomeKind::TransferStalled, "Upgrade fail, translate 1024/1300 bytes", kMac, kIp)},
        {"error packet",
         [](Fresh& run) {
             run.tftp.errorOnBlock = 1;
             run.tftp.errorText = "disk full";
         },
         {MessageBoxRequest{error, "upgrade fail", BoxIcon::Error, BoxButtons::Ok,
                            BoxOwner::Dialog}},
         0,
         Said(OutcomeKind::TransferRefused, error, kMac, kIp)},
        {"agent back after its restart",
         [](Fresh&) {},
         {MessageBoxRequest{"Upgrade successful", "information", BoxIcon::Information,
                            BoxButtons::Ok, BoxOwner::MainWindow}},
         14000,
         Said(OutcomeKind::UpgradeSuccessful, "Upgrade successful", kMac, kIp)},
        {"agent never back",
         [](Fresh& run) { run.agent.silent = true; },
         {MessageBoxRequest{"Upgrade fail", "information", BoxIcon::Exclamation, BoxButtons::Ok,
                            BoxOwner::MainWindow}},
         12000 + 110 * 1000 + 500,
         Said(OutcomeKind::UpgradeFailed, "Upgrade fail", kMac, kIp)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh run;
        Console& console = run.StartWithDiscoveredAgent();
        row.script(run);
        for (const MessageBoxRequest& box : row.boxes) {
            run.h.ui.ExpectBox(box);
        }
        run.h.dialogs.Expect(DialogId::FirmwareUpgrade, {run.Start("pw", 45000)});
        run.h.outcomes.told.clear();
        console.OnFirmwareUpgrade();
        for (int elapsed = 0; elapsed < row.afterMs; elapsed += 100) {
            run.h.network.Deliver();
            run.h.clock.Advance(100);
        }
        run.h.clock.Advance(0);
        EXPECT_EQ(Told(run.h), std::vector<std::string>{row.told});
    }
}

TEST_F(UpgradeOutcomes, AVerificationThatCannotBroadcastEndsWithoutAResult) {
    Console& console = StartWithDiscoveredAgent();
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("pw", 45000)});
    console.OnFirmwareUpgrade();
    h.outcomes.told.clear();
    h.network.FailBroadcastOption(true);
    h.ui.ExpectError("Set socketopt error");
    h.clock.Advance(12000);
    EXPECT_EQ(Told(h), (std::vector<std::string>{Said(OutcomeKind::VerificationSendFailed,
                                                      "Set socketopt error", kMac, kIp)}));
}

TEST_F(UpgradeOutcomes, TheTransfersSocketFailingEndsTheUpgradeAtOnce) {
    Console& console = StartWithDiscoveredAgent();
    h.network.FailOpen(kTftpClientPort, SocketOpenResult::BindFailed);
    h.ui.ExpectBox(DialogError("Bind tftps socket error"));
    h.dialogs.Expect(DialogId::FirmwareUpgrade, {Start("pw", 3000)});
    h.outcomes.told.clear();
    console.OnFirmwareUpgrade();
    EXPECT_EQ(Told(h), (std::vector<std::string>{Said(OutcomeKind::TransferSocketFailed,
                                                      "Bind tftps socket error", kMac, kIp)}));
}

TEST_F(UpgradeOutcomes, ThePrecheckAndStartRefusalsAreToldWithTheirTexts) {
    struct Row {
        const char* name;
        std::vector<InterfaceAddress> addresses;
        int tableError;
        bool opens;
        std::string password;
        MessageBoxRequest box;
        OutcomeKind kind;
    } rows[] = {
        {"other subnet",
         {{0xC0A80001, 0xFFFFFF00}},
         0,
         false,
         "pw",
         ErrorBox("The device IP and manager IP are not in the same subnet"),
         OutcomeKind::NotSameSubnet},
        {"address table unreadable",
         {},
         122,
         false,
         "pw",
         MessageBoxRequest{"Error 122", "", BoxIcon::Exclamation, BoxButtons::Ok,
                           BoxOwner::Application},
         OutcomeKind::AddressTableUnreadable},
        {"empty password",
         {{0x0A4D0001, 0xFFFF0000}},
         0,
         true,
         "",
         DialogError("Password lengths between 1-20"),
         OutcomeKind::UpgradePasswordLength},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh run;
        Console& console = run.StartWithDiscoveredAgent();
        run.h.addresses.addresses = row.addresses;
        run.h.addresses.error = row.tableError;
        run.h.ui.ExpectBox(row.box);
        if (row.opens) {
            run.h.dialogs.Expect(DialogId::FirmwareUpgrade, {run.Start(row.password, 0)});
        }
        run.h.outcomes.told.clear();
        console.OnFirmwareUpgrade();
        ASSERT_EQ(run.h.outcomes.told.size(), 1u);
        EXPECT_EQ(run.h.outcomes.told[0].kind, row.kind);
        EXPECT_EQ(run.h.outcomes.told[0].text, row.box.text);
        EXPECT_EQ(run.h.outcomes.told[0].agent.ipText, kIp);
    }
}

class MonitorListOutcomes : public ::testing::Test {
protected:
    ConsoleHarness h;
};

TEST_F(MonitorListOutcomes, AddItemOnAFullListIsTold) {
    std::vector<DeviceRecord> full;
    for (int n = 0; n < 256; ++n) {
        full.push_back(HandAddedRecord(0x0A4E0000u + static_cast<uint32_t>(n) + 1));
    }
    h.WriteMonitorFile(full);
    Console& console = h.Start();
    h.ui.ExpectError("out of 256 device in monitor list");
    console.OnAddItem();
    EXPECT_EQ(Told(h), (std::vector<std::string>{Said(OutcomeKind::MonitorListFull,
                                                      "out of 256 device in monitor list")}));
}

TEST_F(MonitorListOutcomes, AddItemTellsADuplicateAndAnIllegalAddress) {
    h.WriteMonitorFile({HandAddedRecord(0x0A4D0063)});
    Console& console = h.Start();
    h.dialogs.ExpectAddRemoteIp({0, 0x0A4D0063});
    h.ui.ExpectBox(MessageBoxRequest{"IP address is illegal", " Error", BoxIcon::Error,
                                     BoxButtons::Ok, BoxOwner::Dialog});
    h.ui.ExpectError("Duplicate IP in monitor list or discovery list");
    console.OnAddItem();
    EXPECT_EQ(Told(h),
              (std::vector<std::string>{
                  Said(OutcomeKind::IllegalAddress, "IP address is illegal"),
                  Said(OutcomeKind::DuplicateRefused,
                       "Duplicate IP in monitor list or discovery list", "", "10.77.0.99")}));
}

TEST_F(MonitorListOutcomes, MovingAnAddressTwoAgentsShareIsARefusedDuplicate) {
    Console& console = h.Start();
    for (int n : {5, 6}) {
        AgentSettings twin = NumberedAgent(n);
        twin.ip = 0x0A4D0032;
        h.Reply(twin);
    }
    console.OnSelect(ListId::Discovery, 0, true);
    h.ui.ExpectError("Duplicate ip ", "Add fail");
    console.OnAddToMonitorList();
    EXPECT_EQ(Told(h),
              (std::vector<std::string>{Said(OutcomeKind::DuplicateRefused, "Duplicate ip ",
                                             "020a1b000005", "10.77.0.50")}));
}

TEST_F(MonitorListOutcomes, LoadingTellsABadFileAndEachSkippedDuplicate) {
    h.WriteMonitorFile({StoredRecord(kAgent, kType)});
    Console& console = h.Start();
    const FileDialogRequest load{false, "config File (*.cfg)|*.cfg||", "monitor.cfg", "*.cfg"};
    h.memory.Write(h.dir.File("bad.cfg"), std::vector<uint8_t>(545));
    h.ui.ExpectFileDialog(load, h.dir.File("bad.cfg"));
    h.ui.ExpectError("Config File Error");
    console.OnMonitorLoad();
    h.ui.ExpectFileDialog(load, h.dir.File("monitor.cfg"));
    h.ui.ExpectBox(MessageBoxRequest{"Duplicate ip in monitor list", "Warning", BoxIcon::Warning,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    console.OnMonitorLoad();
    EXPECT_EQ(Told(h),
              (std::vector<std::string>{
                  Said(OutcomeKind::MonitorFileBad, "Config File Error"),
                  Said(OutcomeKind::DuplicateSkipped, "Duplicate ip in monitor list", kMac, kIp)}));
}

TEST_F(MonitorListOutcomes, AFailedSaveIsTold) {
    Console& console = h.Start();
    h.memory.RemoveDirectory(h.dir.File("absent"));
    h.ui.ExpectFileDialog(
        FileDialogRequest{true, "config File (*.cfg)|*.cfg||", "*.cfg", "Default.cfg"},
        h.dir.File("absent/copy.cfg"));
    h.ui.ExpectError("Monitor list save fail", "file error");
    console.OnMonitorSaveAs();
    EXPECT_EQ(
        Told(h),
        (std::vector<std::string>{Said(OutcomeKind::MonitorSaveFailed, "Monitor list save fail")}));
}

// The confirmation is the command's question, not its outcome: answered OK the entries' deletion
// is told, answered Cancel nothing is.
TEST_F(MonitorListOutcomes, TheDeleteConfirmationIsNoOutcomeTheDeletionIs) {
    h.WriteMonitorFile({HandAddedRecord(0x0A4D0063), StoredRecord(kAgent, kType)});
    Console& console = h.Start();
    const MessageBoxRequest confirmation{"Are you sure to delete this item ?", "Warning",
                                         BoxIcon::Warning, BoxButtons::OkCancel,
                                         BoxOwner::MainWindow};
    SelectOnly(console, ListId::Monitor, {0, 1});
    h.ui.ExpectBox(confirmation, BoxAnswer::Cancel);
    console.OnDeleteItem();
    EXPECT_TRUE(h.outcomes.told.empty());
    h.ui.ExpectBox(confirmation, BoxAnswer::Ok);
    console.OnDeleteItem();
    EXPECT_EQ(Told(h),
              (std::vector<std::string>{Said(OutcomeKind::EntryDeleted, "", "", "10.77.0.99"),
                                        Said(OutcomeKind::EntryDeleted, "", kMac, kIp)}));
}

}  // namespace
}  // namespace vantelo::test
