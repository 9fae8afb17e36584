#include <gtest/gtest.h>

#include <string>

#include "cli/ActivityRecorder.h"
#include "support/ConsoleHarness.h"

namespace vantelo::cli {
namespace {

using test::ConsoleHarness;
using test::NumberedAgent;

TEST(ActivityRecorder, KeepsWhatTheMetricsShowOfEachMonitoredAgent) {
    ConsoleHarness h;
    h.WriteMonitorFile({test::StoredRecord(NumberedAgent(1), ConsoleHarness::kDeviceTypeId),
                        test::StoredRecord(NumberedAgent(2), ConsoleHarness::kDeviceTypeId)});
    Console& console = h.Start();
    std::vector<LogKind> forwarded;
    ActivityRecorder recorder(console,
                              [&](const LogEvent& event) { forwarded.push_back(event.kind); });
    console.TellActivity(recorder);
    h.Reply(NumberedAgent(1));
    h.Receive(test::TrapDatagram(NumberedAgent(2), NumberedAgent(2).ip, "one",
                                 ConsoleHarness::kDeviceTypeId),
              NumberedAgent(2).ip);
    h.Receive(test::TrapDatagram(NumberedAgent(2), NumberedAgent(2).ip, "two",
                                 ConsoleHarness::kDeviceTypeId),
              NumberedAgent(2).ip);

    ConsoleMetrics metrics = recorder.Collect("1.03");
    ASSERT_EQ(metrics.agents.size(), 2u);
    const AgentMetrics& first = metrics.agents[0];
    EXPECT_EQ(first.mac, "020a1b000001");
    EXPECT_EQ(first.ip, "10.77.0.2");
    EXPECT_EQ(first.name, "sw1");
    EXPECT_EQ(first.interfaceName, "");
    EXPECT_TRUE(first.up);
    EXPECT_TRUE(first.lastReplySeconds.has_value());
    EXPECT_EQ(first.traps, 0u);
    EXPECT_FALSE(metrics.agents[1].lastReplySeconds.has_value()) << "a trap is no reply";
    EXPECT_EQ(metrics.agents[1].traps, 2u);
    EXPECT_EQ(metrics.pollRounds, 1u);
    EXPECT_EQ(metrics.version, "1.03");
    EXPECT_EQ(forwarded, (std::vector<LogKind>{LogKind::Trap, LogKind::Trap}));
}

TEST(ActivityRecorder, AddressesNoLongerMonitoredAreForgottenBeforeTheyPileUp) {
    ConsoleHarness h;
    h.WriteMonitorFile({test::StoredRecord(NumberedAgent(1), ConsoleHarness::kDeviceTypeId)});
    Console& console = h.Start();
    ActivityRecorder recorder(console);
    recorder.TrapAccepted("10.77.0.2");
    // A host that answers for the agent's MAC from ever new addresses.
    for (int n = 0; n < 5000; ++n) {
        recorder.AgentAnswered("10.99." + std::to_string(n / 250) + "." + std::to_string(n % 250));
        ASSERT_LE(recorder.KeptAgents(), 2u * kTableSlots);
    }
    ConsoleMetrics metrics = recorder.Collect("1.03");
    ASSERT_EQ(metrics.agents.size(), 1u);
    EXPECT_EQ(metrics.agents[0].traps, 1u) << "the monitored agent's count is kept";
}

}  // namespace
}  // namespace vantelo::cli
