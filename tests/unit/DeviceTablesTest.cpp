#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "protocol/DeviceTables.h"

namespace vantelo {
namespace {

DeviceRecord Entry(const char* mac, const char* ip) {
    DeviceRecord r{};
    CopyField(r.macText, mac, std::strlen(mac));
    CopyField(r.ipText, ip, std::strlen(ip));
    return r;
}

class TablesTest : public ::testing::Test {
protected:
    std::unique_ptr<DeviceTable> table = std::make_unique<DeviceTable>();
};

TEST_F(TablesTest, EmptyTableGivesSlotZeroNotFound) {
    for (bool byIp : {false, true}) {
        TableLookup d = FindInDiscoveryTable(*table, 0, "020a1b2c3d4e", byIp);
        TableLookup m = FindInMonitorTable(*table, 0, "10.0.0.1", byIp);
        EXPECT_EQ(d.index, 0);
        EXPECT_FALSE(d.found);
        EXPECT_EQ(m.index, 0);
        EXPECT_FALSE(m.found);
    }
}

TEST_F(TablesTest, LookupsSearchOnlyTheUsedSlots) {
    (*table)[0] = Entry("000000000001", "10.0.0.1");
    (*table)[1] = Entry("000000000002", "10.0.0.2");
    (*table)[2] = Entry("000000000003", "10.0.0.3");
    EXPECT_EQ(FindInDiscoveryTable(*table, 3, "000000000002", false).index, 1);
    EXPECT_EQ(FindInMonitorTable(*table, 3, "10.0.0.3", true).index, 2);
    TableLookup beyond = FindInDiscoveryTable(*table, 2, "000000000003", false);
    EXPECT_FALSE(beyond.found);
    EXPECT_EQ(beyond.index, 2);
}

TEST_F(TablesTest, EmptyMacKeyMatchesHandAddedEntriesOnlyInTheDiscoveryTable) {
    (*table)[0] = Entry("000000000001", "10.0.0.1");
    (*table)[1] = Entry("", "10.0.0.2");
    TableLookup discovery = FindInDiscoveryTable(*table, 2, "", false);
    EXPECT_TRUE(discovery.found);
    EXPECT_EQ(discovery.index, 1);
    TableLookup monitor = FindInMonitorTable(*table, 2, "", false);
    EXPECT_FALSE(monitor.found);
    EXPECT_EQ(monitor.index, 2);
    EXPECT_TRUE(FindInMonitorTable(*table, 2, "10.0.0.2", true).found);
}

TEST_F(TablesTest, AKeyMatchesAFieldsWholeTextOnly) {
    // The MAC field is 16 bytes: a text may fill it without a zero byte, and bytes after a
    // field's first zero byte are not part of its text.
    std::memcpy((*table)[0].macText, "0123456789abcdef", 16);
    std::memcpy((*table)[1].macText, "abc\0xyz", 8);
    (*table)[2] = Entry("000000000001", "10.0.0.1");
    const struct {
        std::string_view key;
        int index;  // 3: not found
    } cases[] = {
        {"0123456789abcdef", 0},
        {"0123456789abcde", 3},
        {"0123456789abcdefg", 3},
        {"abc", 1},
        {std::string_view("abc\0xyz", 7), 3},
        {std::string_view("abc\0", 4), 3},
        {"00000000000", 3},
        {"0000000000011", 3},
        {"000000000001", 2},
    };
    for (const auto& c : cases) {
        TableLookup lookup = FindInDiscoveryTable(*table, 3, c.key, false);
        EXPECT_EQ(lookup.index, c.index) << c.key;
        EXPECT_EQ(lookup.found, c.index < 3) << c.key;
    }
    EXPECT_EQ(FindInDiscoveryTable(*table, 3, "10.0.0.1", true).index, 2);
    EXPECT_FALSE(FindInDiscoveryTable(*table, 3, "10.0.0.", true).found);
}

TEST_F(TablesTest, ItemCountBeyondTheTableIsClamped) {
    TableLookup lookup = FindInMonitorTable(*table, 1000, "x", true);
    EXPECT_FALSE(lookup.found);
    EXPECT_EQ(lookup.index, kTableSlots);
}

TEST_F(TablesTest, ThreeCountedPollsWithoutAnAnswer) {
    (*table)[0] = Entry("000000000001", "10.0.0.1");
    (*table)[0].answered = 1;
    (*table)[0].missedPolls = 5;
    CountPollSent(*table, 0);
    EXPECT_EQ((*table)[0].answered, 0);
    EXPECT_EQ((*table)[0].missedPolls, 0);
    for (int i = 0; i < 3; ++i) {
        CountPollSent(*table, 0);
    }
    EXPECT_EQ((*table)[0].missedPolls, 3);
    EXPECT_EQ((*table)[0].answered, 0);
}

TEST_F(TablesTest, CountPollRoundStopsAtTheFirstEmptyIpText) {
    CountPollRound(*table);
    EXPECT_EQ((*table)[0].missedPolls, 0);

    for (int i = 0; i < kTableSlots; ++i) {
        char ip[20];
        std::snprintf(ip, sizeof ip, "10.0.%d.%d", i / 250, i % 250 + 1);
        (*table)[static_cast<size_t>(i)] = Entry("", ip);
        (*table)[static_cast<size_t>(i)].answered = i % 2;
        (*table)[static_cast<size_t>(i)].missedPolls = 7;
    }
    CountPollRound(*table);
    for (int i = 0; i < kTableSlots; ++i) {
        EXPECT_EQ((*table)[static_cast<size_t>(i)].answered, 0) << i;
        EXPECT_EQ((*table)[static_cast<size_t>(i)].missedPolls, i % 2 == 1 ? 0 : 8) << i;
    }

    (*table)[3].ipText[0] = '\0';
    CountPollRound(*table);
    EXPECT_EQ((*table)[2].missedPolls, 9);
    EXPECT_EQ((*table)[4].missedPolls, 8);
}

}  // namespace
}  // namespace vantelo
