#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "protocol/PacketHeader.h"
#include "support/ConsoleHarness.h"
#include "transport/Interfaces.h"

namespace vantelo::test {
namespace {

const NetworkInterface kFirst{2, "eth0", 0x0A4D0001, 0xFFFF0000};   // 10.77.0.1/16
const NetworkInterface kSecond{3, "eth1", 0x0A4E0001, 0xFFFF0000};  // 10.78.0.1/16
constexpr int kLoopbackIndex = 1;

// The workstation's interfaces, as the test sets them.
class FixedInterfaces final : public NetworkInterfaces {
public:
    std::vector<NetworkInterface> Usable() override { return usable; }
    std::vector<NetworkInterface> usable{kFirst, kSecond};
};

std::vector<std::string> Names(const std::vector<NetworkInterface>& interfaces) {
    std::vector<std::string> names;
    for (const NetworkInterface& i : interfaces) {
        names.push_back(i.name);
    }
    return names;
}

std::vector<uint8_t> DiscoveryRequest() {
    std::array<uint8_t, kHeaderSize> bytes{};
    BuildRequestHeader(bytes, OpCode::DiscoveryRequest, ConsoleHarness::kDeviceTypeId);
    return {bytes.begin(), bytes.end()};
}

const auto kNobodyListed = [](const std::string&) { return false; };

TEST(Interfaces, BroadcastsToAllGoOutOfTheChosenOneWhileItIsUsable) {
    struct Case {
        const char* name;
        std::vector<NetworkInterface> usable;
        std::string chosen;
        std::vector<std::string> expected;
    } cases[] = {
        {"all by default", {kFirst, kSecond}, "", {"eth0", "eth1"}},
        {"the chosen one", {kFirst, kSecond}, "eth1", {"eth1"}},
        {"the chosen one is gone: the others", {kFirst}, "eth1", {"eth0"}},
        {"none is up", {}, "", {}},
        {"none is up, one chosen", {}, "eth1", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixedInterfaces port;
        port.usable = c.usable;
        Interfaces routes(&port);
        routes.Choose(c.chosen);
        EXPECT_EQ(Names(routes.ForAll()), c.expected);
    }
}

TEST(Interfaces, WithoutAListTheRoutingTableChooses) {
    Interfaces routes(nullptr);
    std::vector<NetworkInterface> all = routes.ForAll();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].index, 0);
    routes.RecordArrival("020000000001", 7, 0x0A4D0101, kNobodyListed);
    EXPECT_EQ(routes.RememberedAgents(), 0u);
}

// A request for one agent never leaves out of every interface once the agent has answered.
TEST(Interfaces, RequestsToOneAgentLeaveOnlyWhereItAnswered) {
    FixedInterfaces port;
    Interfaces routes(&port);
    routes.Usable();
    routes.RecordArrival("020000000001", kSecond.index, 0x0A4E0101, kNobodyListed);
    // On this host: it came over loopback; its address tells its interface.
    routes.RecordArrival("020000000002", kLoopbackIndex, 0x0A4D0102, kNobodyListed);
    // Over an interface that is not in the list, from an address of no subnet: not recorded.
    routes.RecordArrival("020000000003", 9, 0x0A630101, kNobodyListed);
    routes.Choose("eth0");

    EXPECT_EQ(Names(routes.ForAgent("020000000001")), std::vector<std::string>{"eth1"});
    EXPECT_EQ(Names(routes.ForAgent("020000000002")), std::vector<std::string>{"eth0"});
    EXPECT_EQ(Names(routes.ForAgent("020000000003")), std::vector<std::string>{"eth0"});
    EXPECT_EQ(Names(routes.ForAddress(0x0A4E0909)), std::vector<std::string>{"eth1"});
    EXPECT_EQ(Names(routes.ForAddress(0x0A630101)), std::vector<std::string>{"eth0"});
    // Its interface is gone: nothing goes out rather than out of the others.
    port.usable = {kFirst};
    EXPECT_TRUE(routes.ForAgent("020000000001").empty());
    ASSERT_TRUE(routes.OfAgent("020000000001", 0).has_value());
    EXPECT_EQ(routes.OfAgent("020000000001", 0)->address, kSecond.address);
    EXPECT_EQ(routes.OfAgent("", 0x0A4D0505)->name, "eth0");
    EXPECT_FALSE(routes.OfAgent("", 0x0A630101).has_value());
}

// Any host may answer with any MAC address: the memory stays bounded and keeps listed agents.
TEST(Interfaces, AFloodOfInventedAgentsNeverPushesOutAListedOne) {
    FixedInterfaces port;
    Interfaces routes(&port);
    routes.Usable();
    const std::string listed = "02000000ffff";
    auto onlyListed = [&listed](const std::string& mac) { return mac == listed; };
    routes.RecordArrival(listed, kSecond.index, 0x0A4E0101, onlyListed);
    for (int n = 0; n < 5000; ++n) {
        routes.RecordArrival("f" + std::to_string(100000 + n), kFirst.index, 0x0A4D0101,
                             onlyListed);
        ASSERT_LE(routes.RememberedAgents(), Interfaces::kMaxAgents);
    }
    EXPECT_EQ(Names(routes.ForAgent(listed)), std::vector<std::string>{"eth1"});
}

class ConsoleInterfaces : public ::testing::Test {
public:
    ConsoleInterfaces() { h.interfaces = &port; }

    FixedInterfaces port;
    ConsoleHarness h;
};

// The same request once out of each interface, from the broadcast socket.
TEST_F(ConsoleInterfaces, DiscoveryGoesOutOfEveryUsableInterfaceOnce) {
    Console& console = h.Start();
    h.network.ClearSent();
    console.OnDiscovery();
    ASSERT_EQ(h.network.Sent().size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        const SentDatagram& sent = h.network.Sent()[k];
        EXPECT_EQ(sent.bytes, DiscoveryRequest());
        EXPECT_EQ(sent.from.port, ConsoleHarness::kBasePort);
        EXPECT_EQ(sent.to.address, kBroadcastAddress);
        EXPECT_EQ(sent.to.port, ConsoleHarness::kAgentPort);
        EXPECT_EQ(sent.interfaceIndex, port.usable[k].index);
    }
    h.network.ClearSent();
    console.ChooseInterface("eth1");
    console.OnDiscovery();
    ASSERT_EQ(h.network.Sent().size(), 1u);
    EXPECT_EQ(h.network.Sent()[0].interfaceIndex, kSecond.index);
}

TEST_F(ConsoleInterfaces, NoUsableInterfaceIsOneBoxAndChangesNothing) {
    port.usable.clear();
    Console& console = h.Start();
    h.Reply(NumberedAgent(1));
    ASSERT_EQ(console.DiscoveryList().RowCount(), 1);
    h.network.ClearSent();
    h.ui.ExpectError("No network interface is up");
    console.OnDiscovery();
    EXPECT_TRUE(h.ui.AllShown());
    EXPECT_TRUE(h.network.Sent().empty());
    EXPECT_EQ(console.DiscoveryList().RowCount(), 1);
}

TEST_F(ConsoleInterfaces, EachReplyRecordsTheInterfaceItArrivedOn) {
    Console& console = h.Start();
    AgentSettings agent = NumberedAgent(1);
    h.network.Queue(ConsoleHarness::kBasePort, Endpoint{agent.ip, ConsoleHarness::kAgentPort},
                    SettingsReply(agent, OpCode::DiscoveryReply, ConsoleHarness::kDeviceTypeId),
                    kSecond.index);
    h.network.Deliver();
    ASSERT_EQ(console.DiscoveryList().RowCount(), 1);
    std::optional<NetworkInterface> found = console.InterfaceOf(console.DiscoveryTable()[0]);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->name, "eth1");
    EXPECT_EQ(found->address, kSecond.address);
}

// With one usable interface a discovery is the datagram the console sent before it knew of
// interfaces: the same bytes, from the same port, to the same address.
TEST(ConsoleOneInterface, DiscoveryIsTheSameDatagramAsWithoutInterfaces) {
    auto discoveryOf = [](NetworkInterfaces* interfaces) {
        ConsoleHarness rig;
        rig.interfaces = interfaces;
        Console& console = rig.Start();
        rig.network.ClearSent();
        console.OnDiscovery();
        return rig.network.Sent();
    };
    FixedInterfaces one;
    one.usable = {kFirst};
    const std::vector<SentDatagram> before = discoveryOf(nullptr);
    const std::vector<SentDatagram> now = discoveryOf(&one);
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].bytes, before[0].bytes);
    EXPECT_EQ(now[0].from.port, before[0].from.port);
    EXPECT_EQ(now[0].to.address, before[0].to.address);
    EXPECT_EQ(now[0].to.port, before[0].to.port);
    EXPECT_EQ(now[0].interfaceIndex, kFirst.index);
}

// An agent behind the second interface, discovered there and selected; eth0 is the one chosen
// for discoveries, so that a request that followed the choice would be seen.
class OneAgentBehindTheSecond : public ConsoleInterfaces {
public:
    OneAgentBehindTheSecond() {
        agent.ip = 0x0A4E0102;  // 10.78.1.2
        h.addresses.addresses = {{kFirst.address, kFirst.mask}, {kSecond.address, kSecond.mask}};
        image = h.dir.File("image.hex");
        h.memory.Write(image, std::vector<uint8_t>(1300, 0x5A));
    }

    Console& StartWithTheAgentSelected() {
        Console& console = h.Start();
        console.OnDiscovery();
        h.network.Queue(ConsoleHarness::kBasePort, Endpoint{agent.ip, ConsoleHarness::kAgentPort},
                        SettingsReply(agent, OpCode::DiscoveryReply, ConsoleHarness::kDeviceTypeId),
                        kSecond.index);
        h.network.Deliver();
        console.ChooseInterface("eth0");
        console.OnSelect(ListId::Discovery, 0, true);
        h.network.ClearSent();
        return console;
    }

    AgentSettings agent = NumberedAgent(1);
    std::string image;
};

// A console of its own for each case of a table.
struct FreshRig : OneAgentBehindTheSecond {
    void TestBody() override {}
};

// Set requests carry the password in clear: they, and the upgrade trigger, leave out of the
// agent's own interface and no other.
TEST_F(OneAgentBehindTheSecond, EveryBroadcastToItLeavesOnlyOutOfItsInterface) {
    struct Case {
        const char* name;
        DialogId dialog;
        ScriptedPress press;
        void (Console::*command)();
    };
    const Case cases[] = {
        {"password change",
         DialogId::PasswordChange,
         {ControlId::PasswordSet,
          {{ControlId::OriginalPassword, "old"},
           {ControlId::NewPassword, "new"},
           {ControlId::ConfirmPassword, "new"}}},
         &Console::OnPasswordChange},
        {"configuration",
         DialogId::Configuration,
         {ControlId::ConfigSet,
          {{ControlId::ConfigProductName, "VS-24P"},
           {ControlId::ConfigMacAddress, "020a1b000001"},
           {ControlId::ConfigIpAddress, "10.78.1.2"},
           {ControlId::ConfigSubnetMask, "255.255.0.0"},
           {ControlId::ConfigGateway, "10.78.0.254"},
           {ControlId::ConfigTrapIp, "10.78.0.1"},
           {ControlId::ConfigSystemName, "sw"},
           {ControlId::ConfigLocation, "lab"},
           {ControlId::ConfigPassword, "pw"}}},
         &Console::OnConfigurationSetting},
        {"upgrade trigger",
         DialogId::FirmwareUpgrade,
         {ControlId::UpgradeStart,
          {{ControlId::UpgradePassword, "secret"}, {ControlId::UpgradeFirmwarePath, ""}}},
         &Console::OnFirmwareUpgrade},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshRig rig;
        Console& console = rig.StartWithTheAgentSelected();
        ScriptedPress press = c.press;
        if (press.fields.count(ControlId::UpgradeFirmwarePath) != 0) {
            press.fields[ControlId::UpgradeFirmwarePath] = rig.image;
        }
        rig.h.dialogs.Expect(c.dialog, {press});
        (console.*c.command)();
        ASSERT_EQ(rig.h.network.Sent().size(), 1u);
        const SentDatagram& sent = rig.h.network.Sent()[0];
        EXPECT_EQ(sent.to.address, kBroadcastAddress);
        EXPECT_EQ(sent.interfaceIndex, kSecond.index);
    }
}

// Its interface went away: the request goes nowhere rather than out of every other interface.
TEST_F(OneAgentBehindTheSecond, ItsInterfaceGoneTheSetRequestIsNotSentAtAll) {
    Console& console = StartWithTheAgentSelected();
    port.usable = {kFirst};
    h.dialogs.Expect(DialogId::PasswordChange, {{ControlId::PasswordSet,
                                                 {{ControlId::OriginalPassword, "old"},
                                                  {ControlId::NewPassword, "new"},
                                                  {ControlId::ConfirmPassword, "new"}}}});
    h.ui.ExpectBox(MessageBoxRequest{"UDP set send error", "Error", BoxIcon::Error, BoxButtons::Ok,
                                     BoxOwner::None});
    console.OnPasswordChange();
    EXPECT_TRUE(h.ui.AllShown());
    EXPECT_TRUE(h.network.Sent().empty());
}

// The command-line tool's search for its target goes out of the interface of the target's
// subnet; an address of no subnet of the workstation is searched for everywhere.
TEST_F(ConsoleInterfaces, ASearchForOneAddressGoesOutOfItsSubnetsInterface) {
    struct Case {
        const char* name;
        uint32_t address;
        std::vector<int> expected;
    } cases[] = {
        {"on the second", 0x0A4E0102, {kSecond.index}},
        {"on the first", 0x0A4D0909, {kFirst.index}},
        {"on neither", 0xC0A83201, {kFirst.index, kSecond.index}},
    };
    Console& console = h.Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.network.ClearSent();
        console.OnDiscoveryOf(c.address);
        std::vector<int> indexes;
        for (const SentDatagram& sent : h.network.Sent()) {
            indexes.push_back(sent.interfaceIndex);
        }
        EXPECT_EQ(indexes, c.expected);
    }
}

}  // namespace
}  // namespace vantelo::test
