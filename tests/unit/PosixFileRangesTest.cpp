#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/PosixFileSystem.h"
#include "support/FileFaults.h"
#include "support/TestFiles.h"

namespace vantelo::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 13 + i / 509);
    }
    return bytes;
}

class PosixFileRanges : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return dir.File(name); }

    TempDirectory dir;
    PosixFileSystem files;
};

TEST_F(PosixFileRanges, ARangeReadGivesTheBytesAtTheOffsetAndNonePastTheEnd) {
    const std::vector<uint8_t> content = Pattern(1500);
    WriteBytes(File("image.hex"), content);
    struct Case {
        uint64_t offset;
        size_t limit;
        size_t expected;
    } cases[] = {
        {0, 512, 512},        {512, 512, 512}, {1024, 512, 476}, {1500, 512, 0},    {4096, 512, 0},
        {UINT64_MAX, 512, 0}, {1499, 512, 1},  {0, 0, 0},        {100, 2000, 1400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << ", limit " << c.limit);
        std::vector<uint8_t> bytes{1, 2, 3};
        uint64_t size = 0;
        int result = files.ReadRange(File("image.hex"), c.offset, c.limit, &bytes, &size);
        if (c.offset > INT64_MAX) {
            EXPECT_EQ(result, -1);
            EXPECT_TRUE(bytes.empty());
            continue;
        }
        ASSERT_EQ(result, 0);
        EXPECT_EQ(size, 1500u);
        auto first = content.begin() + static_cast<long>(std::min<uint64_t>(c.offset, 1500));
        EXPECT_EQ(bytes, std::vector<uint8_t>(first, first + static_cast<long>(c.expected)));
    }
    uint64_t size = 0;
    ASSERT_EQ(files.FileSize(File("image.hex"), &size), 0);
    EXPECT_EQ(size, 1500u);
}

TEST_F(PosixFileRanges, SizeAndRangeRefuseWhatIsNotARegularFileWithoutWaiting) {
    fs::create_directory(File("directory"));
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0644), 0);
    for (const std::string& path :
         {File("missing"), File("directory"), File("fifo"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        FifoWatchdog watchdog(File("fifo"));
        uint64_t size = 7;
        std::vector<uint8_t> bytes{1};
        EXPECT_EQ(files.FileSize(path, &size), -1);
        EXPECT_EQ(size, 7u);
        EXPECT_EQ(files.ReadRange(path, 0, 512, &bytes, &size), -1);
        EXPECT_TRUE(bytes.empty());
        EXPECT_FALSE(watchdog.Fired()) << "the call waited on the FIFO";
    }
}

TEST_F(PosixFileRanges, AppendAddsExactlyTheBytesAndCreatesAMissingFile) {
    const std::string log = File("syslog.log");
    const std::string first = "03/15/2003 14:02:07";
    const std::string second = " 10.77.0.2 Device not found \r\n";
    ASSERT_EQ(files.AppendFile(log, reinterpret_cast<const uint8_t*>(first.data()), first.size()),
              0);
    ASSERT_EQ(files.AppendFile(log, reinterpret_cast<const uint8_t*>(second.data()), second.size()),
              0);
    ASSERT_EQ(files.AppendFile(log, nullptr, 0), 0);
    const std::string whole = first + second;
    EXPECT_EQ(ReadBytes(log), std::vector<uint8_t>(whole.begin(), whole.end()));

    fs::create_directory(File("directory"));
    EXPECT_EQ(files.AppendFile(File("directory"), reinterpret_cast<const uint8_t*>("x"), 1), -1);
    EXPECT_EQ(files.AppendFile(File("absent/syslog.log"), reinterpret_cast<const uint8_t*>("x"), 1),
              -1);
}

}  // namespace
}  // namespace vantelo::test
