// The column table against the rows the lists show: each column's cells hold the field the table
// names for it, in every list, and the outputs that read the table agree with the lists.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "lists/AgentLists.h"
#include "lists/ColumnTable.h"
#include "monitor/TrapInfo.h"

namespace vantelo {
namespace {

template <size_t N>
void Put(char (&field)[N], const char* text) {
    std::snprintf(field, N, "%s", text);
}

// A record whose every shown field holds a text of its own, so that a column showing the wrong
// field cannot go unseen.
DeviceRecord DistinctRecord() {
    DeviceRecord record{};
    Put(record.macText, "020000000005");
    Put(record.ipText, "10.77.0.5");
    Put(record.productName, "VS-24P");
    Put(record.systemName, "core");
    Put(record.location, "lab \xE9tage");  // Latin-1, one byte a character
    Put(record.trapIpText, "10.77.0.254");
    Put(record.subnetMaskText, "255.255.0.0");
    Put(record.gatewayText, "10.77.0.1");
    record.protocolVersion = 2;
    record.direction = 1;
    record.interfaceVersion = 2;
    record.dhcp = 1;
    record.statusImage = kNoImage;
    return record;
}

// What each field of DistinctRecord reads as.
const std::map<CellField, std::string> kDistinctTexts = {
    {CellField::Image, ""},
    {CellField::MacText, "020000000005"},
    {CellField::IpText, "10.77.0.5"},
    {CellField::Version, "2.001.002"},
    {CellField::ProductName, "VS-24P"},
    {CellField::SystemName, "core"},
    {CellField::Dhcp, "enable"},
    {CellField::Location, "lab \xE9tage"},
    {CellField::TrapIpText, "10.77.0.254"},
    {CellField::SubnetMaskText, "255.255.0.0"},
    {CellField::GatewayText, "10.77.0.1"},
};

std::vector<std::string> RowTexts(const ListModel& list, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < list.ColumnCount(); ++column) {
        texts.push_back(list.Text(row, column));
    }
    return texts;
}

TEST(ColumnTable, EachDeviceListColumnShowsTheFieldItNames) {
    auto lists = std::make_unique<AgentLists>();
    ASSERT_EQ(lists->StoreDiscovery(0, DistinctRecord()), 0);
    ASSERT_EQ(lists->StoreMonitor(0, DistinctRecord()), 0);
    for (ListId id : {ListId::Discovery, ListId::Monitor}) {
        const ColumnTable columns = ColumnsOf(id);
        const ListModel& list = lists->List(id);
        ASSERT_EQ(list.ColumnCount(), static_cast<int>(columns.size()));
        for (size_t c = 0; c < columns.size(); ++c) {
            SCOPED_TRACE(std::string(columns[c].title));
            EXPECT_EQ(list.Text(0, static_cast<int>(c)), kDistinctTexts.at(columns[c].field));
        }
        EXPECT_EQ(RecordCells(columns, DistinctRecord()), RowTexts(list, 0));
    }
}

TEST(ColumnTable, TrapColumnsShowTheEntrysFields) {
    TrapStore store;
    store.Add("12/11/2026 11:28:46", "10.77.0.5", "port 3 link up");
    ListModel rows(kTrapColumns);
    FillTrapRows(store, rows);
    const std::map<CellField, std::string> expected = {{CellField::Image, ""},
                                                       {CellField::TrapTime, "12/11/2026 11:28:46"},
                                                       {CellField::TrapAgent, "10.77.0.5"},
                                                       {CellField::TrapEvent, "port 3 link up"},
                                                       {CellField::Nothing, ""}};
    ASSERT_EQ(rows.RowCount(), 1);
    for (size_t c = 0; c < kTrapColumnTable.size(); ++c) {
        SCOPED_TRACE(std::string(kTrapColumnTable[c].title));
        EXPECT_EQ(rows.Text(0, static_cast<int>(c)), expected.at(kTrapColumnTable[c].field));
    }
    EXPECT_EQ(rows.Image(0), kTrapUnread);
}

TEST(ColumnTable, DhcpReadsAsTheAgentReportedIt) {
    const struct {
        uint16_t dhcp;
        const char* text;
    } cases[] = {{0, "disable"}, {1, "enable"}, {kDhcpNotReported, ""}, {0xFFFF, "enable"}};
    for (const auto& c : cases) {
        DeviceRecord record{};
        record.dhcp = c.dhcp;
        EXPECT_EQ(CellText(record, CellField::Dhcp), c.text) << c.dhcp;
    }
}

// A field holding no terminator ends with the field, as the lists read it.
TEST(ColumnTable, AFullTextFieldEndsWithTheField) {
    DeviceRecord record{};
    std::memset(record.systemName, 'x', sizeof record.systemName);
    EXPECT_EQ(CellText(record, CellField::SystemName), std::string(sizeof record.systemName, 'x'));
}

// The keys name the columns in machine-readable output: within a list no two may share one, or
// an object would lose a column.
TEST(ColumnTable, KeysAreDistinctWithinEachList) {
    for (ColumnTable columns : {ColumnTable(kDiscoveryColumnTable),
                                ColumnTable(kMonitorColumnTable), ColumnTable(kTrapColumnTable)}) {
        std::set<std::string_view> keys;
        for (const ListColumn& column : columns) {
            if (column.field == CellField::Nothing) {
                EXPECT_EQ(FieldKey(column.field), "");
                continue;
            }
            EXPECT_FALSE(FieldKey(column.field).empty()) << column.title;
            EXPECT_TRUE(keys.insert(FieldKey(column.field)).second) << column.title;
        }
    }
}

TEST(ColumnTable, ShownCellsReadTheImageColumnThroughItsText) {
    auto lists = std::make_unique<AgentLists>();
    ASSERT_EQ(lists->StoreMonitor(0, DistinctRecord()), 0);
    lists->MarkMonitorNotAlive(0);
    const ImageText status = [](int image) {
        return image == kNotAliveImage ? std::string("not alive") : std::string();
    };
    std::vector<std::string> shown =
        ShownCells(kMonitorColumnTable, lists->MonitorList(), 0, status);
    EXPECT_EQ(shown[0], "not alive");
    std::vector<std::string> rest(shown.begin() + 1, shown.end());
    std::vector<std::string> expected = RecordCells(kMonitorColumnTable, DistinctRecord());
    EXPECT_EQ(rest, std::vector<std::string>(expected.begin() + 1, expected.end()));
    // Without a text for images the column reads as the list holds it: empty.
    EXPECT_EQ(ShownCells(kMonitorColumnTable, lists->MonitorList(), 0, {})[0], "");
}

}  // namespace
}  // namespace vantelo
