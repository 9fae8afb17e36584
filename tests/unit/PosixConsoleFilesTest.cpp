// The console over real files: the faults that only a real file system has (a FIFO in place of
// a file, a disk that takes part of a write, a directory in place of a file) end in the same
// boxes as a missing file and leave what was there whole.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "persistence/ConfigDirectory.h"
#include "persistence/DefinitionFile.h"
#include "persistence/DefinitionWriter.h"
#include "platform/files/PosixFileSystem.h"
#include "support/ConsoleHarness.h"
#include "support/FileFaults.h"
#include "support/TableInvariants.h"
#include "support/TestFiles.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
constexpr uint32_t kAgentIp = 0x0A4D0002;
const FileDialogRequest kSaveAs{true, "config File (*.cfg)|*.cfg||", "*.cfg", "Default.cfg"};

// A console harness whose files are real ones in a temporary directory.
struct RealFilesHarness {
    TempDirectory dir;
    PosixFileSystem files;
    ConsoleHarness h{files, dir.Path()};
};

TEST(ConsoleStartup, AFifoInPlaceOfAFileIsUnreadableAndNeverWaitedOn) {
    struct Case {
        const char* name;
        bool defineIsFifo;
        bool monitorIsFifo;
    } cases[] = {
        {"define.ecf", true, false},
        {"monitor.cfg", false, true},
        {"both", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RealFilesHarness real;
        ConsoleHarness& h = real.h;
        h.WriteMonitorFile({HandAddedRecord(kAgentIp)});
        std::vector<std::unique_ptr<FifoWatchdog>> watchdogs;
        for (auto [name, isFifo] :
             {std::pair{"define.ecf", c.defineIsFifo}, std::pair{"monitor.cfg", c.monitorIsFifo}}) {
            if (isFifo) {
                std::remove(h.dir.File(name).c_str());
                ASSERT_EQ(::mkfifo(h.dir.File(name).c_str(), 0644), 0);
                watchdogs.push_back(std::make_unique<FifoWatchdog>(h.dir.File(name)));
            }
        }
        // As for a missing file: two boxes for the definition file, none for the monitor list.
        if (c.defineIsFifo) {
            h.ui.ExpectError("define.ecf checksum error", "file error");
            h.ui.ExpectError("It will cause the application fail\n ");
        }
        Console& console = h.Start();
        for (const auto& watchdog : watchdogs) {
            EXPECT_FALSE(watchdog->Fired());
        }
        EXPECT_EQ(console.Sockets().DeviceTypeId(),
                  c.defineIsFifo ? 0u : ConsoleHarness::kDeviceTypeId);
        EXPECT_EQ(console.MonitorList().RowCount(), c.monitorIsFifo ? 0 : 1);
        EXPECT_TRUE(h.network.IsBound(c.defineIsFifo ? 1 : 8001));
    }
}

TEST(MonitorFileSave, AFailureShowsABoxAndLeavesTheEarlierFileWhole) {
    enum class Fault { DiskTakesPart, TargetIsADirectory, DirectoryMissing, TargetIsAFifo };
    struct Case {
        const char* name;
        bool saveAs;
        Fault fault;
    } cases[] = {
        {"Monitor save, the disk takes only part of the list", false, Fault::DiskTakesPart},
        {"Monitor save, monitor.cfg is a directory", false, Fault::TargetIsADirectory},
        {"Save as over a file, the disk takes only part of the list", true, Fault::DiskTakesPart},
        {"Save as into a missing directory", true, Fault::DirectoryMissing},
        {"Save as onto a FIFO", true, Fault::TargetIsAFifo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RealFilesHarness real;
        ConsoleHarness& h = real.h;
        std::vector<uint8_t> before = RecordBytes(
            {StoredRecord(NumberedAgent(1), kType), StoredRecord(NumberedAgent(2), kType)});
        WriteBytes(h.dir.File("monitor.cfg"), before);
        Console& console = h.Start();
        // One record fewer than the file holds, so a written file would differ.
        h.ui.ExpectBox(MessageBoxRequest{"Are you sure to delete this item ?", "Warning",
                                         BoxIcon::Warning, BoxButtons::OkCancel,
                                         BoxOwner::MainWindow});
        console.OnSelect(ListId::Monitor, 0, true);
        console.OnDeleteItem();

        std::string target = h.dir.File(!c.saveAs                            ? "monitor.cfg"
                                        : c.fault == Fault::DirectoryMissing ? "absent/copy.cfg"
                                                                             : "copy.cfg");
        std::filesystem::remove(target);
        if (c.fault == Fault::DiskTakesPart) {
            WriteBytes(target, before);
        } else if (c.fault == Fault::TargetIsADirectory) {
            std::filesystem::create_directory(target);
        } else if (c.fault == Fault::TargetIsAFifo) {
            ASSERT_EQ(::mkfifo(target.c_str(), 0644), 0);
        }
        std::set<std::string> entries = DirectoryEntries(h.dir.Path());

        h.ui.ExpectError("Monitor list save fail", "file error");
        {
            FifoWatchdog watchdog(target);
            std::optional<FileSizeLimit> limit;
            if (c.fault == Fault::DiskTakesPart) {
                limit.emplace(100);
            }
            if (c.saveAs) {
                h.ui.ExpectFileDialog(kSaveAs, target);
                console.OnMonitorSaveAs();
            } else {
                console.OnMonitorSave();
            }
            EXPECT_FALSE(watchdog.Fired());
        }
        EXPECT_TRUE(h.ui.AllShown());
        EXPECT_EQ(DirectoryEntries(h.dir.Path()), entries);
        if (c.fault == Fault::DiskTakesPart) {
            EXPECT_EQ(ReadBytes(target), before);
        }
        EXPECT_EQ(TableListMismatch(console), "");
    }
}

TEST(DefinitionFile, LoadsFromDiskAndFailsOnMissingOrDirectory) {
    std::string dir = ::testing::TempDir() + "vantelo_define_" + std::to_string(getpid());
    std::string path = JoinPath(dir, kDefinitionFileName);
    PosixFileSystem files;
    DefinitionValues values{};
    EXPECT_EQ(LoadDefinitionFile(files, path, &values), -1);
    ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
    EXPECT_EQ(LoadDefinitionFile(files, dir, &values), -1);
    std::vector<uint8_t> bytes = BuildDefinitionFile(0xCAFE0001, 0x2000);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(LoadDefinitionFile(files, path, &values), 0);
    EXPECT_EQ(values.deviceTypeId, 0xCAFE0001u);
    EXPECT_EQ(values.basePort, 0x2000);
    std::remove(path.c_str());
    ::rmdir(dir.c_str());
}

}  // namespace
}  // namespace vantelo::test
