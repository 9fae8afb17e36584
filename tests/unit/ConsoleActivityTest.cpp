#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/ConsoleActivity.h"
#include "support/ConsoleHarness.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

// Every call of the watcher as one line of text.
class RecordingActivity final : public ConsoleActivity {
public:
    void AgentAnswered(std::string_view ipText) override { Add("answered ", ipText); }
    void TrapAccepted(std::string_view ipText) override { Add("trap ", ipText); }
    void PollRoundStarted() override { calls.push_back("round"); }
    void PollRoundEnded() override { calls.back().append(" ended"); }
    void LogLineWritten(const LogEvent& event) override {
        const char* kinds[] = {"log trap", "log not-alive", "log upgrade-failed"};
        calls.push_back(std::string(kinds[static_cast<int>(event.kind)]) + " " +
                        std::string(event.ipText) + " " + std::string(event.macText) + " [" +
                        std::string(event.text) + "]");
    }

    std::vector<std::string> Take() { return std::exchange(calls, {}); }

    std::vector<std::string> calls;

private:
    void Add(const char* what, std::string_view ip) { calls.push_back(what + std::string(ip)); }
};

// Agent 1 (10.77.0.2) is monitored, agent 2 (10.77.0.3) only discovered.
class Activity : public ::testing::Test {
protected:
    Console& Start() {
        h.WriteMonitorFile({StoredRecord(monitored, kType)});
        Console& console = h.Start();
        console.TellActivity(activity);
        return console;
    }

    ConsoleHarness h;
    RecordingActivity activity;
    AgentSettings monitored = NumberedAgent(1);
    AgentSettings discovered = NumberedAgent(2);
};

struct DropCase {
    const char* name;
    std::vector<uint8_t> (*datagram)(const AgentSettings& agent);
    IdentityDrops drops;
    uint64_t oversize;
};

std::vector<uint8_t> WithHeader(const AgentSettings& agent, void (*edit)(PacketHeader&)) {
    PacketHeader header = AgentHeader(agent, OpCode::BroadcastSetReply, kType);
    edit(header);
    return Datagram(header, SettingsElements(agent));
}

const DropCase kDropCases[] = {
    {"Stored", [](const AgentSettings& a) { return WithHeader(a, [](PacketHeader&) {}); }, {}, 0},
    {"WrongDeviceType",
     [](const AgentSettings& a) {
         return WithHeader(a, [](PacketHeader& h) { h.deviceTypeId = kType + 1; });
     },
     {1, 0, 0},
     0},
    {"Request",
     [](const AgentSettings& a) {
         return WithHeader(a, [](PacketHeader& h) { h.direction = kDirectionRequest; });
     },
     {0, 1, 0},
     0},
    {"StaleSequence",
     [](const AgentSettings& a) { return WithHeader(a, [](PacketHeader& h) { h.sequence = 7; }); },
     {0, 0, 1},
     0},
    {"Oversize",
     [](const AgentSettings& a) {
         std::vector<uint8_t> bytes = WithHeader(a, [](PacketHeader&) {});
         bytes.resize(kMaxDatagram + 1);
         return bytes;
     },
     {},
     1},
};

TEST_F(Activity, EachDroppedDatagramIsCountedByTheCheckItFailed) {
    for (const DropCase& c : kDropCases) {
        SCOPED_TRACE(c.name);
        ConsoleHarness fresh;
        Console& console = fresh.Start();
        fresh.Receive(c.datagram(discovered), discovered.ip);
        EXPECT_EQ(console.IdentityDropped().wrongDeviceType, c.drops.wrongDeviceType);
        EXPECT_EQ(console.IdentityDropped().wrongDirection, c.drops.wrongDirection);
        EXPECT_EQ(console.IdentityDropped().staleSequence, c.drops.staleSequence);
        EXPECT_EQ(console.OversizeDropped(), c.oversize);
        bool dropped =
            c.drops.wrongDeviceType + c.drops.wrongDirection + c.drops.staleSequence + c.oversize !=
            0;
        EXPECT_EQ(console.DiscoveryList().RowCount(), dropped ? 0 : 1);
    }
}

TEST_F(Activity, RepliesOfMonitoredAgentsAndTheirTrapsAreTold) {
    Start();
    h.Reply(discovered);
    EXPECT_EQ(activity.Take(), std::vector<std::string>{}) << "a discovered agent is not watched";
    h.Reply(monitored);
    h.Receive(TrapDatagram(monitored, monitored.ip, "fan \"1\"", kType), discovered.ip);
    // A trap naming an agent that is not monitored leaves no trace here either.
    h.Receive(TrapDatagram(discovered, discovered.ip, "ignored", kType), discovered.ip);
    EXPECT_EQ(activity.Take(),
              (std::vector<std::string>{"answered 10.77.0.2", "trap 10.77.0.2",
                                        "log trap 10.77.0.2 020a1b000001 [Trap :fan \"1\"]"}));
}

TEST_F(Activity, RoundsAreCountedAndASilentAgentsLogLinesAreToldAsTheyAreWritten) {
    Console& console = Start();
    EXPECT_EQ(console.PollRoundsRun(), 1u) << "the round of the start-up";
    // Nothing answers: after its misses and resends the agent is declared not alive, and each
    // pass that writes its line tells it; the rounds go on every 15 s meanwhile.
    h.clock.Advance(35000);
    EXPECT_EQ(console.PollRoundsRun(), 3u);
    const std::string line = "log not-alive 10.77.0.2 020a1b000001 [Not alive]";
    EXPECT_EQ(activity.Take(),
              (std::vector<std::string>{"round ended", line, line, "round ended", line}));
}

}  // namespace
}  // namespace vantelo::test
