#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/MetricsText.h"
#include "cli/SyslogMessage.h"
#include "cli/Utf8Text.h"

namespace vantelo::cli {
namespace {

TEST(CliExporters, MetricsAndSyslogOptionsTakeOnlyWhatTheyCanUse) {
    struct Good {
        const char* metrics;
        const char* host;
        uint16_t port;
    } goods[] = {
        {"127.0.0.1:9477", "127.0.0.1", 9477},
        {"0.0.0.0:1", "0.0.0.0", 1},
        {"[::1]:65535", "::1", 65535},
        {"[fe80::1:2]:80", "fe80::1:2", 80},
    };
    for (const Good& g : goods) {
        SCOPED_TRACE(g.metrics);
        CliOptions options;
        std::string error;
        ASSERT_EQ(ParseCommandLine({"watch", "--metrics", g.metrics}, &options, &error), 0)
            << error;
        ASSERT_TRUE(options.metrics.has_value());
        EXPECT_EQ(options.metrics->host, g.host);
        EXPECT_EQ(options.metrics->port, g.port);
    }
    // No wildcard default, no names, no port 0.
    for (const char* bad : {"9477", ":9477", "localhost:9477", "127.0.0.1",
                            "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "::1:9477", "[::1]",
                            "[]:80", "[host]:80", "127.0.0.1:+80", "10.0.0.256:80"}) {
        SCOPED_TRACE(bad);
        CliOptions options;
        std::string error;
        EXPECT_EQ(ParseCommandLine({"watch", "--metrics", bad}, &options, &error), -1);
        EXPECT_NE(error.find("--metrics takes ADDRESS:PORT"), std::string::npos) << error;
    }

    struct Target {
        const char* given;
        SyslogTarget::Kind kind;
        const char* host;
        uint16_t port;
        const char* path;
    } targets[] = {
        {"udp://127.0.0.1:514", SyslogTarget::Kind::Udp, "127.0.0.1", 514, ""},
        {"udp://logs.example.net:5514", SyslogTarget::Kind::Udp, "logs.example.net", 5514, ""},
        {"udp://[2001:db8::5]:514", SyslogTarget::Kind::Udp, "2001:db8::5", 514, ""},
        {"unix:/dev/log", SyslogTarget::Kind::Unix, "", 0, "/dev/log"},
        {"unix:relative.sock", SyslogTarget::Kind::Unix, "", 0, "relative.sock"},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.given);
        CliOptions options;
        std::string error;
        ASSERT_EQ(ParseCommandLine({"watch", "--syslog=" + std::string(t.given)}, &options, &error),
                  0)
            << error;
        ASSERT_TRUE(options.syslog.has_value());
        EXPECT_EQ(options.syslog->kind, t.kind);
        EXPECT_EQ(options.syslog->host, t.host);
        EXPECT_EQ(options.syslog->port, t.port);
        EXPECT_EQ(options.syslog->path, t.path);
    }
    for (const std::string& bad : std::vector<std::string>{
             "udp://127.0.0.1", "udp://:514", "tcp://127.0.0.1:514", "udp://a b:514",
             "unix:", "/dev/log", "udp://[::1:514", "unix:/" + std::string(107, 'x')}) {
        SCOPED_TRACE(bad);
        CliOptions options;
        std::string error;
        EXPECT_EQ(ParseCommandLine({"watch", "--syslog", bad}, &options, &error), -1);
        EXPECT_NE(error.find("--syslog takes"), std::string::npos) << error;
    }
    CliOptions options;
    std::string error;
    EXPECT_EQ(ParseCommandLine({"discover", "--metrics", "127.0.0.1:1"}, &options, &error), -1);
    EXPECT_EQ(error, "--metrics is not an option of discover");
}

TEST(CliExporters, InvalidUtf8BytesAreReplacedAndValidSequencesKept) {
    struct Case {
        std::string given;
        std::string made;
    } cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"Z\xFCrich", "Z\xEF\xBF\xBDrich"},                        // a Latin-1 byte
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // an overlong form
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"\xF4\x90\x80\x80", std::string("\xEF\xBF\xBD") + "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"cut \xE2\x82", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},  // a sequence the text ends inside
        {std::string("nul\0in", 6), std::string("nul\0in", 6)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValidUtf8(c.given), c.made);
    }
}

AgentMetrics Agent(const char* mac, const char* ip, const char* name) {
    AgentMetrics agent;
    agent.mac = mac;
    agent.ip = ip;
    agent.name = name;
    return agent;
}

std::vector<std::string> LinesOf(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        std::string line = text.substr(start, end - start);
        if (line.rfind(prefix, 0) == 0) {
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

TEST(CliExporters, MetricsShowEveryAgentOnceWithEscapedLabels) {
    ConsoleMetrics metrics;
    metrics.version = "1.03";
    metrics.pollRounds = 12;
    metrics.lastRoundSeconds = 0.25;
    metrics.drops = IdentityDrops{3, 2, 1};
    metrics.oversizeDrops = 4;
    AgentMetrics quiet = Agent("02000a4d0101", "10.77.1.1", "a \"quoted\" \\ name\nline2");
    quiet.up = false;
    quiet.missedPolls = 5;
    quiet.traps = 2;
    AgentMetrics answering = Agent("02000a4d0102", "10.77.1.2", "Z\xFCrich");
    answering.lastReplySeconds = 1765452600.5;
    // A second slot of the same agent would repeat its series: it is left out.
    AgentMetrics twice = answering;
    twice.up = false;
    metrics.agents = {quiet, answering, twice};

    std::string text = MetricsText(metrics);
    const std::string quietLabels =
        R"({mac="02000a4d0101",ip="10.77.1.1",name="a \"quoted\" \\ name\nline2",interface=""})";
    const std::string answeringLabels =
        "{mac=\"02000a4d0102\",ip=\"10.77.1.2\",name=\"Z\xEF\xBF\xBDrich\",interface=\"\"}";
    EXPECT_EQ(LinesOf(text, "vantelo_agent_up"),
              (std::vector<std::string>{"vantelo_agent_up" + quietLabels + " 0",
                                        "vantelo_agent_up" + answeringLabels + " 1"}));
    EXPECT_EQ(LinesOf(text, "vantelo_agent_missed_polls"),
              (std::vector<std::string>{"vantelo_agent_missed_polls" + quietLabels + " 5",
                                        "vantelo_agent_missed_polls" + answeringLabels + " 0"}));
    // An agent that has not answered since the watch began has no reply time.
    EXPECT_EQ(LinesOf(text, "vantelo_agent_last_reply_timestamp_seconds"),
              (std::vector<std::string>{"vantelo_agent_last_reply_timestamp_seconds" +
                                        answeringLabels + " 1765452600.5"}));
    EXPECT_EQ(LinesOf(text, "vantelo_traps_received_total"),
              (std::vector<std::string>{"vantelo_traps_received_total" + quietLabels + " 2",
                                        "vantelo_traps_received_total" + answeringLabels + " 0"}));
    EXPECT_EQ(LinesOf(text, "vantelo_poll_round"),
              (std::vector<std::string>{"vantelo_poll_rounds_total 12",
                                        "vantelo_poll_round_duration_seconds 0.25"}));
    EXPECT_EQ(LinesOf(text, "vantelo_datagrams_dropped_total"),
              (std::vector<std::string>{
                  R"(vantelo_datagrams_dropped_total{reason="wrong_device_type"} 3)",
                  R"(vantelo_datagrams_dropped_total{reason="wrong_direction"} 2)",
                  R"(vantelo_datagrams_dropped_total{reason="stale_sequence"} 1)",
                  R"(vantelo_datagrams_dropped_total{reason="oversize"} 4)"}));
    EXPECT_EQ(LinesOf(text, "vantelo_build_info"),
              (std::vector<std::string>{R"(vantelo_build_info{version="1.03"} 1)"}));
    for (const char* family :
         {"vantelo_agent_up gauge", "vantelo_agent_missed_polls gauge",
          "vantelo_agent_last_reply_timestamp_seconds gauge",
          "vantelo_traps_received_total counter", "vantelo_poll_rounds_total counter",
          "vantelo_poll_round_duration_seconds gauge", "vantelo_datagrams_dropped_total counter",
          "vantelo_build_info gauge"}) {
        EXPECT_EQ(LinesOf(text, std::string("# TYPE ") + family).size(), 1u) << family;
    }
}

TEST(CliExporters, EachLogLineBecomesOneRfc5424Message) {
    const auto when = std::chrono::system_clock::time_point(
        std::chrono::milliseconds(1765452600123));  // 2025-12-11 11:30:00.123 UTC
    const SyslogOrigin origin{"watcher-1", 4242};
    struct Case {
        LogEvent event;
        std::string message;
    } cases[] = {
        {{LogKind::Trap, "10.77.1.1", "02000a4d0101", "Trap :fan \"1\" failed"},
         R"(<29>1 2025-12-11T11:30:00.123Z watcher-1 vantelo 4242 trap [agent@32473 mac="02000a4d0101" ip="10.77.1.1"] 10.77.1.1 Trap :fan "1" failed)"},
        {{LogKind::NotAlive, "10.77.1.5", "02000a4d0105", "Not alive"},
         R"(<28>1 2025-12-11T11:30:00.123Z watcher-1 vantelo 4242 not-alive [agent@32473 mac="02000a4d0105" ip="10.77.1.5"] 10.77.1.5 Not alive)"},
        {{LogKind::UpgradeFailed, "10.77.1.6", "", "Upgrade fail"},
         R"(<27>1 2025-12-11T11:30:00.123Z watcher-1 vantelo 4242 upgrade-failed [agent@32473 mac="" ip="10.77.1.6"] 10.77.1.6 Upgrade fail)"},
        // An agent's text cannot break the message: no line ends, the structured data's three
        // special characters escaped, invalid UTF-8 replaced.
        {{LogKind::Trap, "10.77.1.1", "a\"b]c\\", "Trap :one\r\ntwo\t\xFF  "},
         "<29>1 2025-12-11T11:30:00.123Z watcher-1 vantelo 4242 trap [agent@32473 "
         "mac=\"a\\\"b\\]c\\\\\" ip=\"10.77.1.1\"] 10.77.1.1 Trap :one  two \xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SyslogMessage(c.event, when, origin), c.message);
    }
    // A host name that is no printable ASCII, or none, is the nil value.
    for (const char* hostname : {"", "bad host", "h\xC3\xA9"}) {
        std::string message = SyslogMessage(cases[1].event, when, SyslogOrigin{hostname, 1});
        EXPECT_EQ(message.substr(0, 37), "<28>1 2025-12-11T11:30:00.123Z - vant") << hostname;
    }
}

}  // namespace
}  // namespace vantelo::cli
