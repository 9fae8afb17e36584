#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/ConsoleHarness.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

std::vector<std::string> Macs(const DeviceTable& table, int count) {
    std::vector<std::string> macs;
    for (int slot = 0; slot < count; ++slot) {
        macs.push_back(table[static_cast<size_t>(slot)].macText);
    }
    return macs;
}

MessageBoxRequest Box(const char* text, const char* caption, BoxIcon icon = BoxIcon::Error,
                      BoxOwner owner = BoxOwner::MainWindow) {
    return MessageBoxRequest{text, caption, icon, BoxButtons::Ok, owner};
}

class MonitorList : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(TableListMismatch(*h.console), ""); }

    // Agents n answer a discovery in the given order.
    Console& StartWithDiscovered(const std::vector<int>& agents,
                                 std::vector<DeviceRecord> monitored = {}) {
        h.WriteMonitorFile(monitored);
        Console& console = h.Start();
        for (int n : agents) {
            h.Reply(NumberedAgent(n));
        }
        return console;
    }

    void Select(ListId list, const std::vector<int>& rows) {
        for (int row : rows) {
            h.console->OnSelect(list, row, true);
        }
    }

    ConsoleHarness h;
};

TEST_F(MonitorList, MovesTheSelectedAgentsAndKeepsADuplicateInTheDiscoveryList) {
    Console& console = StartWithDiscovered({1, 2, 3, 4});
    // A loaded list brings an entry with agent 2's address but another MAC.
    AgentSettings twin = NumberedAgent(2);
    twin.mac[1] = 0x0b;
    h.memory.Write(h.dir.File("twin.cfg"), RecordBytes({StoredRecord(twin, kType)}));
    h.ui.ExpectFileDialog(
        FileDialogRequest{false, "config File (*.cfg)|*.cfg||", "monitor.cfg", "*.cfg"},
        h.dir.File("twin.cfg"));
    console.OnMonitorLoad();
    DeviceRecord first = console.DiscoveryTable()[0];

    Select(ListId::Discovery, {0, 1, 2});
    h.ui.ExpectBox(Box("Duplicate ip ", "Add fail"));
    console.OnAddToMonitorList();

    EXPECT_EQ(ColumnTexts(console.MonitorList(), 2),
              (std::vector<std::string>{"020b1b000002", "020a1b000001", "020a1b000003"}));
    EXPECT_EQ(ColumnTexts(console.DiscoveryList(), 0),
              (std::vector<std::string>{"020a1b000002", "020a1b000004"}));
    EXPECT_EQ(Macs(console.DiscoveryTable(), 3),
              (std::vector<std::string>{"020a1b000002", "020a1b000004", ""}));
    // The whole record moves; only its image and row state are set anew.
    first.statusImage = kNoImage;
    first.rowState = kRowNotShown;
    EXPECT_EQ(std::memcmp(&console.MonitorTable()[1], &first, sizeof first), 0);
}

TEST_F(MonitorList, TwoDiscoveredAgentsWithOneAddressCannotBeMoved) {
    Console& console = StartWithDiscovered({});
    AgentSettings other = NumberedAgent(2);
    other.ip = NumberedAgent(1).ip;
    h.Reply(NumberedAgent(1));
    h.Reply(other);
    ASSERT_EQ(console.DiscoveryList().RowCount(), 2);

    Select(ListId::Discovery, {0, 1});
    h.ui.ExpectBox(Box("Duplicate ip ", "Add fail"));
    h.ui.ExpectBox(Box("Duplicate ip ", "Add fail"));
    console.OnAddToMonitorList();
    console.OnSelect(ListId::Discovery, 0, false);
    h.ui.ExpectBox(Box("Duplicate ip ", "Add fail"));
    console.OnDiscoveryDoubleClick();
    EXPECT_EQ(console.MonitorList().RowCount(), 0);
    EXPECT_EQ(console.DiscoveryList().RowCount(), 2);
}

TEST_F(MonitorList, DoubleClickMovesOnlyASingleSelectedAgent) {
    Console& console = StartWithDiscovered({1, 2, 3});
    Select(ListId::Discovery, {0, 1});
    console.OnDiscoveryDoubleClick();
    EXPECT_EQ(console.MonitorList().RowCount(), 0);

    console.OnSelect(ListId::Discovery, 0, false);
    console.OnDiscoveryDoubleClick();
    EXPECT_EQ(ColumnTexts(console.MonitorList(), 2), std::vector<std::string>{"020a1b000002"});
    EXPECT_EQ(Macs(console.DiscoveryTable(), 3),
              (std::vector<std::string>{"020a1b000001", "020a1b000003", ""}));
}

TEST_F(MonitorList, MovingIntoAFullMonitorListIsRefused) {
    std::vector<DeviceRecord> monitored;
    for (int n = 0; n < kTableSlots - 1; ++n) {
        monitored.push_back(StoredRecord(NumberedAgent(1000 + n), kType));
    }
    Console& console = StartWithDiscovered({1, 2, 3}, monitored);
    Select(ListId::Discovery, {0, 1, 2});
    h.ui.ExpectError("out of 256 device in monitor list");
    console.OnAddToMonitorList();
    EXPECT_EQ(console.MonitorList().RowCount(), kTableSlots);
    EXPECT_STREQ(console.MonitorTable()[255].macText, "020a1b000001");
    EXPECT_EQ(ColumnTexts(console.DiscoveryList(), 0),
              (std::vector<std::string>{"020a1b000002", "020a1b000003"}));
}

TEST_F(MonitorList, RepliesWhileABoxIsOpenKeepTheirSlots) {
    Console& console = StartWithDiscovered({1, 2});
    AgentSettings other = NumberedAgent(3);
    other.ip = NumberedAgent(2).ip;
    h.Reply(other);
    Select(ListId::Discovery, {0, 1});
    // The box's own event loop takes a new agent's answer into the discovery list.
    h.ui.ExpectBox(Box("Duplicate ip ", "Add fail"), BoxAnswer::Ok,
                   [this] { h.Reply(NumberedAgent(9)); });
    console.OnAddToMonitorList();
    EXPECT_EQ(ColumnTexts(console.DiscoveryList(), 0),
              (std::vector<std::string>{"020a1b000002", "020a1b000003", "020a1b000009"}));
    EXPECT_EQ(Macs(console.DiscoveryTable(), 3), ColumnTexts(console.DiscoveryList(), 0));
}

TEST_F(MonitorList, AddItemTakesALegalAddressAtTheEnd) {
    Console& console = StartWithDiscovered({1});
    h.dialogs.ExpectAddRemoteIp({0, 0x7F000001, 0x0A4D0063});
    h.ui.ExpectBox(Box("IP address is illegal", " Error", BoxIcon::Error, BoxOwner::Dialog));
    h.ui.ExpectBox(Box("IP address is illegal", " Error", BoxIcon::Error, BoxOwner::Dialog));
    console.OnAddItem();
    EXPECT_EQ(h.dialogs.ButtonResults(), (std::vector<int>{-1, -1, 0}));
    ASSERT_EQ(console.MonitorList().RowCount(), 1);
    EXPECT_EQ(console.MonitorList().Text(0, 1), "10.77.0.99");
    EXPECT_EQ(console.MonitorList().Text(0, 3), "0.000.000");
    DeviceRecord expected = HandAddedRecord(0x0A4D0063);
    EXPECT_EQ(std::memcmp(&console.MonitorTable()[0], &expected, sizeof expected), 0);

    // Cancel changes nothing.
    h.dialogs.ExpectAddRemoteIp({});
    console.OnAddItem();
    EXPECT_EQ(console.MonitorList().RowCount(), 1);
}

TEST_F(MonitorList, AddItemRefusesAnAddressAlreadyListed) {
    Console& console = StartWithDiscovered({1}, {HandAddedRecord(0x0A4D0063)});
    for (uint32_t listed : {NumberedAgent(1).ip, 0x0A4D0063u}) {
        h.dialogs.ExpectAddRemoteIp({listed});
        h.ui.ExpectError("Duplicate IP in monitor list or discovery list");
        console.OnAddItem();
        EXPECT_EQ(console.MonitorList().RowCount(), 1);
    }
}

TEST_F(MonitorList, AddItemStopsAt256Rows) {
    std::vector<DeviceRecord> monitored;
    for (int n = 0; n < kTableSlots - 1; ++n) {
        monitored.push_back(StoredRecord(NumberedAgent(n), kType));
    }
    Console& console = StartWithDiscovered({}, monitored);
    h.dialogs.ExpectAddRemoteIp({0x0A4E0001});
    console.OnAddItem();
    ASSERT_EQ(console.MonitorList().RowCount(), kTableSlots);
    EXPECT_EQ(console.MonitorList().Text(255, 1), "10.78.0.1");

    h.ui.ExpectError("out of 256 device in monitor list");
    console.OnAddItem();
    EXPECT_EQ(console.MonitorList().RowCount(), kTableSlots);
}

TEST_F(MonitorList, DeleteRemovesTheSelectedRowsAndClosesTheTableUp) {
    std::vector<DeviceRecord> monitored;
    for (int n = 0; n < 5; ++n) {
        monitored.push_back(StoredRecord(NumberedAgent(n), kType));
    }
    Console& console = StartWithDiscovered({}, monitored);
    Select(ListId::Monitor, {1, 3});
    MessageBoxRequest confirm{"Are you sure to delete this item ?", "Warning", BoxIcon::Warning,
                              BoxButtons::OkCancel, BoxOwner::MainWindow};
    h.ui.ExpectBox(confirm, BoxAnswer::Cancel);
    console.OnDeleteItem();
    EXPECT_EQ(console.MonitorList().RowCount(), 5);

    h.ui.ExpectBox(confirm, BoxAnswer::Ok);
    console.OnDeleteItem();
    EXPECT_EQ(ColumnTexts(console.MonitorList(), 2),
              (std::vector<std::string>{"020a1b000000", "020a1b000002", "020a1b000004"}));
    EXPECT_EQ(Macs(console.MonitorTable(), 4),
              (std::vector<std::string>{"020a1b000000", "020a1b000002", "020a1b000004", ""}));

    console.OnDeleteItem();  // nothing selected: no question
}

}  // namespace
}  // namespace vantelo::test
