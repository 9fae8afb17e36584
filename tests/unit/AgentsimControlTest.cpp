#include "AgentsimFixture.h"
#include "ControlCommands.h"
#include "WebPage.h"
#include "protocol/ByteCursor.h"

namespace vantelo::agentsim::testing {
namespace {

class AgentsimControl : public AgentsimFixture {
protected:
    void SetUp() override {
        AgentsimFixture::SetUp();
        Start();
    }

    std::vector<std::string> Run(const std::string& line) {
        std::vector<std::string> replies;
        network.sent.clear();
        result = RunControlCommand(*simulator, line, now,
                                   [&replies](const std::string& r) { replies.push_back(r); });
        return replies;
    }

    // The final answer of a command.
    std::string Final(const std::string& line) {
        std::vector<std::string> replies = Run(line);
        return replies.empty() ? "" : replies.back();
    }

    AgentSettings& At(const char* ip) { return simulator->FindAgent(Ip(ip))->settings; }

    ControlResult result = ControlResult::Continue;
};

TEST_F(AgentsimControl, SetChangesOneFieldOrExplainsWhyNot) {
    struct Case {
        std::string line;
        const char* answer;
    } cases[] = {
        {"set 10.77.0.10 name core switch", "ok set 10.77.0.10 name"},
        {"set 10.77.0.10 location", "ok set 10.77.0.10 location"},
        {"set 10.77.0.10 password s3cret", "ok set 10.77.0.10 password"},
        {"set 10.77.0.10 dhcp none", "ok set 10.77.0.10 dhcp"},
        {"set 10.77.0.10 interface 1", "ok set 10.77.0.10 interface"},
        {"set 10.77.0.10 loader yes", "ok set 10.77.0.10 loader"},
        {"set 10.77.0.10 trap-ip 10.77.0.2", "ok set 10.77.0.10 trap-ip"},
        {"set 10.77.0.10 name " + std::string(21, 'x'), "error set name"},
        {"set 10.77.0.10 interface 4", "error set interface"},
        {"set 10.77.0.10 ip 10.77.0.11", "error set ip"},
        {"set 10.77.0.10 mask 255.0.255.0", "error set mask"},
        {"set 10.77.0.10 device-type 123", "error set device-type"},
        {"set 10.77.0.10 colour red", "error set: unknown field 'colour'"},
        {"set 10.77.9.9 name x", "error set: no agent at '10.77.9.9'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Final(c.line).rfind(c.answer, 0), 0u) << c.line << " gave " << Final(c.line);
    }
    const AgentSettings& a = At("10.77.0.10");
    EXPECT_EQ(a.systemName, "core switch");
    EXPECT_EQ(a.location, "");
    EXPECT_EQ(a.password, "s3cret");
    EXPECT_EQ(a.dhcp, DhcpState::NotReported);
    EXPECT_EQ(a.interfaceVersion, 1);
    EXPECT_TRUE(a.loaderMode);
    EXPECT_EQ(IpToText(a.trapIp), "10.77.0.2");

    EXPECT_EQ(Final("set 10.77.0.10 ip 10.77.3.3"), "ok set 10.77.0.10 ip");
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.10")), nullptr);
    EXPECT_NE(simulator->FindAgent(Ip("10.77.3.3")), nullptr);
}

TEST_F(AgentsimControl, CommandsDriveTheAgentsAndTheirFaults) {
    std::vector<std::string> list = Run("list");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], "agent 10.77.0.10 02000a4d000a running normal");
    EXPECT_EQ(list[3], "ok list 3");

    EXPECT_EQ(Final("trap 10.77.0.11 fan  failure"), "ok trap 10.77.0.11");
    EXPECT_TRUE(HasEvent("trap-sent 10.77.0.11 10.77.0.1 fan  failure"));
    EXPECT_EQ(network.sent.size(), 1u);
    // Without text: the address, then at once the text's closing zero.
    EXPECT_EQ(Final("trap 10.77.0.11"), "ok trap 10.77.0.11");
    ASSERT_EQ(network.sent.size(), 1u);
    const std::vector<uint8_t>& bare = network.sent[0].bytes;
    ASSERT_EQ(bare.size(), kHeaderSize + 4 + 1);
    ByteReader address(std::span<const uint8_t>(bare).subspan(kHeaderSize));
    EXPECT_EQ(address.ReadU32(), Ip("10.77.0.11"));
    EXPECT_EQ(bare.back(), 0);

    EXPECT_EQ(Final("silence 10.77.0.11"), "ok silence 10.77.0.11");
    EXPECT_EQ(Final("trap 10.77.0.11 x").rfind("error trap", 0), 0u);
    EXPECT_EQ(Run("list")[1], "agent 10.77.0.11 02000a4d000b silent normal");
    EXPECT_EQ(Final("revive 10.77.0.11"), "ok revive 10.77.0.11");

    EXPECT_EQ(Final("delay 10.77.0.12 250"), "ok delay 10.77.0.12 250");
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.12"))->faults.replyDelayMs, 250u);
    EXPECT_EQ(Final("tftp-error 10.77.0.12 3 disk on fire"), "ok tftp-error 10.77.0.12 3");
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.12"))->faults.tftpErrorText, "disk on fire");
    EXPECT_EQ(Final("tftp-stall 10.77.0.12 0"), "ok tftp-stall 10.77.0.12 0");
    EXPECT_EQ(Final("no-return 10.77.0.12"), "ok no-return 10.77.0.12");
    EXPECT_EQ(Final("clear 10.77.0.12"), "ok clear 10.77.0.12");
    const AgentFaults& faults = simulator->FindAgent(Ip("10.77.0.12"))->faults;
    EXPECT_EQ(faults.replyDelayMs, 0u);
    EXPECT_FALSE(faults.tftpErrorBlock || faults.tftpStallBlock || faults.neverReturn);

    EXPECT_EQ(Final("restart 10.77.0.10"), "ok restart 10.77.0.10");
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.10"))->state, AgentState::Restarting);
    EXPECT_EQ(Final("loss 100"), "ok loss 100");
    EXPECT_EQ(Final("stats").rfind("ok stats received 0 sent 2 lost-in 0", 0), 0u);
    EXPECT_EQ(result, ControlResult::Continue);
    EXPECT_EQ(Final("quit"), "ok quit");
    EXPECT_EQ(result, ControlResult::Quit);
}

TEST_F(AgentsimControl, BadCommandLinesAreAnsweredWithAnError) {
    for (const char* line : {"fly 10.77.0.10", "silence", "silence ten", "delay 10.77.0.10 -5",
                             "loss 101", "tftp-stall 10.77.0.10 65536", "trap 10.77.0.300 x"}) {
        EXPECT_EQ(Final(line).rfind("error ", 0), 0u) << line;
        EXPECT_EQ(result, ControlResult::Continue);
    }
    EXPECT_TRUE(Run("   \r").empty());
}

TEST_F(AgentsimControl, WebPageDescribesTheAgentAndRefusesOtherRequests) {
    Agent& agent = *simulator->FindAgent(Ip("10.77.0.10"));
    agent.settings.systemName = "<core>";
    WebResponse page = AnswerWebRequest(agent, "GET / HTTP/1.1\r\nHost: 10.77.0.10");
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.bytes.rfind("HTTP/1.0 200 OK\r\n", 0), 0u);
    EXPECT_NE(page.bytes.find("<td>&lt;core&gt;</td>"), std::string::npos);
    EXPECT_NE(page.bytes.find("<td>02000a4d000a</td>"), std::string::npos);
    size_t body = page.bytes.find("\r\n\r\n") + 4;
    EXPECT_NE(page.bytes.find("Content-Length: " + std::to_string(page.bytes.size() - body)),
              std::string::npos);

    struct Case {
        const char* head;
        int status;
    } cases[] = {{"GET /index.html HTTP/1.0", 200},
                 {"GET /admin HTTP/1.0", 404},
                 {"POST / HTTP/1.0", 405},
                 {"GET /", 400},
                 {"", 400}};
    for (const Case& c : cases) {
        EXPECT_EQ(AnswerWebRequest(agent, c.head).status, c.status) << c.head;
    }
    WebResponse head = AnswerWebRequest(agent, "HEAD / HTTP/1.0");
    EXPECT_EQ(head.bytes.find("<html>"), std::string::npos);
}

}  // namespace
}  // namespace vantelo::agentsim::testing
