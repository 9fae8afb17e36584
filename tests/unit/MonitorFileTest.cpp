#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "support/ConsoleHarness.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
const char* const kFilter = "config File (*.cfg)|*.cfg||";
const FileDialogRequest kSaveAs{true, kFilter, "*.cfg", "Default.cfg"};
const FileDialogRequest kLoad{false, kFilter, "monitor.cfg", "*.cfg"};

MessageBoxRequest Warning(const char* text) {
    return MessageBoxRequest{text, "Warning", BoxIcon::Warning, BoxButtons::Ok,
                             BoxOwner::MainWindow};
}

// Agent n as a record saved some time ago, with liveness fields that loading resets.
DeviceRecord Saved(int n, int32_t statusImage) {
    DeviceRecord record = StoredRecord(NumberedAgent(n), kType);
    record.rowState = kRowNotAlive;
    record.missedPolls = 4;
    record.answered = 0;
    record.statusImage = statusImage;
    return record;
}

std::vector<uint8_t> TableBytes(const DeviceTable& table, int count) {
    return RecordBytes(std::vector<DeviceRecord>(table.begin(), table.begin() + count));
}

class MonitorFile : public ::testing::Test {
protected:
    void TearDown() override {
        if (h.console) {
            EXPECT_EQ(TableListMismatch(*h.console), "");
        }
    }

    ConsoleHarness h;
};

TEST_F(MonitorFile, SaveWritesTheUsedSlotsByteForByteInTableOrder) {
    DeviceRecord unterminated = Saved(3, kNoImage);
    std::memset(unterminated.location, 'L', sizeof unterminated.location);
    h.WriteMonitorFile({Saved(1, kNotAliveImage), Saved(2, 0), unterminated});
    Console& console = h.Start();
    h.Reply(NumberedAgent(9));
    console.OnColumnClick(ListId::Monitor, 2);

    console.OnMonitorSave();
    std::vector<uint8_t> saved = h.memory.Read(h.dir.File("monitor.cfg"));
    EXPECT_EQ(saved.size(), 816u);
    EXPECT_EQ(saved, TableBytes(console.MonitorTable(), 3));
    // Sorted by MAC text in descending order, agent 3 shows first.
    EXPECT_EQ(console.MonitorList().Text(0, 7), std::string(21, 'L'));
    EXPECT_EQ(h.memory.Entries(h.dir.Path()), (std::set<std::string>{"define.ecf", "monitor.cfg"}));
}

TEST_F(MonitorFile, LoadingResetsTheLivenessFieldsAndKeepsTheNotAliveIcon) {
    std::vector<DeviceRecord> records = {Saved(1, kNotAliveImage), Saved(2, 0), Saved(3, 7)};
    h.WriteMonitorFile(records);
    Console& console = h.Start();
    for (size_t k = 0; k < records.size(); ++k) {
        DeviceRecord expected = records[k];
        expected.rowState = kRowNotShown;
        // Loaded as answered: the start-up poll then clears the flag without counting a miss.
        expected.missedPolls = 0;
        expected.answered = 0;
        expected.statusImage = k == 0 ? kNotAliveImage : kNoImage;
        EXPECT_EQ(std::memcmp(&console.MonitorTable()[k], &expected, sizeof expected), 0) << k;
        EXPECT_EQ(console.MonitorList().Image(static_cast<int>(k)), expected.statusImage);
    }

    // "Monitor load" takes the image as stored.
    h.memory.Write(h.dir.File("more.cfg"), RecordBytes({Saved(4, kNotAliveImage), Saved(5, 0)}));
    h.ui.ExpectFileDialog(kLoad, h.dir.File("more.cfg"));
    console.OnMonitorLoad();
    EXPECT_EQ(console.MonitorTable()[3].statusImage, kNotAliveImage);
    EXPECT_EQ(console.MonitorTable()[4].statusImage, 0);
    EXPECT_EQ(console.MonitorTable()[4].answered, 1);
    EXPECT_EQ(console.MonitorList().RowCount(), 5);
}

TEST_F(MonitorFile, A545ByteFileIsRefused) {
    std::vector<uint8_t> broken = RecordBytes({Saved(1, kNoImage), Saved(2, kNoImage)});
    broken.push_back(0);
    ASSERT_EQ(broken.size(), 545u);
    h.memory.Write(h.dir.File("monitor.cfg"), broken);
    h.ui.ExpectError("Config File Error");
    Console& console = h.Start();
    EXPECT_EQ(console.MonitorList().RowCount(), 0);
    EXPECT_STREQ(console.MonitorTable()[0].ipText, "");

    h.dialogs.ExpectAddRemoteIp({0x0A4D0063});
    console.OnAddItem();
    h.memory.Write(h.dir.File("broken.cfg"), broken);
    h.ui.ExpectFileDialog(kLoad, h.dir.File("broken.cfg"));
    h.ui.ExpectError("Config File Error");
    console.OnMonitorLoad();
    EXPECT_EQ(console.MonitorList().RowCount(), 1);
}

TEST_F(MonitorFile, LoadingSkipsListedAddressesAndDevices) {
    AgentSettings moved = NumberedAgent(2);
    moved.ip = 0x0A4D0909;
    DeviceRecord handAdded = HandAddedRecord(0x0A4D0063);
    h.WriteMonitorFile({Saved(1, kNoImage), Saved(2, kNoImage), handAdded});
    Console& console = h.Start();
    console.OnMonitorSave();

    h.ui.ExpectFileDialog(kLoad, h.dir.File("monitor.cfg"));
    for (int k = 0; k < 3; ++k) {
        h.ui.ExpectBox(Warning("Duplicate ip in monitor list"));
    }
    console.OnMonitorLoad();
    EXPECT_EQ(console.MonitorList().RowCount(), 3);

    // A second hand-added entry never matches by its empty MAC text; a known MAC does.
    h.memory.Write(h.dir.File("other.cfg"),
                   RecordBytes({StoredRecord(moved, kType), HandAddedRecord(0x0A4D0064),
                                HandAddedRecord(0x0A4D0064)}));
    h.ui.ExpectFileDialog(kLoad, h.dir.File("other.cfg"));
    h.ui.ExpectBox(Warning("Duplicate device in monitor list"));
    h.ui.ExpectBox(Warning("Duplicate ip in monitor list"));
    console.OnMonitorLoad();
    ASSERT_EQ(console.MonitorList().RowCount(), 4);
    EXPECT_EQ(console.MonitorList().Text(3, 1), "10.77.0.100");
}

TEST_F(MonitorFile, SaveAsAndLoadAskForAFileAndDoNothingOnCancel) {
    h.WriteMonitorFile({Saved(1, kNoImage)});
    Console& console = h.Start();
    h.ui.ExpectFileDialog(kSaveAs, std::nullopt);
    console.OnMonitorSaveAs();
    h.ui.ExpectFileDialog(kSaveAs, h.dir.File("copy.cfg"));
    console.OnMonitorSaveAs();
    EXPECT_EQ(h.memory.Read(h.dir.File("copy.cfg")), TableBytes(console.MonitorTable(), 1));

    h.ui.ExpectFileDialog(kLoad, std::nullopt);
    console.OnMonitorLoad();
    EXPECT_EQ(console.MonitorList().RowCount(), 1);

    // An empty list saves an empty file, and loading that changes nothing.
    h.ui.ExpectBox(MessageBoxRequest{"Are you sure to delete this item ?", "Warning",
                                     BoxIcon::Warning, BoxButtons::OkCancel, BoxOwner::MainWindow});
    console.OnSelect(ListId::Monitor, 0, true);
    console.OnDeleteItem();
    h.ui.ExpectFileDialog(kSaveAs, h.dir.File("empty.cfg"));
    console.OnMonitorSaveAs();
    EXPECT_TRUE(h.memory.Exists(h.dir.File("empty.cfg")));
    EXPECT_EQ(h.memory.Read(h.dir.File("empty.cfg")).size(), 0u);
    h.ui.ExpectFileDialog(kLoad, h.dir.File("empty.cfg"));
    console.OnMonitorLoad();
    EXPECT_EQ(console.MonitorList().RowCount(), 0);
}

TEST_F(MonitorFile, NoRecordGoesPastSlot255) {
    std::vector<DeviceRecord> records;
    for (int n = 0; n < kTableSlots + 1; ++n) {
        records.push_back(Saved(n, kNoImage));
    }
    // At start-up only the first 256 records of a longer file are read.
    h.WriteMonitorFile(records);
    Console& console = h.Start();
    ASSERT_EQ(console.MonitorList().RowCount(), kTableSlots);
    EXPECT_EQ(console.MonitorList().Text(255, 2), "020a1b0000ff");

    h.ui.ExpectBox(MessageBoxRequest{"Are you sure to delete this item ?", "Warning",
                                     BoxIcon::Warning, BoxButtons::OkCancel, BoxOwner::MainWindow});
    console.OnSelect(ListId::Monitor, 0, true);
    console.OnDeleteItem();
    h.memory.Write(h.dir.File("three.cfg"),
                   RecordBytes({Saved(300, kNoImage), Saved(301, kNoImage), Saved(302, kNoImage)}));
    h.ui.ExpectFileDialog(kLoad, h.dir.File("three.cfg"));
    h.ui.ExpectError("out of 256 device in monitor list");
    console.OnMonitorLoad();
    EXPECT_EQ(console.MonitorList().RowCount(), kTableSlots);
    EXPECT_EQ(console.MonitorList().Text(255, 2), "020a1b00012c");
}

}  // namespace
}  // namespace vantelo::test
