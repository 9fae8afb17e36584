#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/ConsoleHarness.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
constexpr int kStepMs = 5000;

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// One monitored agent on a console over virtual time, watched tick by tick.
class WatchedAgent {
public:
    WatchedAgent() : agent(NumberedAgent(1), kType, ConsoleHarness::kAgentPort) {
        h.network.AddAgent(&agent);
    }

    std::string Log() const {
        std::vector<uint8_t> bytes = h.memory.Read(h.dir.File("syslog.log"));
        return std::string(bytes.begin(), bytes.end());
    }

    // What reached the agent and the log since the last look: one 's' per datagram sent to the
    // agent, one 'L' per not-alive line.
    std::string Look() {
        std::string seen;
        for (const SentDatagram& sent : h.network.Sent()) {
            if (sent.to.address == agent.settings.ip) {
                seen += 's';
            }
        }
        h.network.ClearSent();
        int lines = CountOf(Log(), " Not alive \r\n");
        seen.append(static_cast<size_t>(lines - linesSeen), 'L');
        linesSeen = lines;
        return seen;
    }

    const DeviceRecord& Slot() const { return h.console->MonitorTable()[0]; }

    ConsoleHarness h;
    SimulatedAgent agent;
    int linesSeen = 0;
};

class Liveness : public ::testing::Test, protected WatchedAgent {
protected:
    void TearDown() override {
        if (h.console) {
            EXPECT_EQ(TableListMismatch(*h.console), "");
        }
    }
};

enum class Entry { Loaded, AddedByHand };
enum class Event { Silence, Answer, Trap, DiscoveryTwice };

struct Scheduled {
    int afterStep;  // happens just after the tick at afterStep * 5 s
    Event event;
};

struct LivenessCase {
    const char* name;
    Entry entry;
    std::vector<Scheduled> events;
    // What the agent and the log got at start-up (step 0) and at every 5 s step after it.
    std::vector<std::string> steps;
    int32_t imageAtEnd;
    // What the view was told, once a change, however often the log names the agent.
    std::vector<std::string> told;
};

// Polls go out at start-up and every 15 s; the liveness pass runs every 5 s. When a poll and a
// pass fall due together, the earlier started timer runs first.
const LivenessCase kCases[] = {
    // The pass at 15 s runs after the poll and before the answer arrives.
    {"AnswersEveryPoll",
     Entry::Loaded,
     {},
     {"s", "", "", "s", "", "", "s", "", "", "s", "", "", "s"},
     kNoImage,
     {}},
    {"FallsSilentAfterAnswering",
     Entry::Loaded,
     {{0, Event::Silence}},
     {"s", "", "", "s", "", "", "s", "s", "s", "sL", "L", "L", "sL", "L", "L", "sL"},
     kNotAliveImage,
     {"not alive 10.77.0.2"}},
    {"AddedByHandWhereNothingAnswers",
     Entry::AddedByHand,
     {{0, Event::Silence}},
     {"", "", "", "ss", "s", "L", "sL", "L", "L", "sL"},
     kNotAliveImage,
     {"not alive 10.77.0.2"}},
    {"RevivedByAReply",
     Entry::Loaded,
     {{0, Event::Silence}, {12, Event::Answer}},
     {"s", "", "", "s", "", "", "s", "s", "s", "sL", "L", "L", "sL", "L", "L", "sL", "", "", "s"},
     kNoImage,
     {"not alive 10.77.0.2", "alive 10.77.0.2"}},
    {"RevivedByATrap",
     Entry::Loaded,
     {{0, Event::Silence}, {12, Event::Trap}},
     {"s", "",   "", "s", "",  "", "s", "s", "s", "sL", "L",
      "L", "sL", "", "",  "s", "", "",  "s", "s", "s",  "sL"},
     kNotAliveImage,
     {"not alive 10.77.0.2", "alive 10.77.0.2", "not alive 10.77.0.2"}},
    {"DiscoveryTwiceCountsTwoPolls",
     Entry::Loaded,
     {{0, Event::Silence}, {0, Event::DiscoveryTwice}},
     // It answered its start-up poll, so the first broadcast only clears its flag.
     {"s", "s", "s", "sL", "L", "L", "sL"},
     kNotAliveImage,
     {"not alive 10.77.0.2"}},
};

TEST_F(Liveness, ScenariosTickByTick) {
    for (const LivenessCase& c : kCases) {
        SCOPED_TRACE(c.name);
        WatchedAgent run;
        if (c.entry == Entry::Loaded) {
            run.h.WriteMonitorFile({StoredRecord(run.agent.settings, kType)});
        }
        Console& console = run.h.Start();
        if (c.entry == Entry::AddedByHand) {
            run.h.dialogs.ExpectAddRemoteIp({run.agent.settings.ip});
            console.OnAddItem();
        }
        std::vector<std::string> seen;
        for (size_t step = 0; step < c.steps.size(); ++step) {
            if (step > 0) {
                run.h.clock.Advance(kStepMs);
            }
            run.h.network.Deliver();
            seen.push_back(run.Look());
            for (const Scheduled& s : c.events) {
                if (s.afterStep != static_cast<int>(step)) {
                    continue;
                }
                switch (s.event) {
                    case Event::Silence:
                        run.agent.silent = true;
                        break;
                    case Event::Answer:
                        run.agent.silent = false;
                        break;
                    case Event::Trap:
                        run.h.Receive(TrapDatagram(run.agent.settings, run.agent.settings.ip,
                                                   "link up", kType),
                                      run.agent.settings.ip);
                        break;
                    case Event::DiscoveryTwice:
                        console.OnDiscovery();
                        console.OnDiscovery();
                        run.h.network.ClearSent();
                        break;
                }
            }
        }
        EXPECT_EQ(seen, c.steps);
        EXPECT_EQ(run.Slot().statusImage, c.imageAtEnd);
        EXPECT_EQ(run.h.view.liveness, c.told);
        EXPECT_EQ(console.MonitorList().Image(0), c.imageAtEnd);
        EXPECT_EQ(run.Slot().rowState, c.imageAtEnd == kNotAliveImage ? kRowNotAlive : kRowShown);
        EXPECT_EQ(TableListMismatch(console), "");
    }
}

TEST_F(Liveness, TheNotAliveLineNamesTheTimeAndTheAgent) {
    agent.silent = true;
    h.dialogs.ExpectAddRemoteIp({agent.settings.ip});
    h.Start().OnAddItem();
    h.clock.Advance(25000);
    // The virtual clock starts at 03/15/2003 14:02:07.
    EXPECT_EQ(Log(), "03/15/2003 14:02:32 10.77.0.2 Not alive \r\n");
}

TEST_F(Liveness, ANewIntervalAppliesWhenTheNextWaitBegins) {
    h.WriteMonitorFile({StoredRecord(agent.settings, kType)});
    Console& console = h.Start();
    h.network.ClearSent();
    std::vector<int64_t> polls;
    auto watch = [&](int64_t untilMs) {
        while (h.clock.ElapsedMs() < untilMs) {
            h.clock.Advance(1000);
            h.network.Deliver();
            for (const SentDatagram& sent : h.network.Sent()) {
                if (sent.to.address == agent.settings.ip) {
                    polls.push_back(h.clock.ElapsedMs() / 1000);
                }
            }
            h.network.ClearSent();
        }
    };
    watch(1000);
    console.OnRefreshTime(300);
    watch(20000);
    // During the 5 minute wait that began at 15 s.
    console.OnRefreshTime(15);
    watch(340000);
    EXPECT_EQ(polls, (std::vector<int64_t>{15, 315, 330}));
    EXPECT_EQ(h.view.refreshTimes, (std::vector<int>{15, 300, 15}));
    EXPECT_EQ(console.PollIntervalSeconds(), 15);
}

TEST_F(Liveness, AnEmptyMonitorListOnlyWaits) {
    h.Start();
    h.clock.Advance(60000);
    EXPECT_TRUE(h.network.Sent().empty());
    EXPECT_FALSE(h.memory.Exists(h.dir.File("syslog.log")));
    EXPECT_EQ(h.clock.ActiveTimers(), 2);
}

TEST_F(Liveness, FailedSendsAreReportedAndTheRoundsGoOn) {
    AgentSettings second = NumberedAgent(2);
    h.WriteMonitorFile({StoredRecord(agent.settings, kType), StoredRecord(second, kType)});
    h.network.FailSends(101);
    MessageBoxRequest pollingError{"polling error 101", "", BoxIcon::None, BoxButtons::Ok,
                                   BoxOwner::Application};
    MessageBoxRequest resendFail{"Resend fail", "Warnibg", BoxIcon::Warning, BoxButtons::Ok,
                                 BoxOwner::MainWindow};
    h.ui.ExpectBox(pollingError);
    h.ui.ExpectBox(pollingError);
    Console& console = h.Start();
    // The second round counts a miss for both; the pass right after it resends to both.
    for (const MessageBoxRequest& box : {pollingError, pollingError, resendFail, resendFail}) {
        h.ui.ExpectBox(box);
    }
    h.clock.Advance(15000);
    EXPECT_TRUE(h.ui.AllShown());
    EXPECT_EQ(console.MonitorTable()[0].missedPolls, 2);
    EXPECT_EQ(console.MonitorTable()[1].missedPolls, 2);
}

// A poll on a socket that never opened tells the code the socket failed to open with.
TEST_F(Liveness, PollsOnASocketThatNeverOpenedShowItsOpenError) {
    struct Case {
        SocketOpenResult result;
        const char* openBox;
        int error;
    } cases[] = {
        {SocketOpenResult::BindFailed, "Bind socket error", EADDRINUSE},
        {SocketOpenResult::CreateFailed, "Creat Socket error", EMFILE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.openBox);
        ConsoleHarness rig;
        rig.WriteMonitorFile({StoredRecord(agent.settings, kType)});
        rig.network.FailOpen(ConsoleHarness::kBasePort + 1, c.result);
        rig.ui.ExpectError(c.openBox);
        rig.ui.ExpectBox(MessageBoxRequest{"polling error " + std::to_string(c.error), "",
                                           BoxIcon::None, BoxButtons::Ok, BoxOwner::Application});
        Console& console = rig.Start();
        EXPECT_TRUE(rig.ui.AllShown());
        EXPECT_EQ(console.Sockets().OpenError(SocketId::Unicast), c.error);
    }
}

TEST_F(Liveness, SilentAgentsWithAnUnwritableLogNeverStackBoxes) {
    std::vector<DeviceRecord> records;
    for (int n = 1; n <= 3; ++n) {
        records.push_back(StoredRecord(NumberedAgent(n), kType));
    }
    h.WriteMonitorFile(records);
    agent.silent = true;
    Console& console = h.Start();
    h.clock.Advance(30000);
    ASSERT_EQ(CountOf(Log(), " Not alive \r\n"), 6);
    h.memory.RemoveDirectory(h.dir.Path());
    MessageBoxRequest missing{"syslog.log not exit", "Error", BoxIcon::Error, BoxButtons::Ok,
                              BoxOwner::None};
    // The first box stays open for a minute in which polls go on and the passes that fall due
    // wait for the open one. Then every line that could not be written has its box, one at a
    // time: the rest of that pass, and one pass for the minute.
    h.ui.ExpectBox(missing, BoxAnswer::Ok, [&] { h.clock.Advance(60000); });
    for (int k = 0; k < 5; ++k) {
        h.ui.ExpectBox(missing);
    }
    h.clock.Advance(5000);
    EXPECT_TRUE(h.ui.AllShown());
    EXPECT_EQ(h.ui.MostOpenAtOnce(), 1);
    EXPECT_EQ(console.MessageBoxes().WaitingNotices(), 0);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(console.MonitorList().Image(slot), kNotAliveImage);
    }
    for (int k = 0; k < 3; ++k) {
        h.ui.ExpectBox(missing);
    }
    h.clock.Advance(5000);
}

}  // namespace
}  // namespace vantelo::test
