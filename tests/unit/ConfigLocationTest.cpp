#include "platform/files/ConfigLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestFiles.h"

namespace vantelo::test {
namespace {

namespace fs = std::filesystem;

const std::vector<uint8_t> kShipped = {'s', 'h', 'i', 'p', 'p', 'e', 'd'};
const std::vector<uint8_t> kOwn = {'o', 'w', 'n'};

// A prefix with the program in bin/, and a home directory, under a fresh temporary directory.
class ConfigLocation : public ::testing::Test {
protected:
    std::string Path(const std::string& relative) const { return root.Path() + "/" + relative; }
    std::string Program() const { return Path("prefix/bin/vantelo"); }

    void Install() {
        fs::create_directories(Path("prefix/share/vantelo"));
        WriteBytes(Path("prefix/share/vantelo/define.ecf"), kShipped);
    }

    std::string Resolve(const ConfigEnvironment& env) const {
        return ConsoleConfigDirectory(Program(), env);
    }

    ConfigEnvironment Home() const { return ConfigEnvironment{"", Path("home")}; }

    void SetUp() override {
        fs::create_directories(Path("prefix/bin"));
        fs::create_directories(Path("home"));
    }

    TempDirectory root;
};

TEST_F(ConfigLocation, ChoosesByLayoutAndEnvironment) {
    struct Case {
        const char* name;
        bool installed;
        bool cfgBesideProgram;
        const char* xdg;   // relative to the root; "" unset, "~" a relative value
        const char* home;  // relative to the root; "" unset
        const char* expected;
    } cases[] = {
        {"build tree", false, true, "xdg", "home", "prefix/bin/cfg"},
        {"no layout at all", false, false, "xdg", "home", "prefix/bin/cfg"},
        {"installed copy that keeps its cfg", true, true, "xdg", "home", "prefix/bin/cfg"},
        {"installed, XDG set", true, false, "xdg", "home", "xdg/vantelo"},
        {"installed, XDG unset", true, false, "", "home", "home/.config/vantelo"},
        {"installed, XDG relative", true, false, "~", "home", "home/.config/vantelo"},
        {"installed, no home at all", true, false, "", "", "prefix/bin/cfg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDirectory fresh;
        std::string base = fresh.Path() + "/";
        fs::create_directories(base + "prefix/bin");
        if (c.installed) {
            fs::create_directories(base + "prefix/share/vantelo");
        }
        if (c.cfgBesideProgram) {
            fs::create_directories(base + "prefix/bin/cfg");
        }
        std::string xdg = c.xdg[0] == '\0'  ? std::string()
                          : c.xdg[0] == '~' ? std::string("relative/xdg")
                                            : base + c.xdg;
        std::string home = c.home[0] == '\0' ? std::string() : base + c.home;
        EXPECT_EQ(ConsoleConfigDirectory(base + "prefix/bin/vantelo", ConfigEnvironment{xdg, home}),
                  base + c.expected);
    }
}

TEST_F(ConfigLocation, AnInstalledProgramMakesThePrivateDirectoryAndCopiesTheDefinition) {
    Install();
    std::string dir = Resolve(Home());
    ASSERT_EQ(dir, Path("home/.config/vantelo"));
    for (const char* made : {"home/.config", "home/.config/vantelo"}) {
        struct stat status {};
        ASSERT_EQ(::stat(Path(made).c_str(), &status), 0) << made;
        EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
    }
    EXPECT_EQ(ReadBytes(dir + "/define.ecf"), kShipped);
    EXPECT_EQ(DirectoryEntries(dir), (std::set<std::string>{"define.ecf"}));
}

TEST_F(ConfigLocation, TheOperatorsOwnFilesAreNeverReplaced) {
    Install();
    fs::create_directories(Path("home/.config/vantelo"));
    WriteBytes(Path("home/.config/vantelo/define.ecf"), kOwn);
    WriteBytes(Path("home/.config/vantelo/monitor.cfg"), kOwn);
    EXPECT_EQ(Resolve(Home()), Path("home/.config/vantelo"));
    EXPECT_EQ(ReadBytes(Path("home/.config/vantelo/define.ecf")), kOwn);
    EXPECT_EQ(ReadBytes(Path("home/.config/vantelo/monitor.cfg")), kOwn);

    // A dangling link is the operator's too: the copy does not write through it.
    fs::remove(Path("home/.config/vantelo/define.ecf"));
    fs::create_symlink(Path("elsewhere.ecf"), Path("home/.config/vantelo/define.ecf"));
    Resolve(Home());
    EXPECT_FALSE(fs::exists(Path("elsewhere.ecf")));
}

TEST_F(ConfigLocation, NothingToCopyOrNowhereToWriteStillGivesTheDirectory) {
    fs::create_directories(Path("prefix/share/vantelo"));
    EXPECT_EQ(Resolve(Home()), Path("home/.config/vantelo"));
    EXPECT_TRUE(DirectoryEntries(Path("home/.config/vantelo")).empty());

    // A file where the directory should be: the console will report the missing definition.
    Install();
    WriteBytes(Path("blocked"), kOwn);
    EXPECT_EQ(Resolve(ConfigEnvironment{Path("blocked"), ""}), Path("blocked/vantelo"));
    EXPECT_EQ(ReadBytes(Path("blocked")), kOwn);
}

}  // namespace
}  // namespace vantelo::test
