#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"
#include "support/ConsoleHarness.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
constexpr uint16_t kPasswordError = 2;

// Datagram bytes written out by hand, big-endian, to compare the console's requests with.
struct Bytes {
    std::vector<uint8_t> v;

    Bytes& U8(unsigned value) {
        v.push_back(static_cast<uint8_t>(value));
        return *this;
    }
    Bytes& U16(unsigned value) { return U8(value >> 8).U8(value & 0xFF); }
    Bytes& Zeros(size_t count) {
        v.insert(v.end(), count, 0);
        return *this;
    }
    Bytes& Text(unsigned type, std::string_view text) {
        U16(type).U16(static_cast<unsigned>(4 + text.size()));
        v.insert(v.end(), text.begin(), text.end());
        return *this;
    }
    Bytes& Address(unsigned type, unsigned a, unsigned b, unsigned c, unsigned d) {
        return U16(type).U16(8).U8(a).U8(b).U8(c).U8(d);
    }
    // A set request header for agent 1 (MAC 02 0a 1b 00 00 01), sequence 0.
    Bytes& SetHeader(unsigned opCode) {
        U16(2).U16(0).U8(0x02).U8(0x0a).U8(0x1b).U8(0x00).U8(0x00).U8(0x01);
        U16(0).U16(opCode).U16(0).U8(0x03).U8(0xB2).U8(0x7F).U8(0x16);
        return Zeros(26 - 20).U16(0).Zeros(40 - 28);
    }
};

DialogFields ConfigurationForm(std::string systemName, std::string location, const char* ip,
                               const char* enable, const char* disable) {
    DialogFields fields{
        {ControlId::ConfigProductName, "VS-24P"},  {ControlId::ConfigMacAddress, "020a1b000001"},
        {ControlId::ConfigIpAddress, ip},          {ControlId::ConfigSubnetMask, "255.255.255.0"},
        {ControlId::ConfigGateway, "10.77.0.254"}, {ControlId::ConfigTrapIp, "10.77.0.1"},
        {ControlId::ConfigSystemName, systemName}, {ControlId::ConfigLocation, location},
        {ControlId::ConfigPassword, "pw"},
    };
    if (enable != nullptr) {
        fields[ControlId::ConfigDhcpEnable] = enable;
        fields[ControlId::ConfigDhcpDisable] = disable;
    }
    return fields;
}

DialogFields PasswordForm(const char* original, const char* typed, const char* confirmed) {
    return DialogFields{{ControlId::OriginalPassword, original},
                        {ControlId::NewPassword, typed},
                        {ControlId::ConfirmPassword, confirmed}};
}

// Agent 1 in the monitor list or the discovery list, and selected there.
Console& StartWith(ConsoleHarness& h, const AgentSettings& agent, bool monitored) {
    h.WriteMonitorFile(monitored ? std::vector<DeviceRecord>{StoredRecord(agent, kType)}
                                 : std::vector<DeviceRecord>{});
    Console& console = h.Start();
    if (!monitored) {
        h.Reply(agent);
    }
    console.OnSelect(monitored ? ListId::Monitor : ListId::Discovery, 0, true);
    h.network.ClearSent();
    return console;
}

class SettingsCommands : public ::testing::Test {
protected:
    void TearDown() override {
        if (h.console) {
            EXPECT_EQ(TableListMismatch(*h.console), "");
        }
    }

    Console& StartWith(const AgentSettings& agent, bool monitored) {
        return test::StartWith(h, agent, monitored);
    }

    ConsoleHarness h;
};

TEST(SetRequest, CarriesItsElementsInOrder) {
    const Bytes names = Bytes{}.Text(9, "pw").Text(1, "VS-24P");
    struct Row {
        const char* name;
        bool monitored;
        uint16_t interfaceVersion;
        uint16_t dhcp;
        bool passwordDialog;
        DialogFields fields;
        std::vector<uint8_t> expected;
        uint32_t to;
    } rows[] = {
        {"configuration with empty names", true, 2, 0, false,
         ConfigurationForm("", "", "10.77.0.20", "0", "1"),
         Bytes{names}
             .Text(2, "")
             .Text(3, "")
             .Address(4, 10, 77, 0, 20)
             .Address(6, 10, 77, 0, 254)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 255, 255, 255, 0)
             .U16(10)
             .U16(6)
             .U16(0)
             .v,
         0x0A4D0002},
        {"configuration of an agent reporting no DHCP", true, 2, 2, false,
         ConfigurationForm("sw", "lab", "10.77.0.20", nullptr, nullptr),
         Bytes{names}
             .Text(2, "sw")
             .Text(3, "lab")
             .Address(4, 10, 77, 0, 20)
             .Address(6, 10, 77, 0, 254)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 255, 255, 255, 0)
             .v,
         0x0A4D0002},
        {"configuration with DHCP, interface version 1", true, 1, 0, false,
         ConfigurationForm("sw", "lab", "0.0.0.0", "1", "0"),
         Bytes{names}
             .Text(2, "sw")
             .Text(3, "lab")
             .Address(4, 0, 0, 0, 0)
             .Address(6, 0, 0, 0, 0)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 0, 0, 0, 0)
             .U16(10)
             .U16(5)
             .U8(1)
             .v,
         0x0A4D0002},
        {"configuration of a discovered agent, by broadcast", false, 2, 1, false,
         ConfigurationForm("sw", "lab", "10.77.0.2", "0", "1"),
         Bytes{names}
             .Text(2, "sw")
             .Text(3, "lab")
             .Address(4, 10, 77, 0, 2)
             .Address(6, 10, 77, 0, 254)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 255, 255, 255, 0)
             .U16(10)
             .U16(6)
             .U16(0)
             .v,
         kBroadcastAddress},
        {"password change, interface version 2", true, 2, 0, true,
         PasswordForm("old", "new", "new"),
         Bytes{}
             .Text(9, "old")
             .Text(1, "VS-24P")
             .Text(2, "sw1")
             .Text(3, "lab")
             .Address(4, 10, 77, 0, 2)
             .Address(6, 10, 77, 0, 254)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 255, 255, 0, 0)
             .Text(8, "new")
             .U16(10)
             .U16(6)
             .U16(0)
             .v,
         0x0A4D0002},
        {"password change, interface version 1, by broadcast", false, 1, 1, true,
         PasswordForm("old", "new", "new"),
         Bytes{}
             .Text(9, "old")
             .Text(1, "VS-24P")
             .Text(2, "sw1")
             .Text(3, "lab")
             .Address(4, 10, 77, 0, 2)
             .Address(6, 10, 77, 0, 254)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 255, 255, 0, 0)
             .Text(8, "new")
             .U16(10)
             .U16(5)
             .U8(1)
             .v,
         kBroadcastAddress},
        {"password change of an agent reporting no DHCP", true, 2, 2, true,
         PasswordForm("old", "new", "new"),
         Bytes{}
             .Text(9, "old")
             .Text(1, "VS-24P")
             .Text(2, "sw1")
             .Text(3, "lab")
             .Address(4, 10, 77, 0, 2)
             .Address(6, 10, 77, 0, 254)
             .Address(7, 10, 77, 0, 1)
             .Address(5, 255, 255, 0, 0)
             .Text(8, "new")
             .v,
         0x0A4D0002},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        ConsoleHarness h;
        AgentSettings agent = NumberedAgent(1);
        agent.interfaceVersion = row.interfaceVersion;
        agent.dhcp = row.dhcp;
        Console& console = test::StartWith(h, agent, row.monitored);
        if (row.passwordDialog) {
            h.dialogs.Expect(DialogId::PasswordChange, {{ControlId::PasswordSet, row.fields}});
            console.OnPasswordChange();
        } else {
            h.dialogs.Expect(DialogId::Configuration, {{ControlId::ConfigSet, row.fields}});
            console.OnConfigurationSetting();
        }
        ASSERT_EQ(h.network.Sent().size(), 1u);
        const SentDatagram& sent = h.network.Sent()[0];
        Bytes expected;
        expected.SetHeader(row.monitored ? 7 : 3);
        expected.v.insert(expected.v.end(), row.expected.begin(), row.expected.end());
        EXPECT_EQ(sent.bytes, expected.v);
        EXPECT_EQ(sent.to.address, row.to);
        EXPECT_EQ(sent.to.port, ConsoleHarness::kAgentPort);
        EXPECT_EQ(sent.from.port,
                  row.monitored ? ConsoleHarness::kBasePort + 1 : ConsoleHarness::kBasePort);
        EXPECT_EQ(console.PendingSetRequest().TargetMac(), "020a1b000001");
    }
}

}  // namespace
}  // namespace vantelo::test

namespace vantelo::test {
namespace {

TEST(SetRequest, TheLongestTextsMakeA218ByteDatagram) {
    ConsoleHarness h;
    AgentSettings agent = NumberedAgent(1);
    agent.productName = std::string(40, 'p');
    agent.systemName = std::string(20, 's');
    agent.location = std::string(20, 'l');
    Console& console = StartWith(h, agent, true);
    const std::string twenty(20, 'w');
    h.dialogs.Expect(
        DialogId::PasswordChange,
        {{ControlId::PasswordSet, PasswordForm(twenty.c_str(), twenty.c_str(), twenty.c_str())}});
    console.OnPasswordChange();
    ASSERT_EQ(h.network.Sent().size(), 1u);
    EXPECT_EQ(h.network.Sent()[0].bytes.size(), 218u);
}

MessageBoxRequest Box(const char* text, const char* caption, BoxIcon icon, BoxOwner owner) {
    return MessageBoxRequest{text, caption, icon, BoxButtons::Ok, owner};
}

const MessageBoxRequest kSetSuccessful =
    Box("Set Succesful", "Information", BoxIcon::Information, BoxOwner::MainWindow);

// The agent's reply to a set request, as it reports its settings afterwards.
std::vector<uint8_t> SetReply(const AgentSettings& agent, uint16_t result = 0) {
    PacketHeader header = AgentHeader(agent, OpCode::UnicastSetReply, kType);
    header.resultCode = result;
    return Datagram(header, SettingsElements(agent));
}

TEST_F(SettingsCommands, TheButtonsCheckSelectionVersionAndLoaderMode) {
    AgentSettings loader = NumberedAgent(2);
    AgentSettings early = NumberedAgent(3);
    early.interfaceVersion = 3;
    DeviceRecord loaderRecord = StoredRecord(loader, kType);
    loaderRecord.loaderMark = kLoaderMark;
    h.WriteMonitorFile({loaderRecord, HandAddedRecord(0x0A4D0063)});
    Console& console = h.Start();
    h.Receive(Datagram(AgentHeader(loader, OpCode::LoaderModeReply, kType), {}), loader.ip,
              SocketId::Broadcast);
    h.Reply(early);
    AgentSettings discoveredLoader = NumberedAgent(4);
    h.Receive(Datagram(AgentHeader(discoveredLoader, OpCode::LoaderModeReply, kType), {}),
              discoveredLoader.ip, SocketId::Broadcast);
    h.network.ClearSent();  // the start-up poll

    struct Row {
        const char* name;
        ListId list;
        std::vector<int> rows;
        const char* message;
    } rows[] = {
        {"nothing selected", ListId::Monitor, {}, "Please select one device"},
        {"two monitor rows", ListId::Monitor, {0, 1}, "Only one device can be selected"},
        {"never answered", ListId::Monitor, {1}, "agent protocol version not support"},
        {"interface version 3", ListId::Discovery, {0}, "agent interface version not support"},
        {"monitored loader", ListId::Monitor, {0}, "Agent is in loader mode, it can't set"},
        {"discovered loader",
         ListId::Discovery,
         {1},
         "Agent is in loader mode, it can't set \n it needs firmware upgrade"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SelectOnly(console, row.list, row.rows);
        h.ui.ExpectError(row.message);
        console.OnConfigurationSetting();
        h.ui.ExpectError(row.message);
        console.OnPasswordChange();
    }
    EXPECT_TRUE(h.network.Sent().empty());
}

TEST_F(SettingsCommands, ARefusedFormStaysOpenAndACancelledDialogSendsNothing) {
    Console& console = StartWith(NumberedAgent(1), true);
    DialogFields noPassword = ConfigurationForm("sw", "lab", "10.77.0.2", "0", "1");
    noPassword[ControlId::ConfigPassword] = "";
    h.dialogs.Expect(DialogId::Configuration, {{ControlId::ConfigSet, noPassword}});
    h.ui.ExpectBox(Box("Password lengths between 1-20", "Error", BoxIcon::Error, BoxOwner::Dialog));
    console.OnConfigurationSetting();

    h.dialogs.Expect(DialogId::PasswordChange,
                     {{ControlId::PasswordSet, PasswordForm("old", "new", "New")}});
    h.ui.ExpectBox(Box("Confirm password fail", "Error", BoxIcon::Error, BoxOwner::Dialog));
    console.OnPasswordChange();

    EXPECT_EQ(h.dialogs.ButtonResults(), (std::vector<int>{-1, -1}));
    EXPECT_TRUE(h.dialogs.Opened().back().empty()) << "the password fields start empty";
    EXPECT_TRUE(h.network.Sent().empty());
    EXPECT_FALSE(console.PendingSetRequest().Waiting());
}

}  // namespace
}  // namespace vantelo::test

namespace vantelo::test {
namespace {

class SetConfirmationTest : public SettingsCommands {
protected:
    // The operator asks monitored agent 1 to move to newIp.
    Console& SendMove(const char* newIp) {
        Console& console = StartWith(NumberedAgent(1), true);
        h.dialogs.Expect(DialogId::Configuration,
                         {{ControlId::ConfigSet, ConfigurationForm("sw", "lab", newIp, "0", "1")}});
        console.OnConfigurationSetting();
        return console;
    }
};

TEST_F(SetConfirmationTest, TwoRepliesShowSetSuccessfulOnce) {
    Console& console = SendMove("10.77.0.2");
    h.ui.ExpectBox(kSetSuccessful);
    h.Receive(SetReply(NumberedAgent(1)), NumberedAgent(1).ip);
    h.Receive(SetReply(NumberedAgent(1)), NumberedAgent(1).ip);
    EXPECT_FALSE(console.PendingSetRequest().Waiting());
    EXPECT_EQ(console.Lists().MonitorCount(), 1);
}

TEST_F(SetConfirmationTest, AReplyFromTheNewAddressConfirmsByMac) {
    Console& console = SendMove("10.77.0.50");
    AgentSettings moved = NumberedAgent(1);
    moved.ip = 0x0A4D0032;
    moved.systemName = "renamed";
    h.ui.ExpectBox(kSetSuccessful);
    h.Receive(SetReply(moved), moved.ip);
    EXPECT_EQ(TextOf(console.MonitorTable()[0].ipText), "10.77.0.50");
    EXPECT_EQ(console.MonitorList().Text(0, 1), "10.77.0.50");
    EXPECT_EQ(TextOf(console.MonitorTable()[0].systemName), "renamed");
}

TEST_F(SetConfirmationTest, AnotherAgentConfirmsOnlyWithTheRequestedAddress) {
    Console& console = SendMove("10.77.0.50");
    AgentSettings other = NumberedAgent(7);
    h.Receive(SetReply(other), other.ip);
    EXPECT_TRUE(console.PendingSetRequest().Waiting());
    other.ip = 0x0A4D0032;
    h.ui.ExpectBox(kSetSuccessful);
    h.Receive(SetReply(other), other.ip);
    EXPECT_FALSE(console.PendingSetRequest().Waiting());
}

// A cleared pending set holds an empty MAC text and 0.0.0.0; a set reply reporting 0.0.0.0 must
// not count as its answer.
TEST_F(SetConfirmationTest, NothingIsConfirmedOnceTheRequestIsAnswered) {
    Console& console = SendMove("10.77.0.2");
    h.ui.ExpectBox(kSetSuccessful);
    h.Reply(NumberedAgent(1), OpCode::UnicastSetReply);
    AgentSettings unset = NumberedAgent(4);
    unset.ip = 0;
    h.Receive(SetReply(unset), NumberedAgent(4).ip);
    EXPECT_EQ(h.ui.Boxes().size(), 1u);
    EXPECT_FALSE(console.PendingSetRequest().Waiting());
}

TEST_F(SetConfirmationTest, OnlySetRepliesConfirm) {
    Console& console = SendMove("10.77.0.2");
    h.Reply(NumberedAgent(1), OpCode::DiscoveryReply);
    EXPECT_TRUE(console.PendingSetRequest().Waiting());
}

TEST_F(SetConfirmationTest, APasswordErrorShowsTheResultAndKeepsThePendingSet) {
    Console& console = SendMove("10.77.0.2");
    h.ui.ExpectError("Device return : password error");
    h.Receive(SetReply(NumberedAgent(1), kPasswordError), NumberedAgent(1).ip);
    EXPECT_TRUE(console.PendingSetRequest().Waiting());
    EXPECT_EQ(console.PendingSetRequest().TargetMac(), "020a1b000001");
    h.ui.ExpectBox(kSetSuccessful);
    h.Receive(SetReply(NumberedAgent(1)), NumberedAgent(1).ip);
}

TEST_F(SetConfirmationTest, ABroadcastReplyIsTakenOnceForItsSequence) {
    Console& console = StartWith(NumberedAgent(1), false);
    h.dialogs.Expect(DialogId::PasswordChange,
                     {{ControlId::PasswordSet, PasswordForm("old", "new", "new")}});
    console.OnPasswordChange();
    PacketHeader header = AgentHeader(NumberedAgent(1), OpCode::BroadcastSetReply, kType);
    header.sequence = console.Sockets().RequestSequence();
    std::vector<uint8_t> reply = Datagram(header, SettingsElements(NumberedAgent(1)));
    h.ui.ExpectBox(kSetSuccessful);
    h.Receive(reply, NumberedAgent(1).ip, SocketId::Broadcast);
    h.Receive(reply, NumberedAgent(1).ip, SocketId::Broadcast);
    EXPECT_EQ(h.ui.Boxes().size(), 1u);
}

TEST_F(SettingsCommands, SendErrorsHaveNoOwnerAndTheDialogClosesAnyway) {
    struct Row {
        bool monitored;
        bool passwordDialog;
        const char* message;
    } rows[] = {
        {true, false, "Unicast set send error"},
        {true, true, "unicast set send error"},
        {false, false, "UDP set send error"},
        {false, true, "UDP set send error"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        ConsoleHarness harness;
        Console& console = test::StartWith(harness, NumberedAgent(1), row.monitored);
        harness.network.FailSends(101);
        harness.ui.ExpectBox(Box(row.message, "Error", BoxIcon::Error, BoxOwner::None));
        if (row.passwordDialog) {
            harness.dialogs.Expect(DialogId::PasswordChange,
                                   {{ControlId::PasswordSet, PasswordForm("old", "new", "new")}});
            console.OnPasswordChange();
        } else {
            harness.dialogs.Expect(
                DialogId::Configuration,
                {{ControlId::ConfigSet, ConfigurationForm("sw", "lab", "10.77.0.2", "0", "1")}});
            console.OnConfigurationSetting();
        }
        EXPECT_EQ(harness.dialogs.ButtonResults(), std::vector<int>{0});
        EXPECT_TRUE(console.PendingSetRequest().Waiting());
    }
}

TEST_F(SettingsCommands, SendingCountsThePollBookkeeping) {
    // Loaded entries count as answered; agent 3 is discovered.
    h.WriteMonitorFile(
        {StoredRecord(NumberedAgent(1), kType), StoredRecord(NumberedAgent(2), kType)});
    Console& console = h.Start();
    // The start-up poll counted both; their answers leave them answered again.
    h.Reply(NumberedAgent(1));
    h.Reply(NumberedAgent(2));
    h.Reply(NumberedAgent(3));

    console.OnSelect(ListId::Monitor, 1, true);
    h.dialogs.Expect(DialogId::PasswordChange,
                     {{ControlId::PasswordSet, PasswordForm("old", "new", "new")}});
    console.OnPasswordChange();
    EXPECT_EQ(console.MonitorTable()[0].answered, 1) << "a unicast counts for its target only";
    EXPECT_EQ(console.MonitorTable()[1].answered, 0);
    EXPECT_EQ(console.MonitorTable()[1].missedPolls, 0);

    console.OnSelect(ListId::Discovery, 0, true);
    h.dialogs.Expect(DialogId::PasswordChange,
                     {{ControlId::PasswordSet, PasswordForm("old", "new", "new")}});
    console.OnPasswordChange();
    EXPECT_EQ(console.MonitorTable()[0].answered, 0);
    EXPECT_EQ(console.MonitorTable()[0].missedPolls, 0);
    EXPECT_EQ(console.MonitorTable()[1].missedPolls, 1);
}

TEST_F(SettingsCommands, TheDuplicateTestLooksOnlyAtTheRowsCountedAtThePress) {
    Console& console = StartWith(NumberedAgent(1), true);
    AgentSettings late = NumberedAgent(9);
    late.ip = 0x0A4D0032;
    h.dialogs.Expect(DialogId::Configuration,
                     {{ControlId::ConfigSet,
                       ConfigurationForm("sw", "lab", "10.77.0.50", "0", "1"),
                       {},
                       [this, late] { h.Reply(late); }}});
    console.OnConfigurationSetting();
    EXPECT_EQ(console.Lists().DiscoveryCount(), 1);
    EXPECT_EQ(h.network.Sent().size(), 1u);

    h.dialogs.Expect(
        DialogId::Configuration,
        {{ControlId::ConfigSet, ConfigurationForm("sw", "lab", "10.77.0.50", "0", "1")}});
    h.ui.ExpectBox(Box("The setting IP have already existed ", "Setting fail", BoxIcon::Error,
                       BoxOwner::Dialog));
    console.OnConfigurationSetting();
}

class WebAccess : public SettingsCommands {
protected:
    // Agents 1 and 2 monitored (agent 2 in loader mode), agent 3 discovered.
    Console& StartMonitoring() {
        DeviceRecord loader = StoredRecord(NumberedAgent(2), kType);
        loader.loaderMark = kLoaderMark;
        h.WriteMonitorFile({StoredRecord(NumberedAgent(1), kType), loader});
        Console& console = h.Start();
        h.Reply(NumberedAgent(3));
        return console;
    }
};

TEST_F(WebAccess, OpensTheSelectedMonitoredAgentsPage) {
    Console& console = StartMonitoring();
    console.OnSelect(ListId::Monitor, 0, true);
    console.OnWebAccess();
    console.OnMonitorDoubleClick();
    EXPECT_EQ(h.ui.OpenedUrls(),
              (std::vector<std::string>{"http://10.77.0.2/", "http://10.77.0.2/"}));
}

TEST_F(WebAccess, RefusesWithTheReasonAndOpensNothing) {
    Console& console = StartMonitoring();
    constexpr const char* kLoader =
        "Agent is in loader mode, it can't set \n it needs firmware upgrade";
    struct Row {
        const char* name;
        ListId list;
        std::vector<int> rows;
        const char* buttonMessage;
        const char* doubleClickMessage;  // nullptr: no box
    } rows[] = {
        {"a discovery row",
         ListId::Discovery,
         {0},
         "Only the devices in the monitor list can entry the web",
         "Please select one device in the monitor list"},
        {"nothing",
         ListId::Monitor,
         {},
         "Please select one device in the monitor list",
         "Please select one device in the monitor list"},
        {"two rows",
         ListId::Monitor,
         {0, 1},
         "Only one device can be selected",
         "Only one device can be selected"},
        {"loader mode", ListId::Monitor, {1}, kLoader, kLoader},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SelectOnly(console, row.list, row.rows);
        h.ui.ExpectError(row.buttonMessage);
        console.OnWebAccess();
        h.ui.ExpectError(row.doubleClickMessage);
        console.OnMonitorDoubleClick();
    }
    EXPECT_TRUE(h.ui.OpenedUrls().empty());
}

TEST_F(WebAccess, AFailedLaunchIsToldOncePerAttempt) {
    Console& console = StartMonitoring();
    h.ui.openUrlResult = -1;
    console.OnSelect(ListId::Monitor, 0, true);
    h.ui.ExpectError("Browser web fail");
    console.OnWebAccess();
    h.ui.ExpectError("Browser web fail");
    console.OnMonitorDoubleClick();
    EXPECT_EQ(h.ui.OpenedUrls().size(), 2u);
}

}  // namespace
}  // namespace vantelo::test
