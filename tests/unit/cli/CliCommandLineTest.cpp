#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace vantelo::cli {
namespace {

CliOptions Parsed(const std::vector<std::string>& arguments) {
    CliOptions options;
    std::string error;
    EXPECT_EQ(ParseCommandLine(arguments, &options, &error), 0) << error;
    return options;
}

std::string Refusal(const std::vector<std::string>& arguments) {
    CliOptions options;
    options.timeoutMs = 1234;
    std::string error;
    EXPECT_EQ(ParseCommandLine(arguments, &options, &error), -1);
    EXPECT_EQ(options.timeoutMs, 1234) << "a refused command line changed the options";
    return error;
}

TEST(CliCommandLine, AgentsAreNamedByMacInEveryWrittenFormOrByAddress) {
    struct Case {
        const char* given;
        const char* macText;
        const char* ipText;
    } cases[] = {
        {"020A1B2C3D4E", "020a1b2c3d4e", ""},
        {"02:0a:1b:2c:3d:4e", "020a1b2c3d4e", ""},
        {"02-0A-1B-2C-3D-4E", "020a1b2c3d4e", ""},
        {"10.77.0.10", "", "10.77.0.10"},
        {"0.0.0.0", "", "0.0.0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        CliOptions options = Parsed({"set", c.given, "--password", "p"});
        EXPECT_EQ(options.agent.macText, c.macText);
        EXPECT_EQ(options.agent.ipText, c.ipText);
    }
    for (const char* bad :
         {"02:0a:1b:2c:3d", "02:0a:1b:2c:3d:4e:5f", "020a1b2c3d4g", "02:0a1b:2c:3d:4e",
          "0:0a:1b:2c:3d:4e:", "10.77.0", "10.77.0.256", "010.77.0.1.", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Refusal({"upgrade", bad, "--file", "f", "--password", "p"}),
                  "not a MAC address or an IPv4 address: '" + std::string(bad) + "'");
    }
}

TEST(CliCommandLine, SettingsKeepOnlyWhatWasGivenAndValuesMayLookLikeOptions) {
    CliOptions options =
        Parsed({"--cfg", "/etc/vantelo", "set", "10.77.0.10", "--location=", "--system-name",
                "--json", "--dhcp=off", "--password", "-x y"});
    EXPECT_EQ(options.command, Command::Set);
    EXPECT_EQ(options.configDirectory, "/etc/vantelo");
    EXPECT_EQ(options.settings.location, "");
    EXPECT_EQ(options.settings.systemName, "--json");
    EXPECT_EQ(options.settings.dhcp, false);
    EXPECT_FALSE(options.settings.ip.has_value());
    EXPECT_FALSE(options.settings.trapIp.has_value());
    EXPECT_EQ(options.password, "-x y");
    EXPECT_EQ(options.format, OutputFormat::Text);
}

TEST(CliCommandLine, EachCommandTakesItsOwnOptionsOnly) {
    struct Case {
        std::vector<std::string> arguments;
        Command command;
        OutputFormat format;
        int timeoutMs;
    } cases[] = {
        {{"discover"}, Command::Discover, OutputFormat::Text, 0},
        {{"discover", "--json", "--timeout", "600000"},
         Command::Discover,
         OutputFormat::Json,
         600000},
        {{"watch", "--json", "--interval=300"}, Command::Watch, OutputFormat::Json, 0},
        {{"monitor", "list", "--csv"}, Command::MonitorList, OutputFormat::Csv, 0},
        {{"monitor", "export", "--cfg", "d", "out.cfg"},
         Command::MonitorExport,
         OutputFormat::Text,
         0},
        {{"password", "--new-password", "n", "--password", "p", "10.0.0.1", "--timeout=1"},
         Command::Password,
         OutputFormat::Text,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        CliOptions options = Parsed(c.arguments);
        EXPECT_EQ(options.command, c.command);
        EXPECT_EQ(options.format, c.format);
        EXPECT_EQ(options.timeoutMs, c.timeoutMs);
    }
    EXPECT_EQ(Refusal({"monitor", "add", "10.0.0.1", "--json"}),
              "--json is not an option of monitor add");
    EXPECT_EQ(Refusal({"--json", "discover"}), "--json is not an option of vantelo-cli");
    EXPECT_EQ(Refusal({"watch", "--interval", "15", "--interval", "30"}),
              "--interval is given twice");
}

TEST(CliCommandLine, SetPasswordAndUpgradeTakeSeveralTargetsOrTheMonitorList) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> targets;  // the MAC or IP text of each, in order
        bool monitored;
        bool stopOnFailure;
    } cases[] = {
        {{"set", "10.0.0.1", "--password", "p"}, {"10.0.0.1"}, false, false},
        {{"set", "10.0.0.1", "02:0a:1b:00:00:02", "10.0.0.3", "--location", "x", "--password", "p"},
         {"10.0.0.1", "020a1b000002", "10.0.0.3"},
         false,
         false},
        {{"upgrade", "--monitored", "--file", "f", "--password", "p", "--stop-on-failure"},
         {},
         true,
         true},
        {{"password", "10.0.0.1", "10.0.0.1", "--new-password", "n", "--password", "p"},
         {"10.0.0.1", "10.0.0.1"},
         false,
         false},
        {{"set", "10.0.0.1", "--ip", "10.0.0.9", "--password", "p", "--json"},
         {"10.0.0.1"},
         false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[1]);
        CliOptions options = Parsed(c.arguments);
        std::vector<std::string> targets;
        for (const AgentKey& key : options.agents) {
            targets.push_back(key.macText.empty() ? key.ipText : key.macText);
        }
        EXPECT_EQ(targets, c.targets);
        EXPECT_EQ(options.monitored, c.monitored);
        EXPECT_EQ(options.stopOnFailure, c.stopOnFailure);
        if (!c.targets.empty()) {
            EXPECT_EQ(options.agent.ipText, options.agents.front().ipText);
            EXPECT_EQ(options.agent.macText, options.agents.front().macText);
        }
    }
    struct Refused {
        std::vector<std::string> arguments;
        const char* error;
    } refused[] = {
        {{"set", "10.0.0.1", "10.0.0.2", "--ip", "10.0.0.9", "--password", "p"},
         "--ip fits one agent only: name a single target"},
        {{"set", "--monitored", "--ip", "10.0.0.9", "--password", "p"},
         "--ip fits one agent only: name a single target"},
        {{"set", "10.0.0.1", "--monitored", "--password", "p"},
         "--monitored and named agents exclude each other"},
        {{"set", "10.0.0.1", "10.0.0.300", "--password", "p"},
         "not a MAC address or an IPv4 address: '10.0.0.300'"},
        {{"discover", "--monitored"}, "--monitored is not an option of discover"},
        {{"monitor", "add", "10.0.0.1", "10.0.0.2"}, "unexpected argument '10.0.0.2'"},
        {{"upgrade", "--file", "f", "--password", "p"},
         "upgrade needs the agent's MAC or IP address"},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.error);
        EXPECT_EQ(Refusal(r.arguments), r.error);
    }
}

TEST(CliCommandLine, HelpAndVersionWinOverWhateverFollows) {
    EXPECT_EQ(Parsed({"set", "--help", "--frob"}).command, Command::Help);
    EXPECT_EQ(Parsed({"--version", "frobnicate"}).command, Command::Version);
    EXPECT_EQ(Refusal({"frobnicate", "--help"}),
              "unknown command 'frobnicate'; see vantelo-cli --help");
}

}  // namespace
}  // namespace vantelo::cli
