// Where the passwords of set, password and upgrade come from, and what is refused.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ExitCode.h"
#include "cli/Secrets.h"

namespace vantelo::cli {
namespace {

// Files and an environment in memory; a file that is not in files cannot be read.
struct FakeSources {
    std::map<std::string, std::string> environment;
    std::map<std::string, std::string> files;  // their first lines
    std::vector<std::string> read;

    SecretSources Sources() {
        SecretSources sources;
        sources.environment = [this](const char* name) -> std::optional<std::string> {
            auto found = environment.find(name);
            return found != environment.end() ? std::optional(found->second) : std::nullopt;
        };
        sources.firstLine = [this](const std::string& path, std::string* line) {
            read.push_back(path);
            auto found = files.find(path);
            if (found == files.end()) {
                return -1;
            }
            *line = found->second;
            return 0;
        };
        return sources;
    }
};

TEST(CliSecrets, APasswordComesFromItsFileTheCommandLineOrTheEnvironment) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::map<std::string, std::string> environment;
        int code;
        const char* password;
        const char* newPassword;
        const char* error;
    } cases[] = {
        {"file", {"set", "10.0.0.1", "--password-file", "pw"}, {}, kExitDone, "from-file", "", ""},
        {"stdin",
         {"upgrade", "10.0.0.1", "--file", "f", "--password-file", "-"},
         {},
         kExitDone,
         "from-stdin",
         "",
         ""},
        {"environment",
         {"set", "10.0.0.1"},
         {{"VANTELO_PASSWORD", "from-env"}},
         kExitDone,
         "from-env",
         "",
         ""},
        {"command line before the environment",
         {"set", "10.0.0.1", "--password", "typed"},
         {{"VANTELO_PASSWORD", "from-env"}},
         kExitDone,
         "typed",
         "",
         ""},
        {"file before the environment",
         {"set", "10.0.0.1", "--password-file", "pw"},
         {{"VANTELO_PASSWORD", "from-env"}},
         kExitDone,
         "from-file",
         "",
         ""},
        {"both of the password command from the environment",
         {"password", "10.0.0.1"},
         {{"VANTELO_PASSWORD", "old"}, {"VANTELO_NEW_PASSWORD", "new"}},
         kExitDone,
         "old",
         "new",
         ""},
        {"new password from a file, old from stdin",
         {"password", "10.0.0.1", "--new-password-file", "new", "--password-file", "-"},
         {},
         kExitDone,
         "from-stdin",
         "newer",
         ""},
        {"none",
         {"set", "10.0.0.1"},
         {},
         kExitBadInput,
         "",
         "",
         "set needs --password-file FILE, VANTELO_PASSWORD or --password"},
        {"an empty variable is none",
         {"upgrade", "10.0.0.1", "--file", "f"},
         {{"VANTELO_PASSWORD", ""}},
         kExitBadInput,
         "",
         "",
         "upgrade needs --password-file FILE, VANTELO_PASSWORD or --password"},
        {"no new password",
         {"password", "10.0.0.1", "--password", "p"},
         {},
         kExitBadInput,
         "p",
         "",
         "password needs --new-password-file FILE, VANTELO_NEW_PASSWORD or --new-password"},
        {"the old variable does not stand for the new",
         {"password", "10.0.0.1"},
         {{"VANTELO_PASSWORD", "old"}},
         kExitBadInput,
         "old",
         "",
         "password needs --new-password-file FILE, VANTELO_NEW_PASSWORD or --new-password"},
        {"unreadable file",
         {"set", "10.0.0.1", "--password-file", "missing"},
         {{"VANTELO_PASSWORD", "from-env"}},
         kExitFile,
         "",
         "",
         "cannot read --password-file missing"},
        {"empty first line",
         {"set", "10.0.0.1", "--password-file", "empty"},
         {},
         kExitBadInput,
         "",
         "",
         "the first line of --password-file empty is empty"},
        {"commands without passwords look at nothing", {"discover"}, {}, kExitDone, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CliOptions options;
        std::string error;
        ASSERT_EQ(ParseCommandLine(c.arguments, &options, &error), 0) << error;
        FakeSources fake;
        fake.environment = c.environment;
        fake.files = {{"pw", "from-file"}, {"-", "from-stdin"}, {"new", "newer"}, {"empty", ""}};
        EXPECT_EQ(ResolveSecrets(&options, fake.Sources(), &error), c.code);
        EXPECT_EQ(options.password, c.password);
        EXPECT_EQ(options.newPassword, c.newPassword);
        EXPECT_EQ(error, c.error);
    }
}

TEST(CliSecrets, ConflictingSourcesAreBadArguments) {
    struct Case {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"set", "10.0.0.1", "--password", "p", "--password-file", "pw"},
         "--password and --password-file exclude each other"},
        {{"password", "10.0.0.1", "--new-password", "n", "--new-password-file", "pw", "--password",
          "p"},
         "--new-password and --new-password-file exclude each other"},
        {{"password", "10.0.0.1", "--new-password-file", "-", "--password-file", "-"},
         "--password-file and --new-password-file cannot both read standard input"},
        {{"set", "10.0.0.1", "--password-file="},
         "--password-file needs a file name, or - for standard input"},
        {{"set", "10.0.0.1", "--new-password-file", "pw"},
         "--new-password-file is not an option of set"},
        {{"discover", "--password-file", "pw"}, "--password-file is not an option of discover"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        CliOptions options;
        std::string error;
        EXPECT_EQ(ParseCommandLine(c.arguments, &options, &error), -1);
        EXPECT_EQ(error, c.error);
    }
}

// A file's first line is the password: what follows it is not read into it.
TEST(CliSecrets, TheProcessSourcesReadTheFirstLineWithoutItsEnd) {
    struct Case {
        const char* content;
        const char* line;
    } cases[] = {
        {"secret\nsecond\n", "secret"},       {"secret\r\nsecond", "secret"},
        {"no line end", "no line end"},       {"\nafter an empty line", ""},
        {" spaces kept \n", " spaces kept "}, {"", ""},
    };
    std::string path = ::testing::TempDir() + "vantelo-cli-secret";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(c.content, file);
        std::fclose(file);
        std::string line = "old";
        EXPECT_EQ(ProcessSecretSources().firstLine(path, &line), 0);
        EXPECT_EQ(line, c.line);
    }
    std::remove(path.c_str());
    std::string line;
    EXPECT_EQ(ProcessSecretSources().firstLine(path, &line), -1);
    EXPECT_EQ(ProcessSecretSources().firstLine(::testing::TempDir(), &line), -1);
}

}  // namespace
}  // namespace vantelo::cli
