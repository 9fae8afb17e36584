#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

#include "persistence/DefinitionWriter.h"
#include "protocol/PacketHeader.h"
#include "support/ConsoleHarness.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kAgentIp = 0x0A4D0002;

TEST(ConsoleStartup, ReadsTheDefinitionFileAndOpensBothSockets) {
    ConsoleHarness h;
    Console& console = h.Start();
    EXPECT_EQ(console.Sockets().DeviceTypeId(), ConsoleHarness::kDeviceTypeId);
    EXPECT_EQ(console.Sockets().BasePort(), ConsoleHarness::kBasePort);
    EXPECT_EQ(console.PollIntervalSeconds(), 15);
    EXPECT_TRUE(h.network.IsBound(8000));
    EXPECT_TRUE(h.network.IsBound(8001));
    EXPECT_TRUE(h.ui.Boxes().empty());
}

TEST(ConsoleStartup, BadDefinitionFileShowsBothBoxesAndStillLoadsTheMonitorList) {
    std::vector<uint8_t> good = BuildDefinitionFile(ConsoleHarness::kDeviceTypeId, 8000);
    std::vector<uint8_t> checksumOff = good;
    checksumOff[3] += 1;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        bool present;
    } cases[] = {
        {"missing", {}, false},
        {"checksum off by one", checksumOff, true},
        {"three bytes", {'=', '1', 0xFB}, true},
        {"257 bytes", std::vector<uint8_t>(257, ' '), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleHarness h;
        if (c.present) {
            h.memory.Write(h.dir.File("define.ecf"), c.bytes);
        } else {
            h.memory.Remove(h.dir.File("define.ecf"));
        }
        h.WriteMonitorFile({HandAddedRecord(kAgentIp)});
        h.ui.ExpectError("define.ecf checksum error", "file error");
        h.ui.ExpectError("It will cause the application fail\n ");
        Console& console = h.Start();
        EXPECT_EQ(console.Sockets().DeviceTypeId(), 0u);
        EXPECT_EQ(console.Sockets().BasePort(), 0);
        EXPECT_TRUE(h.network.IsBound(0));
        EXPECT_TRUE(h.network.IsBound(1));
        EXPECT_EQ(console.MonitorList().RowCount(), 1);
        EXPECT_EQ(console.MonitorList().Text(0, 1), "10.77.0.2");
    }
}

TEST(ConsoleStartup, SocketFailuresAreReportedAndThatSocketStaysClosed) {
    struct Case {
        uint16_t port;
        SocketOpenResult result;
        const char* message;
    } cases[] = {
        {8000, SocketOpenResult::CreateFailed, "Creat Socket error"},
        {8001, SocketOpenResult::BindFailed, "Bind socket error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ConsoleHarness h;
        h.network.FailOpen(c.port, c.result);
        h.ui.ExpectError(c.message);
        h.Start();
        EXPECT_FALSE(h.network.IsBound(c.port));
        EXPECT_TRUE(h.network.IsBound(c.port == 8000 ? 8001 : 8000));
    }
}

TEST(ConsoleStartup, ShutdownClosesBothSocketsOnce) {
    ConsoleHarness h;
    Console& console = h.Start();
    console.Shutdown();
    console.Shutdown();
    EXPECT_EQ(h.network.CloseCalls(), 2);
    EXPECT_FALSE(h.network.IsBound(8000));
    EXPECT_FALSE(h.network.IsBound(8001));
    h.Reply(NumberedAgent(1));
    EXPECT_EQ(console.DiscoveryList().RowCount(), 0);
}

class Discovery : public ::testing::Test {
protected:
    std::vector<uint8_t> DiscoveryRequest() {
        std::array<uint8_t, kHeaderSize> bytes{};
        BuildRequestHeader(bytes, OpCode::DiscoveryRequest, ConsoleHarness::kDeviceTypeId);
        return {bytes.begin(), bytes.end()};
    }

    ConsoleHarness h;
};

TEST_F(Discovery, BroadcastsOneRequestAfterEmptyingTheListAndCountingAPollRound) {
    DeviceRecord monitored = StoredRecord(NumberedAgent(100), ConsoleHarness::kDeviceTypeId);
    DeviceRecord handAdded = HandAddedRecord(0x0A4D0A0A);
    h.WriteMonitorFile({monitored, handAdded});
    Console& console = h.Start();
    // The start-up round polled both; the first answers, the second does not.
    h.network.ClearSent();
    h.Reply(NumberedAgent(100));
    h.Reply(NumberedAgent(1));
    ASSERT_EQ(console.DiscoveryList().RowCount(), 1);

    console.OnDiscovery();
    ASSERT_EQ(h.network.Sent().size(), 1u);
    const SentDatagram& sent = h.network.Sent()[0];
    EXPECT_EQ(sent.bytes, DiscoveryRequest());
    EXPECT_EQ(sent.from.port, 8000);
    EXPECT_EQ(sent.to.address, kBroadcastAddress);
    EXPECT_EQ(sent.to.port, 8002);
    EXPECT_EQ(console.DiscoveryList().RowCount(), 0);
    EXPECT_EQ(console.DiscoveryTable()[0].ipText[0], '\0');
    // The agent had answered: the round clears it; the second round counts a miss.
    EXPECT_EQ(console.MonitorTable()[0].answered, 0);
    EXPECT_EQ(console.MonitorTable()[0].missedPolls, 0);
    // Loaded as answered, the silent one lost its flag to the start-up poll: every round counts.
    EXPECT_EQ(console.MonitorTable()[1].missedPolls, 1);
    console.OnDiscovery();
    EXPECT_EQ(console.MonitorTable()[0].missedPolls, 1);
    EXPECT_EQ(console.MonitorTable()[1].missedPolls, 2);
}

TEST_F(Discovery, AnswersFillTheListAndRefreshMonitoredAgents) {
    AgentSettings monitoredAgent = NumberedAgent(7);
    DeviceRecord monitored = StoredRecord(monitoredAgent, ConsoleHarness::kDeviceTypeId);
    monitored.statusImage = kNotAliveImage;
    h.WriteMonitorFile({monitored});
    // Started before the agents exist, so that the start-up poll goes unanswered.
    Console& console = h.Start();
    std::vector<std::unique_ptr<SimulatedAgent>> agents;
    for (int n : {1, 2, 3, 7}) {
        agents.push_back(std::make_unique<SimulatedAgent>(
            NumberedAgent(n), ConsoleHarness::kDeviceTypeId, ConsoleHarness::kAgentPort));
        h.network.AddAgent(agents.back().get());
    }
    agents[1]->loaderMode = true;
    agents[2]->settings.dhcp = 1;

    console.OnDiscovery();
    EXPECT_EQ(h.network.Deliver(), 4);
    const ListModel& list = console.DiscoveryList();
    ASSERT_EQ(list.RowCount(), 3);
    std::vector<std::string> first;
    for (int column = 0; column < kDiscoveryColumns; ++column) {
        first.push_back(list.Text(0, column));
    }
    EXPECT_EQ(first, (std::vector<std::string>{"020a1b000001", "10.77.0.2", "2.001.002", "VS-24P",
                                               "sw1", "disable", "lab", "10.77.0.1", "255.255.0.0",
                                               "10.77.0.254"}));
    EXPECT_EQ(list.Text(1, 0), "020a1b000002");
    EXPECT_EQ(list.Text(1, 2), "2.001.002");
    EXPECT_EQ(list.Text(1, 3), "");
    EXPECT_EQ(console.DiscoveryTable()[1].loaderMark, kLoaderMark);
    EXPECT_EQ(list.Text(2, 5), "enable");
    EXPECT_EQ(console.MonitorTable()[0].statusImage, kNoImage);
    EXPECT_EQ(console.MonitorList().Image(0), kNoImage);
}

TEST_F(Discovery, FailuresAreReported) {
    Console& console = h.Start();
    h.Reply(NumberedAgent(1));

    h.network.FailBroadcastOption(true);
    h.ui.ExpectError("Set socketopt error");
    console.OnDiscovery();
    EXPECT_EQ(console.DiscoveryList().RowCount(), 1);
    EXPECT_TRUE(h.network.Sent().empty());

    h.network.FailBroadcastOption(false);
    h.network.FailSends(ENETUNREACH);
    h.ui.ExpectError("Discovery sento fail");
    console.OnDiscovery();
    EXPECT_EQ(console.DiscoveryList().RowCount(), 0);
    EXPECT_EQ(console.DiscoveryTable()[0].macText[0], '\0');
}

}  // namespace
}  // namespace vantelo::test
