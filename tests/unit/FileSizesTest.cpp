// Definition and monitor list files of every size around and past their limits: each is taken
// or refused as a whole, and a console that starts with one keeps its tables and lists in step.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "persistence/DefinitionFile.h"
#include "persistence/DefinitionWriter.h"
#include "persistence/MonitorFile.h"
#include "support/ConsoleHarness.h"
#include "support/MemoryFileSystem.h"
#include "support/QuietPorts.h"
#include "support/TableInvariants.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;
constexpr size_t kRecord = sizeof(DeviceRecord);

std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes) {
        byte = static_cast<uint8_t>(random());
    }
    return bytes;
}

// A valid file's bytes repeated or cut to size.
std::vector<uint8_t> Cycled(const std::vector<uint8_t>& valid, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = valid[i % valid.size()];
    }
    return bytes;
}

// Every size from 0 to 300 bytes, of the valid file's bytes and of random bytes: only the
// valid file itself gives values; past 256 bytes nothing does.
TEST(FileSizes, DefinitionFilesOfEverySizeUpTo300Bytes) {
    const std::vector<uint8_t> valid = BuildDefinitionFile(kType, 8000);
    MemoryFileSystem files;
    for (size_t size = 0; size <= 300; ++size) {
        SCOPED_TRACE(size);
        for (const std::vector<uint8_t>& bytes :
             {Cycled(valid, size), RandomBytes(size, static_cast<uint32_t>(size))}) {
            files.files["/cfg/define.ecf"] = bytes;
            DefinitionValues values{};
            const int result = LoadDefinitionFile(files, "/cfg/define.ecf", &values);
            if (bytes == valid) {
                EXPECT_EQ(result, 0);
                EXPECT_EQ(values.deviceTypeId, kType);
                EXPECT_EQ(values.basePort, 8000);
            } else if (size > kDefinitionFileMax || size < kDefinitionFileMin) {
                EXPECT_EQ(result, -1);
            }
        }
    }
}

// The sizes a monitor list file is read at: every size up to two records and a byte, then every
// 97th to 70,000, and each whole number of records with a byte less and more.
std::vector<size_t> MonitorFileSizes() {
    std::vector<size_t> sizes;
    for (size_t size = 0; size <= 2 * kRecord + 1; ++size) {
        sizes.push_back(size);
    }
    for (size_t size = 2 * kRecord + 2; size <= 70000; size += 97) {
        sizes.push_back(size);
    }
    for (size_t records = 3; records <= kTableSlots + 1; ++records) {
        sizes.insert(sizes.end(),
                     {records * kRecord - 1, records * kRecord, records * kRecord + 1});
    }
    sizes.push_back(70000);
    return sizes;
}

std::vector<uint8_t> StoredAgents(int count) {
    std::vector<DeviceRecord> records;
    for (int n = 1; n <= count; ++n) {
        records.push_back(StoredRecord(NumberedAgent(n), kType));
    }
    return RecordBytes(records);
}

// A whole number of records up to 256 is read whole; anything else of up to 256 records is
// refused; a longer file gives its first 256 records.
TEST(FileSizes, MonitorListFilesUpTo70000Bytes) {
    const std::vector<uint8_t> agents = StoredAgents(kTableSlots + 1);
    MemoryFileSystem files;
    for (size_t size : MonitorFileSizes()) {
        SCOPED_TRACE(size);
        files.files["/cfg/monitor.cfg"] = Cycled(agents, size);
        DeviceTable table{};
        const int result = ReadMonitorFile(files, "/cfg/monitor.cfg", &table);
        if (size > kMonitorFileMax) {
            EXPECT_EQ(result, kTableSlots);
        } else if (size % kRecord == 0) {
            EXPECT_EQ(result, static_cast<int>(size / kRecord));
        } else {
            EXPECT_EQ(result, -1);
        }
    }
}

// The console starts with monitor list files of random bytes and of cut lists at a sample of
// sizes: whatever it takes, each table matches its list, and a refused file leaves the list empty.
TEST(FileSizes, AConsoleStartsWithAnyMonitorListFile) {
    const std::vector<uint8_t> agents = StoredAgents(kTableSlots + 1);
    const std::vector<size_t> sizes = MonitorFileSizes();
    for (size_t at = 0; at < sizes.size(); at += 7) {
        const size_t size = sizes[at];
        SCOPED_TRACE(size);
        for (const std::vector<uint8_t>& bytes :
             {Cycled(agents, size), RandomBytes(size, static_cast<uint32_t>(size))}) {
            ConsoleHarness h;
            h.memory.Write(h.dir.File("monitor.cfg"), bytes);
            QuietUserInteraction ui;
            ConsolePorts ports{&h.network,   &h.clock,   &h.clock, &ui,
                               &h.addresses, &h.dialogs, &h.files, h.dir.Path()};
            Console console(ports);
            console.Initialize(h.view);
            EXPECT_EQ(TableListMismatch(console), "");
            const bool whole = size <= kMonitorFileMax && size % kRecord == 0;
            if (!whole && size <= kMonitorFileMax) {
                EXPECT_EQ(console.MonitorList().RowCount(), 0);
            }
            EXPECT_LE(console.MonitorList().RowCount(), kTableSlots);
        }
    }
}

}  // namespace
}  // namespace vantelo::test
