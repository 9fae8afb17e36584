#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/ConsoleHarness.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

AgentSettings At(int n, uint32_t ip) {
    AgentSettings agent = NumberedAgent(n);
    agent.ip = ip;
    return agent;
}

class ListRules : public ::testing::Test {
protected:
    // Monitor list: 10.77.0.9 (not alive), 10.77.0.10, 10.77.0.100 (not alive).
    // Discovery list: three agents in answer order b, c, a by MAC text.
    Console& StartWithBothLists() {
        DeviceRecord nine = StoredRecord(At(1, 0x0A4D0009), kType);
        nine.statusImage = kNotAliveImage;
        DeviceRecord hundred = StoredRecord(At(3, 0x0A4D0064), kType);
        hundred.statusImage = kNotAliveImage;
        h.WriteMonitorFile({nine, StoredRecord(At(2, 0x0A4D000A), kType), hundred});
        Console& console = h.Start();
        for (int n : {0x0b, 0x0c, 0x0a}) {
            h.Reply(NumberedAgent(0x100 + n));
        }
        return console;
    }

    ConsoleHarness h;
};

TEST_F(ListRules, ColumnClicksShareOneDirectionAndSortTextsAsText) {
    Console& console = StartWithBothLists();
    DeviceTable monitorBefore = console.MonitorTable();

    console.OnColumnClick(ListId::Monitor, 1);
    EXPECT_FALSE(console.Lists().SortAscending());
    EXPECT_EQ(console.Lists().SortColumn(), 1);
    EXPECT_EQ(ColumnTexts(console.MonitorList(), 1),
              (std::vector<std::string>{"10.77.0.9", "10.77.0.100", "10.77.0.10"}));
    // Rows carry their item data; the table keeps its order.
    EXPECT_EQ(console.MonitorList().ItemData(0), 0);
    EXPECT_EQ(console.MonitorList().ItemData(2), 1);
    EXPECT_EQ(std::memcmp(&console.MonitorTable(), &monitorBefore, sizeof monitorBefore), 0);

    console.OnColumnClick(ListId::Discovery, 0);
    EXPECT_TRUE(console.Lists().SortAscending());
    EXPECT_EQ(ColumnTexts(console.DiscoveryList(), 0),
              (std::vector<std::string>{"020a1b00010a", "020a1b00010b", "020a1b00010c"}));

    // The third click sorts in descending order again; the fourth in ascending order.
    console.OnColumnClick(ListId::Monitor, 1);
    console.OnColumnClick(ListId::Monitor, 1);
    EXPECT_TRUE(console.Lists().SortAscending());
    EXPECT_EQ(ColumnTexts(console.MonitorList(), 1),
              (std::vector<std::string>{"10.77.0.10", "10.77.0.100", "10.77.0.9"}));
}

TEST_F(ListRules, StatusColumnSortsByImage) {
    Console& console = StartWithBothLists();
    console.OnColumnClick(ListId::Discovery, 3);  // descending
    console.OnColumnClick(ListId::Monitor, 0);    // ascending
    EXPECT_EQ(ColumnTexts(console.MonitorList(), 1),
              (std::vector<std::string>{"10.77.0.10", "10.77.0.9", "10.77.0.100"}));
    EXPECT_EQ(console.MonitorList().Image(0), kNoImage);
    console.OnColumnClick(ListId::Monitor, 0);
    EXPECT_EQ(ColumnTexts(console.MonitorList(), 1),
              (std::vector<std::string>{"10.77.0.9", "10.77.0.100", "10.77.0.10"}));
}

TEST_F(ListRules, SelectingInOneListClearsTheOther) {
    Console& console = StartWithBothLists();
    const ListModel& discovery = console.DiscoveryList();
    const ListModel& monitor = console.MonitorList();
    console.OnSelect(ListId::Discovery, 0, true);
    console.OnSelect(ListId::Discovery, 2, true);
    console.OnSelect(ListId::Monitor, 1, true);
    EXPECT_EQ(discovery.SelectedCount(), 0);
    EXPECT_EQ(monitor.SelectedRows(), std::vector<int>{1});
    console.OnSelect(ListId::Discovery, 1, true);
    EXPECT_EQ(monitor.SelectedCount(), 0);
    EXPECT_EQ(discovery.SelectedRows(), std::vector<int>{1});
}

TEST_F(ListRules, CheckSelectionRanksTheDiscoveryListFirst) {
    struct Case {
        const char* name;
        std::vector<int> monitorRows;
        std::vector<int> discoveryRows;
        SelectionCode code;
    } cases[] = {
        {"two monitor rows", {0, 2}, {}, SelectionCode::Several},
        {"none", {}, {}, SelectionCode::None},
        {"two discovery rows", {}, {0, 1}, SelectionCode::Several},
        {"one monitor row", {2}, {}, SelectionCode::Monitor},
        {"one discovery row", {}, {1}, SelectionCode::Discovery},
        // Selecting in the discovery list clears only the first selected monitor row.
        {"one in each list", {0, 2}, {1}, SelectionCode::Discovery},
    };
    Console& console = StartWithBothLists();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SelectOnly(console, ListId::Monitor, c.monitorRows);
        for (int row : c.discoveryRows) {
            console.OnSelect(ListId::Discovery, row, true);
        }
        EXPECT_EQ(CheckSelection(console.Lists()), c.code);
    }
}

TEST_F(ListRules, VersionCheckAndTargetSelection) {
    AgentSettings older = NumberedAgent(1);
    older.interfaceVersion = 1;
    AgentSettings newer = NumberedAgent(2);
    newer.interfaceVersion = 3;
    AgentSettings otherProtocol = NumberedAgent(3);
    otherProtocol.protocolVersion = 1;
    h.WriteMonitorFile({HandAddedRecord(0x0A4D0063), StoredRecord(NumberedAgent(4), kType)});
    Console& console = h.Start();
    for (const AgentSettings& agent : {older, newer, otherProtocol}) {
        h.Reply(agent);
    }
    struct Case {
        ListId list;
        int row;
        VersionCode code;
        const char* message;
    } cases[] = {
        {ListId::Discovery, 0, VersionCode::OlderInterface, nullptr},
        {ListId::Discovery, 1, VersionCode::InterfaceUnsupported,
         "agent interface version not support"},
        {ListId::Discovery, 2, VersionCode::ProtocolUnsupported,
         "agent protocol version not support"},
        {ListId::Monitor, 0, VersionCode::ProtocolUnsupported,
         "agent protocol version not support"},
        {ListId::Monitor, 1, VersionCode::Supported, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.list == ListId::Monitor ? "monitor" : "discovery") << " row " << c.row);
        console.OnSelect(c.list, c.row, true);
        int slot = -2;
        EXPECT_EQ(CheckVersion(console.Lists(), c.list, &slot), c.code);
        EXPECT_EQ(slot, c.row);
        if (c.message != nullptr) {
            h.ui.ExpectError(c.message);
            EXPECT_EQ(console.SelectTarget(), -1);
        } else {
            EXPECT_EQ(console.SelectTarget(), 0);
            EXPECT_EQ(console.CurrentSelection().slotIndex, c.row);
            EXPECT_EQ(console.CurrentSelection().inMonitorTable, c.list == ListId::Monitor);
        }
        console.OnSelect(c.list, c.row, false);
    }
}

TEST_F(ListRules, TheTargetIsFoundByKeyTextAfterSorting) {
    h.WriteMonitorFile(
        {StoredRecord(At(1, 0x0A4D0002), kType), StoredRecord(At(2, 0x0A4D0003), kType)});
    Console& console = h.Start();
    console.OnColumnClick(ListId::Monitor, 1);  // descending: slot 1 shows in row 0
    console.OnSelect(ListId::Monitor, 0, true);
    ASSERT_EQ(console.SelectTarget(), 0);
    EXPECT_EQ(console.CurrentSelection().slotIndex, 1);

    h.ui.ExpectError("Only one device can be selected");
    console.OnSelect(ListId::Monitor, 1, true);
    EXPECT_EQ(console.SelectTarget(), -1);
    h.ui.ExpectError("Please select one device");
    console.OnSelect(ListId::Monitor, 0, false);
    console.OnSelect(ListId::Monitor, 1, false);
    EXPECT_EQ(console.SelectTarget(), -1);
}

TEST_F(ListRules, MonitorRowsShowTheRecordFromColumnOne) {
    AgentSettings agent = NumberedAgent(5);
    agent.dhcp = 7;
    h.WriteMonitorFile({HandAddedRecord(0x0A4D0063), StoredRecord(agent, kType)});
    Console& console = h.Start();
    const ListModel& list = console.MonitorList();
    std::vector<std::string> handAdded;
    std::vector<std::string> answered;
    for (int column = 0; column < kMonitorColumns; ++column) {
        handAdded.push_back(list.Text(0, column));
        answered.push_back(list.Text(1, column));
    }
    EXPECT_EQ(handAdded, (std::vector<std::string>{"", "10.77.0.99", "", "0.000.000", "", "",
                                                   "disable", "", "", "", ""}));
    EXPECT_EQ(answered, (std::vector<std::string>{"", "10.77.0.6", "020a1b000005", "2.001.002",
                                                  "VS-24P", "sw5", "enable", "lab", "10.77.0.1",
                                                  "255.255.0.0", "10.77.0.254"}));
}

}  // namespace
}  // namespace vantelo::test
