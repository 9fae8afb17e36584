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
protected:
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

}  // namespace
}  // namespace vantelo::test
