#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monitor/TrapInfo.h"
#include "support/ConsoleHarness.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

MessageBoxRequest LogMissing() {
    return MessageBoxRequest{"syslog.log not exit", "Error", BoxIcon::Error, BoxButtons::Ok,
                             BoxOwner::None};
}

class Traps : public ::testing::Test {
protected:
    void TearDown() override {
        if (h.console) {
            EXPECT_EQ(TableListMismatch(*h.console), "");
        }
    }

    // Agent 1 (10.77.0.2) is monitored, agent 2 (10.77.0.3) only discovered.
    Console& Start() {
        h.WriteMonitorFile({StoredRecord(monitored, kType)});
        Console& console = h.Start();
        h.Reply(discovered);
        h.network.ClearSent();
        return console;
    }

    // A trap naming the agent at address, sent from sender.
    void Trap(uint32_t address, const std::string& event, uint32_t sender, bool terminated = true) {
        h.Receive(TrapDatagram(monitored, address, event, kType, terminated), sender);
    }

    std::string Log() const {
        std::vector<uint8_t> bytes = h.memory.Read(h.dir.File("syslog.log"));
        return std::string(bytes.begin(), bytes.end());
    }

    ConsoleHarness h;
    AgentSettings monitored = NumberedAgent(1);
    AgentSettings discovered = NumberedAgent(2);
};

TEST_F(Traps, AMonitoredAgentsTrapIsLoggedStoredAndMarksItAlive) {
    Console& console = Start();
    // Silent through two rounds and three passes: declared not alive.
    h.clock.Advance(30000);
    ASSERT_EQ(console.MonitorList().Image(0), kNotAliveImage);
    std::string before = Log();
    h.view.indicators.clear();

    // The identity is the address in the trap, not its sender.
    Trap(monitored.ip, "port 3 link down", discovered.ip);
    EXPECT_EQ(Log(), before + "03/15/2003 14:02:37 10.77.0.2 Trap :port 3 link down\r\n");
    EXPECT_EQ(h.view.indicators, std::vector<TrapIndicator>{TrapIndicator::Red});
    const DeviceRecord& slot = console.MonitorTable()[0];
    EXPECT_EQ(slot.statusImage, kNoImage);
    EXPECT_EQ(slot.rowState, kRowShown);
    EXPECT_EQ(slot.answered, 1);
    EXPECT_EQ(slot.missedPolls, 0);
    EXPECT_EQ(console.MonitorList().Image(0), kNoImage);
    const TrapEntry& entry = console.TrapsKept().Slot(0);
    EXPECT_STREQ(entry.time, "03/15/2003 14:02:37");
    EXPECT_STREQ(entry.agent, "10.77.0.2");
    EXPECT_STREQ(entry.event, "port 3 link down");
    EXPECT_EQ(entry.readMark, kTrapUnread);
    EXPECT_EQ(console.TrapsKept().Count(), 1u);
    // The view hears of the stored trap and of the agent that came back, once each.
    EXPECT_EQ(h.view.traps,
              std::vector<std::string>{"03/15/2003 14:02:37|10.77.0.2|port 3 link down"});
    EXPECT_EQ(h.view.liveness,
              (std::vector<std::string>{"not alive 10.77.0.2", "alive 10.77.0.2"}));
}

TEST_F(Traps, TrapsOfAgentsNotMonitoredLeaveNoTrace) {
    Console& console = Start();
    DeviceTable tableBefore = console.MonitorTable();
    struct Case {
        const char* name;
        std::vector<uint8_t> datagram;
        uint32_t sender;
    } cases[] = {
        {"a stranger", TrapDatagram(monitored, 0x0A4D0909, "x", kType), 0x0A4D0909},
        {"only discovered", TrapDatagram(discovered, discovered.ip, "x", kType), discovered.ip},
        {"a stranger named by a monitored sender", TrapDatagram(monitored, 0x0A4D0909, "x", kType),
         monitored.ip},
        {"too short for an address",
         Datagram(AgentHeader(monitored, OpCode::Trap, kType), {10, 77}), monitored.ip},
        {"another device type", TrapDatagram(monitored, monitored.ip, "x", kType + 1),
         monitored.ip},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.Receive(c.datagram, c.sender);
        EXPECT_FALSE(h.memory.Exists(h.dir.File("syslog.log")));
        EXPECT_EQ(console.TrapsKept().Count(), 0u);
        EXPECT_TRUE(h.view.traps.empty());
        EXPECT_EQ(h.view.indicators, std::vector<TrapIndicator>{TrapIndicator::Green});
        EXPECT_EQ(std::memcmp(&console.MonitorTable(), &tableBefore, sizeof tableBefore), 0);
    }
}

TEST_F(Traps, TheEventTextEndsAtItsZeroOrWithTheDatagramAndIsCutToTheSlot) {
    Console& console = Start();
    std::string longest(kMaxDatagram - kHeaderSize - 4, 'e');
    struct Case {
        std::string event;
        bool terminated;
        std::string kept;
    } cases[] = {
        {"fan fail", false, "fan fail"},
        {std::string(255, 'a'), true, std::string(255, 'a')},
        {std::string(256, 'b'), true, std::string(255, 'b')},
        {longest, false, std::string(255, 'e')},
        {"", true, ""},
    };
    int slot = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event.size());
        std::string before = Log();
        Trap(monitored.ip, c.event, monitored.ip, c.terminated);
        const TrapEntry& entry = console.TrapsKept().Slot(slot++);
        EXPECT_EQ(std::string(entry.event), c.kept);
        ASSERT_FALSE(h.view.traps.empty());
        EXPECT_EQ(h.view.traps.back(), std::string(entry.time) + "|10.77.0.2|" + c.kept);
        EXPECT_STREQ(entry.agent, "10.77.0.2");
        // The log keeps the whole text.
        EXPECT_EQ(Log().substr(before.size() + 19), " 10.77.0.2 Trap :" + c.event + "\r\n");
    }
}

TEST_F(Traps, AFullStoreDropsTheOldestAndKeepsCounting) {
    Console& console = Start();
    for (int n = 1; n <= 1500; ++n) {
        Trap(monitored.ip, "event " + std::to_string(n), monitored.ip);
    }
    const TrapStore& store = console.TrapsKept();
    EXPECT_EQ(store.Count(), 1500u);
    EXPECT_STREQ(store.Slot(0).event, "event 2");
    EXPECT_STREQ(store.Slot(1497).event, "event 1499");
    EXPECT_STREQ(store.Slot(1498).event, "event 1500");
    EXPECT_EQ(store.Slot(1499).event[0], '\0');
    EXPECT_EQ(store.Slot(1499).time[0], '\0');
    // Every trap's line is in the log, whole and in order.
    std::string log = Log();
    EXPECT_NE(log.find("Trap :event 1\r\n03/15/2003"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 18), "Trap :event 1500\r\n");
}

TEST_F(Traps, ClearLogThenATrapLeavesExactlyThatLine) {
    Console& console = Start();
    Trap(monitored.ip, "first", monitored.ip);
    console.OnClearLog();
    EXPECT_EQ(Log(), "");
    Trap(monitored.ip, "second", monitored.ip);
    EXPECT_EQ(Log(), "03/15/2003 14:02:07 10.77.0.2 Trap :second\r\n");
    console.OnViewLog();
    EXPECT_EQ(h.ui.OpenedTextFiles(), std::vector<std::string>{h.dir.File("syslog.log")});
}

TEST_F(Traps, WithoutTheLogDirectoryEachWriteShowsItsBoxAndTheTrapIsStillKept) {
    Console& console = Start();
    h.memory.RemoveDirectory(h.dir.Path());
    // A trap line is written in two pieces: time, then the rest.
    h.ui.ExpectBox(LogMissing());
    h.ui.ExpectBox(LogMissing());
    Trap(monitored.ip, "power", monitored.ip);
    EXPECT_TRUE(h.ui.AllShown());
    EXPECT_EQ(console.TrapsKept().Count(), 1u);
    EXPECT_STREQ(console.TrapsKept().Slot(0).event, "power");
    EXPECT_EQ(h.view.indicators.back(), TrapIndicator::Red);
    // Clearing a log that has no directory fails quietly.
    console.OnClearLog();
}

TEST_F(Traps, TrapsArrivingWhileABoxIsOpenAreKeptInOrderAndTheirBoxesWait) {
    Console& console = Start();
    h.memory.RemoveDirectory(h.dir.Path());
    h.ui.ExpectBox(LogMissing(), BoxAnswer::Ok, [&] {
        Trap(monitored.ip, "second", monitored.ip);
        Trap(monitored.ip, "third", monitored.ip);
    });
    // One waiting notice stands for the others and for the first trap's second piece.
    h.ui.ExpectBox(LogMissing());
    Trap(monitored.ip, "first", monitored.ip);
    h.clock.Advance(0);
    EXPECT_TRUE(h.ui.AllShown());
    EXPECT_EQ(h.ui.MostOpenAtOnce(), 1);
    EXPECT_STREQ(console.TrapsKept().Slot(0).event, "first");
    EXPECT_STREQ(console.TrapsKept().Slot(1).event, "second");
    EXPECT_STREQ(console.TrapsKept().Slot(2).event, "third");
}

TEST_F(Traps, ViewTrapTurnsTheIndicatorGreenEvenWithNothingStored) {
    Console& console = Start();
    h.view.indicators.clear();
    h.dialogs.Expect(DialogId::TrapInfo, {});
    console.OnViewTrap();
    EXPECT_EQ(h.view.indicators, std::vector<TrapIndicator>{TrapIndicator::Green});
}

TEST_F(Traps, ClearAllEmptiesTheStoreAndTheNextTrapTakesSlotZero) {
    Console& console = Start();
    Trap(monitored.ip, "one", monitored.ip);
    Trap(monitored.ip, "two", monitored.ip);
    h.dialogs.Expect(DialogId::TrapInfo, {ScriptedPress{ControlId::TrapClearAll, {}},
                                          ScriptedPress{ControlId::TrapOk, {}}});
    console.OnViewTrap();
    EXPECT_EQ(h.dialogs.ButtonResults(), (std::vector<int>{-1, 0}));
    EXPECT_EQ(console.TrapsKept().Count(), 0u);
    EXPECT_EQ(console.TrapsKept().Slot(0).event[0], '\0');
    Trap(monitored.ip, "three", monitored.ip);
    EXPECT_EQ(console.TrapsKept().Count(), 1u);
    EXPECT_STREQ(console.TrapsKept().Slot(0).event, "three");
}

// The dialog's rows over a store, without a console.
class TrapRows : public ::testing::Test {
protected:
    void Add(const char* time, const char* agent, const char* event) {
        store.Add(time, agent, event);
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < rows.RowCount(); ++row) {
            texts.push_back(column == 0 ? std::to_string(rows.Image(row)) : rows.Text(row, column));
        }
        return texts;
    }
    void Click(int row) {
        for (int selected : rows.SelectedRows()) {
            rows.SetSelected(selected, false);
        }
        rows.SetSelected(row, true);
        MarkClickedTrap(store, rows);
    }

    TrapStore store;
    ListModel rows{kTrapColumns};
    TrapSortState sort;
};

TEST_F(TrapRows, FillingStopsAtTheFirstEmptyEventText) {
    Add("03/15/2003 14:02:07", "10.77.0.2", "a");
    Add("03/15/2003 14:02:08", "10.77.0.3", "b");
    Add("03/15/2003 14:02:09", "10.77.0.2", "");
    Add("03/15/2003 14:02:10", "10.77.0.2", "d");
    FillTrapRows(store, rows);
    EXPECT_EQ(Column(3), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"10.77.0.2", "10.77.0.3"}));
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(rows.Text(0, 4), "");
}

TEST_F(TrapRows, SortDirectionsFlipAtEveryColumnClick) {
    Add("03/15/2003 14:02:07", "10.77.0.2", "beta");
    Add("03/15/2003 14:02:08", "10.77.0.10", "Alpha");
    Add("03/15/2003 14:02:09", "10.77.0.3", "gamma");
    FillTrapRows(store, rows);
    struct Step {
        int column;
        std::vector<std::string> events;
        bool ascendingAfter;
    } steps[] = {
        // The first sort ever is descending, byte by byte: capitals before lower case.
        {3, {"gamma", "beta", "Alpha"}, false},
        {3, {"Alpha", "beta", "gamma"}, true},
        // Column 4 flips the direction without sorting.
        {4, {"Alpha", "beta", "gamma"}, false},
        {3, {"Alpha", "beta", "gamma"}, true},
        // Addresses sort as text, descending: 10.77.0.3, 10.77.0.2, 10.77.0.10.
        {2, {"gamma", "beta", "Alpha"}, false},
        // By arrival time, ascending.
        {1, {"beta", "Alpha", "gamma"}, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.column);
        SortTrapRows(rows, step.column, sort);
        EXPECT_EQ(Column(3), step.events);
        EXPECT_EQ(sort.ascending, step.ascendingAfter);
    }
    EXPECT_EQ(sort.column, 1);
}

TEST_F(TrapRows, AClickMarksTheTrapItsRowShowsAfterASortAndAfterNewArrivals) {
    for (const char* event : {"a", "b", "c", "d"}) {
        Add("03/15/2003 14:02:07", "10.77.0.2", event);
    }
    FillTrapRows(store, rows);
    SortTrapRows(rows, 3, sort);  // descending: d c b a
    Click(1);
    EXPECT_EQ(rows.Text(1, 3), "c");
    EXPECT_EQ(rows.Image(1), kTrapRead);
    EXPECT_TRUE(rows.IsSelected(1));
    EXPECT_EQ(store.Slot(2).readMark, kTrapRead);
    for (int slot : {0, 1, 3}) {
        EXPECT_EQ(store.Slot(slot).readMark, kTrapUnread) << slot;
    }
    // Several rows selected: only the first is marked.
    rows.SetSelected(3, true);
    rows.SetSelected(0, true);
    MarkClickedTrap(store, rows);
    EXPECT_EQ(store.Slot(3).readMark, kTrapRead);
    EXPECT_EQ(store.Slot(0).readMark, kTrapUnread);
    // Sorting by S, ascending, puts the read traps first.
    SortTrapRows(rows, 0, sort);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"-1", "-1", "0", "0"}));
    // A click beside the rows changes nothing.
    for (int selected : rows.SelectedRows()) {
        rows.SetSelected(selected, false);
    }
    MarkClickedTrap(store, rows);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"-1", "-1", "0", "0"}));
}

TEST_F(TrapRows, AClickWhileTheFullStoreMovesOnMarksTheRightTrap) {
    for (int n = 0; n < TrapStore::kMostKept; ++n) {
        store.Add("t", "10.77.0.2", "old " + std::to_string(n));
    }
    FillTrapRows(store, rows);
    ASSERT_EQ(rows.RowCount(), TrapStore::kMostKept);
    // Two traps arrive while the dialog is open: the two oldest leave the store.
    store.Add("t", "10.77.0.2", "new 1");
    store.Add("t", "10.77.0.2", "new 2");
    Click(5);
    EXPECT_STREQ(store.Slot(3).event, "old 5");
    EXPECT_EQ(store.Slot(3).readMark, kTrapRead);
    Click(0);  // "old 0" is gone: nothing else is marked
    int read = 0;
    for (int slot = 0; slot < TrapStore::kSlots; ++slot) {
        read += store.Slot(slot).readMark == kTrapRead ? 1 : 0;
    }
    EXPECT_EQ(read, 1);
}

}  // namespace
}  // namespace vantelo::test
