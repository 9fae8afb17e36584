#include "platform/files/PosixFileSystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files/LinkTarget.h"
#include "support/FileFaults.h"
#include "support/TestFiles.h"

namespace vantelo::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Text(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    return bytes;
}

struct stat StatOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status;
}

mode_t ModeOf(const std::string& path) {
    return StatOf(path).st_mode & 07777;
}

// Sets the process's umask while it lives.
class Umask {
public:
    explicit Umask(mode_t mask) : saved_(::umask(mask)) {}
    ~Umask() { ::umask(saved_); }

private:
    mode_t saved_;
};

class PosixFiles : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return dir.File(name); }

    int Replace(const std::string& path, const std::vector<uint8_t>& bytes) {
        return files.ReplaceFile(path, bytes.data(), bytes.size());
    }

    TempDirectory dir;
    PosixFileSystem files;
};

TEST_F(PosixFiles, ReadingGivesTheFileUpToOneByteMoreThanTheLimit) {
    struct Case {
        size_t size;
        size_t limit;
        size_t expected;
    } cases[] = {
        {0, 16, 0},
        {5, 16, 5},
        {16, 16, 16},
        {17, 16, 17},
        {100, 16, 17},
        // Files that take more than one read of the adapter's buffer.
        {65536 + 10, 100000, 65536 + 10},
        {69633, 69632, 69633},
        {200000, 69632, 69633},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, limit " << c.limit);
        std::vector<uint8_t> content = Pattern(c.size);
        WriteBytes(File("data"), content);
        std::vector<uint8_t> bytes = Text("left over");
        ASSERT_EQ(files.ReadFile(File("data"), c.limit, &bytes), 0);
        content.resize(c.expected);
        EXPECT_EQ(bytes, content);
    }
}

TEST_F(PosixFiles, ReadingRefusesWhatIsNotARegularFileWithoutWaiting) {
    WriteBytes(File("real"), Text("contents"));
    fs::create_directory(File("directory"));
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0644), 0);
    fs::create_symlink("fifo", File("link-to-fifo"));
    fs::create_symlink("absent", File("dangling"));
    fs::create_symlink("real", File("link-to-real"));
    for (const std::string& path :
         {File("missing"), File("directory"), File("fifo"), File("link-to-fifo"), File("dangling"),
          std::string("/dev/null"), File("real") + "/"}) {
        SCOPED_TRACE(path);
        FifoWatchdog watchdog(File("fifo"));
        std::vector<uint8_t> bytes = Text("left over");
        EXPECT_EQ(files.ReadFile(path, 256, &bytes), -1);
        EXPECT_TRUE(bytes.empty());
        EXPECT_FALSE(watchdog.Fired()) << "the read waited on the FIFO";
    }
    std::vector<uint8_t> bytes;
    ASSERT_EQ(files.ReadFile(File("link-to-real"), 256, &bytes), 0);
    EXPECT_EQ(bytes, Text("contents"));
}

TEST_F(PosixFiles, ANewFileGetsTheUmaskAndAnOldOneKeepsItsMode) {
    struct Case {
        bool exists;
        mode_t oldMode;
        mode_t umask;
        mode_t expected;
    } cases[] = {
        {true, 0600, 022, 0600}, {true, 0640, 022, 0640}, {true, 0604, 077, 0604},
        {true, 0666, 022, 0666}, {false, 0, 022, 0644},   {false, 0, 077, 0600},
        {false, 0, 0, 0666},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << "old " << c.oldMode << " umask " << c.umask);
        std::string path = File("monitor.cfg");
        fs::remove(path);
        if (c.exists) {
            WriteBytes(path, Text("old contents"));
            ASSERT_EQ(::chmod(path.c_str(), c.oldMode), 0);
        }
        // A reader of the old file keeps reading the old contents: the new ones are a new file.
        int reader = ::open(path.c_str(), O_RDONLY);
        {
            Umask mask(c.umask);
            ASSERT_EQ(Replace(path, Text("new")), 0);
        }
        EXPECT_EQ(ModeOf(path), c.expected);
        EXPECT_EQ(ReadBytes(path), Text("new"));
        EXPECT_EQ(DirectoryEntries(dir.Path()), std::set<std::string>{"monitor.cfg"});
        if (reader >= 0) {
            char old[32] = {};
            EXPECT_EQ(::read(reader, old, sizeof old), 12);
            EXPECT_STREQ(old, "old contents");
            ::close(reader);
        }
    }
}

TEST_F(PosixFiles, AnOldFileKeepsItsOwnerWhenTheProcessMayGiveItAway) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    std::string path = File("monitor.cfg");
    WriteBytes(path, Text("old"));
    ASSERT_EQ(::chown(path.c_str(), kUnprivilegedId, kUnprivilegedId), 0);
    ASSERT_EQ(::chmod(path.c_str(), 02640), 0);
    ASSERT_EQ(Replace(path, Text("new")), 0);
    struct stat status = StatOf(path);
    EXPECT_EQ(status.st_uid, kUnprivilegedId);
    EXPECT_EQ(status.st_gid, kUnprivilegedId);
    EXPECT_EQ(status.st_mode & 07777, 02640u) << "the set-group-id bit survives the new owner";
}

TEST_F(PosixFiles, ALinkIsFollowedToItsFinalTargetAndStaysALink) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> links;  // link name, link text
        std::string target;                                      // relative to the directory
        bool targetExists;
    } cases[] = {
        {"beside", {{"monitor.cfg", "real.cfg"}}, "real.cfg", true},
        {"into a subdirectory", {{"monitor.cfg", "sub/real.cfg"}}, "sub/real.cfg", true},
        {"through a chain",
         {{"monitor.cfg", "one"}, {"one", "sub/two"}, {"sub/two", "real.cfg"}},
         "sub/real.cfg",
         true},
        {"absolute", {{"monitor.cfg", "@/sub/real.cfg"}}, "sub/real.cfg", true},
        {"to a file yet to be made", {{"monitor.cfg", "sub/new.cfg"}}, "sub/new.cfg", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDirectory where;
        fs::create_directory(where.File("sub"));
        for (const auto& [name, text] : c.links) {
            std::string linkText = text[0] == '@' ? where.Path() + text.substr(1) : text;
            fs::create_symlink(linkText, where.File(name));
        }
        if (c.targetExists) {
            WriteBytes(where.File(c.target), Text("old"));
            ASSERT_EQ(::chmod(where.File(c.target).c_str(), 0600), 0);
        }
        // Afterwards each directory holds what it held and the target, nothing left over.
        std::set<std::string> top = DirectoryEntries(where.Path());
        std::set<std::string> sub = DirectoryEntries(where.File("sub"));
        (c.target.starts_with("sub/") ? sub : top).insert(fs::path(c.target).filename());

        {
            Umask mask(022);
            ASSERT_EQ(Replace(where.File("monitor.cfg"), Text("new")), 0);
        }
        EXPECT_EQ(ReadBytes(where.File(c.target)), Text("new"));
        EXPECT_EQ(ModeOf(where.File(c.target)), c.targetExists ? 0600u : 0644u);
        for (const auto& [name, text] : c.links) {
            ASSERT_TRUE(fs::is_symlink(where.File(name))) << name;
        }
        EXPECT_EQ(fs::read_symlink(where.File("monitor.cfg")).string(),
                  c.links[0].second[0] == '@' ? where.Path() + c.links[0].second.substr(1)
                                              : c.links[0].second);
        EXPECT_EQ(DirectoryEntries(where.Path()), top);
        EXPECT_EQ(DirectoryEntries(where.File("sub")), sub);
    }
}

TEST_F(PosixFiles, ALinkAtATemporaryNameIsNeitherFollowedNorOverwritten) {
    // Names that were taken, as a stranger could plant them: the adapter must pick another.
    std::vector<uint64_t> draws = {1, 2, 3};
    size_t next = 0;
    PosixFileSystem drawn([&] { return draws[next++ % draws.size()]; });
    WriteBytes(File("victim"), Text("not yours"));
    WriteBytes(File("monitor.cfg"), Text("old"));
    fs::create_symlink(File("planted"), File("monitor.cfg.tmp"));
    fs::create_symlink(File("planted"), File(TemporaryName("monitor.cfg", 1)));
    fs::create_symlink(File("victim"), File(TemporaryName("monitor.cfg", 2)));
    std::set<std::string> before = DirectoryEntries(dir.Path());

    std::vector<uint8_t> bytes = Text("new");
    ASSERT_EQ(drawn.ReplaceFile(File("monitor.cfg"), bytes.data(), bytes.size()), 0);
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(ReadBytes(File("monitor.cfg")), Text("new"));
    EXPECT_EQ(ReadBytes(File("victim")), Text("not yours"));
    EXPECT_FALSE(fs::exists(File("planted"))) << "a dangling link was followed";
    EXPECT_EQ(DirectoryEntries(dir.Path()), before);
    EXPECT_EQ(fs::read_symlink(File(TemporaryName("monitor.cfg", 2))), File("victim"));
}

TEST_F(PosixFiles, AFileInADirectoryThatTakesNoNewFileIsOverwrittenInPlace) {
    // The configuration directory belongs to someone else while its file may be written by all,
    // as after an installation by root. Root itself would pass every permission check, so the
    // save runs as an unprivileged user (see RunUnprivileged).
    std::string path = File("monitor.cfg");
    WriteBytes(path, Text("old contents, longer than the new ones"));
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ino_t inode = StatOf(path).st_ino;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);

    int missing = RunUnprivileged([&] {
        std::vector<uint8_t> bytes = Text("x");
        return files.ReplaceFile(dir.File("new.cfg"), bytes.data(), bytes.size());
    });
    int saved = RunUnprivileged([&] {
        std::vector<uint8_t> bytes = Text("new");
        return files.ReplaceFile(path, bytes.data(), bytes.size());
    });
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0700), 0);

    EXPECT_EQ(missing, -1) << "a new file needs a directory that takes it";
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(ReadBytes(path), Text("new"));
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(DirectoryEntries(dir.Path()), std::set<std::string>{"monitor.cfg"});
}

TEST_F(PosixFiles, AFileWhoseNameLeavesNoRoomForATemporaryNameIsOverwrittenInPlace) {
    // 250 characters: the temporary name's suffix would pass the 255 a name may have.
    std::string path = File(std::string(246, 'm') + ".cfg");
    WriteBytes(path, Text("old contents"));
    ino_t inode = StatOf(path).st_ino;
    ASSERT_EQ(Replace(path, Text("new")), 0);
    EXPECT_EQ(ReadBytes(path), Text("new"));
    EXPECT_EQ(StatOf(path).st_ino, inode);
    EXPECT_EQ(DirectoryEntries(dir.Path()), std::set<std::string>{NameOf(path)});
}

TEST_F(PosixFiles, AFileThatMayNotBeWrittenIsNotReplacedThroughItsDirectory) {
    std::string path = File("monitor.cfg");
    WriteBytes(path, Text("protected"));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    int saved = RunUnprivileged([&] {
        std::vector<uint8_t> bytes = Text("new");
        return files.ReplaceFile(path, bytes.data(), bytes.size());
    });
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0700), 0);
    EXPECT_EQ(saved, -1);
    EXPECT_EQ(ReadBytes(path), Text("protected"));
    EXPECT_EQ(DirectoryEntries(dir.Path()), std::set<std::string>{"monitor.cfg"});
}

TEST_F(PosixFiles, AFailedSaveLeavesTheOldFileWholeAndNoTemporaryFile) {
    std::vector<uint8_t> old = Pattern(300);
    WriteBytes(File("monitor.cfg"), old);
    fs::create_directory(File("directory"));
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0644), 0);
    fs::create_symlink("loop-b", File("loop-a"));
    fs::create_symlink("loop-a", File("loop-b"));
    std::set<std::string> before = DirectoryEntries(dir.Path());
    struct Case {
        const char* name;
        std::string path;
        size_t sizeLimit;  // 0 for none
    } cases[] = {
        {"directory missing", File("absent/monitor.cfg"), 0},
        {"target is a directory", File("directory"), 0},
        {"target is a FIFO", File("fifo"), 0},
        {"links in a loop", File("loop-a"), 0},
        {"path ends in a separator", File("monitor.cfg") + "/", 0},
        {"the disk takes only part of the bytes", File("monitor.cfg"), 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FifoWatchdog watchdog(File("fifo"));
        std::vector<uint8_t> bytes = Pattern(5000);
        int result = 0;
        if (c.sizeLimit != 0) {
            FileSizeLimit limit(c.sizeLimit);
            result = files.ReplaceFile(c.path, bytes.data(), bytes.size());
        } else {
            result = files.ReplaceFile(c.path, bytes.data(), bytes.size());
        }
        EXPECT_EQ(result, -1);
        EXPECT_FALSE(watchdog.Fired());
        EXPECT_EQ(ReadBytes(File("monitor.cfg")), old);
        EXPECT_EQ(DirectoryEntries(dir.Path()), before);
        EXPECT_TRUE(fs::is_empty(File("directory")));
        EXPECT_TRUE(fs::is_fifo(File("fifo")));
    }
}

TEST_F(PosixFiles, AppendsAddExactlyTheirBytesAtTheEndAndCreateAMissingFile) {
    std::string log = File("syslog.log");
    ASSERT_EQ(files.AppendFile(log, reinterpret_cast<const uint8_t*>("one\r\n"), 5), 0);
    ASSERT_EQ(files.AppendFile(log, nullptr, 0), 0);
    std::vector<uint8_t> binary = {0, 255, '\n', 0};
    ASSERT_EQ(files.AppendFile(log, binary.data(), binary.size()), 0);
    std::vector<uint8_t> expected = Text("one\r\n");
    expected.insert(expected.end(), binary.begin(), binary.end());
    EXPECT_EQ(ReadBytes(log), expected);
}

TEST_F(PosixFiles, AppendingRefusesWhatIsNotARegularFileWithoutWaiting) {
    fs::create_directory(File("directory"));
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0644), 0);
    std::vector<uint8_t> line = Text("line\r\n");
    for (const std::string& path :
         {File("directory"), File("fifo"), File("missing-directory/syslog.log")}) {
        SCOPED_TRACE(path);
        FifoWatchdog watchdog(File("fifo"));
        EXPECT_EQ(files.AppendFile(path, line.data(), line.size()), -1);
        EXPECT_FALSE(watchdog.Fired()) << "the append waited on the FIFO";
    }
}

TEST_F(PosixFiles, EmptyingReplacesTheFileOrALinkWithAnEmptyFileAndLeavesATargetAlone) {
    WriteBytes(File("syslog.log"), Text("old lines"));
    ASSERT_EQ(files.EmptyFile(File("syslog.log")), 0);
    EXPECT_TRUE(ReadBytes(File("syslog.log")).empty());
    EXPECT_TRUE(fs::is_regular_file(File("syslog.log")));

    ASSERT_EQ(files.EmptyFile(File("new.log")), 0);
    EXPECT_TRUE(fs::is_regular_file(File("new.log")));

    WriteBytes(File("elsewhere"), Text("kept"));
    fs::create_symlink("elsewhere", File("linked.log"));
    ASSERT_EQ(files.EmptyFile(File("linked.log")), 0);
    EXPECT_FALSE(fs::is_symlink(File("linked.log")));
    EXPECT_EQ(ReadBytes(File("elsewhere")), Text("kept"));

    EXPECT_EQ(files.EmptyFile(File("missing-directory/syslog.log")), -1);
}

}  // namespace
}  // namespace vantelo::test
