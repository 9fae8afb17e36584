#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AgentSetup.h"
#include "Options.h"
#include "protocol/Conversions.h"

namespace vantelo::agentsim {
namespace {

constexpr const char* kGoodLine =
    "02:0a:1b:2c:3d:4e|10.77.0.20|255.255.255.0|10.77.0.1|10.77.0.1|VS-8|core one|hall A|pw|"
    "enable|2|1|no";

TEST(AgentsimAgentFile, ReadsEveryFieldOfEveryAgent) {
    std::string text = std::string("# lab\r\n\n") + kGoodLine +
                       "\r\n020a1b2c3d4f|10.77.0.21|255.255.0.0|0.0.0.0|0.0.0.0|||||none|1|3|yes\n";
    std::vector<AgentSettings> agents;
    std::string error;
    ASSERT_EQ(ParseAgentFile(text, &agents, &error), 0) << error;
    ASSERT_EQ(agents.size(), 2u);
    const AgentSettings& a = agents[0];
    EXPECT_EQ(a.mac[5], 0x4e);
    EXPECT_EQ(IpToText(a.ip), "10.77.0.20");
    EXPECT_EQ(IpToText(a.subnetMask), "255.255.255.0");
    EXPECT_EQ(a.productName, "VS-8");
    EXPECT_EQ(a.systemName, "core one");
    EXPECT_EQ(a.location, "hall A");
    EXPECT_EQ(a.password, "pw");
    EXPECT_EQ(a.dhcp, DhcpState::Enabled);
    EXPECT_EQ(a.interfaceVersion, 1);
    EXPECT_FALSE(a.loaderMode);
    const AgentSettings& b = agents[1];
    EXPECT_EQ(b.dhcp, DhcpState::NotReported);
    EXPECT_EQ(b.protocolVersion, 1);
    EXPECT_EQ(b.interfaceVersion, 3);
    EXPECT_TRUE(b.loaderMode);
    EXPECT_EQ(b.systemName, "");
}

TEST(AgentsimAgentFile, RefusesBadLinesNamingTheLine) {
    struct Case {
        std::string text;
        const char* reason;
    } cases[] = {
        {"020a1b2c3d4e|10.77.0.20", "line 1: expected 13 fields"},
        {"020a1b2c3d4|10.77.0.20|255.255.255.0|0.0.0.0|0.0.0.0|||||none|2|2|no", "bad MAC"},
        {"02:0a1b2c3d4e:|10.77.0.20|255.255.255.0|0.0.0.0|0.0.0.0|||||none|2|2|no", "bad MAC"},
        {"020a1b2c3d4e|10.77.0.256|255.255.255.0|0.0.0.0|0.0.0.0|||||none|2|2|no", "bad IP"},
        {"020a1b2c3d4e|10.77.0.20|255.255.255.0|0.0.0.0|0.0.0.0|||||on|2|2|no", "DHCP"},
        {"020a1b2c3d4e|10.77.0.20|255.255.255.0|0.0.0.0|0.0.0.0|||||none|2|4|no", "interface"},
        {"020a1b2c3d4e|10.77.0.20|255.255.255.0|0.0.0.0|0.0.0.0|||||none|2|2|1", "loader"},
        {"020a1b2c3d4e|10.77.0.20|255.255.255.0|0.0.0.0|0.0.0.0||" + std::string(21, 'n') +
             "|||none|2|2|no",
         "system name longer than 20"},
        {"020a1b2c3d4e|10.77.0.255|255.255.255.0|0.0.0.0|0.0.0.0|||||none|2|2|no",
         "not a host address"},
        {std::string(kGoodLine) + "\n" + kGoodLine, "given twice"},
        {"# nothing\n", "agent count"},
    };
    for (const Case& c : cases) {
        std::vector<AgentSettings> agents;
        std::string error;
        EXPECT_EQ(ParseAgentFile(c.text, &agents, &error), -1) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << " gave: " << error;
    }
}

TEST(AgentsimGeneratedAgents, AreConsecutiveWithMacsFromTheirAddresses) {
    GeneratedAgents generated;
    generated.count = 300;
    TextToIp("10.77.0.10", &generated.first);
    TextToIp("255.255.0.0", &generated.subnetMask);
    generated.password = "admin";
    std::vector<AgentSettings> agents;
    std::string error;
    ASSERT_EQ(GenerateAgents(generated, &agents, &error), 0) << error;
    ASSERT_EQ(agents.size(), 300u);
    EXPECT_EQ(IpToText(agents[299].ip), "10.77.1.53");
    char mac[13];
    MacToText(agents[299].mac, mac);
    EXPECT_STREQ(mac, "02000a4d0135");
    EXPECT_EQ(agents[299].systemName, "agent-300");

    for (size_t count : {size_t{0}, size_t{1001}}) {
        generated.count = count;
        EXPECT_EQ(GenerateAgents(generated, &agents, &error), -1) << count;
    }
    generated.count = 10;
    TextToIp("10.77.255.250", &generated.first);
    EXPECT_EQ(GenerateAgents(generated, &agents, &error), -1) << "10.77.255.255 is a broadcast";
}

TEST(AgentsimOptions, ReadsFlagsAndRefusesIncompleteCommandLines) {
    const char* good[] = {"agentsim",      "--define", "d.ecf",   "--agents", "12",
                          "--loss",        "5",        "--quiet", "--delay",  "30",
                          "--device-type", "0a0b0c0d"};
    Options options;
    std::string error;
    ASSERT_EQ(ParseOptions(std::size(good), good, &options, &error), 0) << error;
    EXPECT_EQ(options.generated.count, 12u);
    EXPECT_EQ(IpToText(options.generated.first), "10.77.0.10");
    EXPECT_EQ(options.generated.password, "admin");
    EXPECT_EQ(options.simulator.lossPercent, 5u);
    EXPECT_TRUE(options.simulator.quiet);
    EXPECT_EQ(options.simulator.initialFaults.replyDelayMs, 30u);
    EXPECT_EQ(options.simulator.initialFaults.replyDeviceType, 0x0a0b0c0du);

    struct Case {
        std::vector<const char*> argv;
        const char* reason;
    } cases[] = {
        {{"agentsim", "--agents", "2"}, "--define is required"},
        {{"agentsim", "--define", "d"}, "either --agents or --agent-file"},
        {{"agentsim", "--define", "d", "--agents", "2", "--agent-file", "f"}, "either"},
        {{"agentsim", "--define", "d", "--agents", "1001"}, "--agents needs a number"},
        {{"agentsim", "--define", "d", "--agents", "2", "--loss", "101"}, "--loss"},
        {{"agentsim", "--define", "d", "--agents", "2", "--first", "10.77"}, "dotted"},
        {{"agentsim", "--define", "d", "--agents"}, "--agents needs a value"},
        {{"agentsim", "--define", "d", "--agents", "2", "--bogus", "1"}, "unknown option"},
    };
    for (const Case& c : cases) {
        Options refused;
        EXPECT_EQ(ParseOptions(static_cast<int>(c.argv.size()), c.argv.data(), &refused, &error),
                  -1)
            << c.reason;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

TEST(AgentsimOptions, PrepareRefusesAMissingDefinitionFile) {
    const char* argv[] = {"agentsim", "--define", "/nonexistent/define.ecf", "--agents", "2"};
    Options options;
    std::string error;
    ASSERT_EQ(ParseOptions(std::size(argv), argv, &options, &error), 0);
    std::vector<AgentSettings> agents;
    EXPECT_EQ(PrepareAgents(&options, &agents, &error), -1);
    EXPECT_NE(error.find("definition file"), std::string::npos) << error;
}

}  // namespace
}  // namespace vantelo::agentsim
