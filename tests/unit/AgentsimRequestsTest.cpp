#include "AgentsimFixture.h"
#include "protocol/ByteCursor.h"
#include "protocol/ResultCode.h"

namespace vantelo::agentsim::testing {
namespace {

class AgentsimRequests : public AgentsimFixture {
protected:
    // A set request as the console builds it: password first, then the settings.
    static PacketBuffer SetRequest(OpCode op, const uint8_t* mac, uint16_t sequence,
                                   const std::string& password) {
        PacketBuffer packet = Request(op, mac, sequence);
        AppendTextElement(packet, TlvType::Password, password);
        return packet;
    }

    void ExpectRefusal(const Sent& reply, uint16_t op, ResultCode result) {
        PacketHeader header{};
        ASSERT_EQ(DecodeHeader(reply.bytes, &header), 0);
        EXPECT_EQ(reply.bytes.size(), kHeaderSize);
        EXPECT_EQ(header.opCode, op);
        EXPECT_EQ(ResultCodeOf(header.resultCode), static_cast<uint16_t>(result));
    }
};

TEST_F(AgentsimRequests, DiscoveryBroadcastIsAnsweredByEveryAgentWithSettingsTheConsoleReads) {
    std::vector<AgentSettings> agents = Generated(3);
    agents[1].interfaceVersion = 1;
    agents[1].dhcp = DhcpState::Enabled;
    agents[2].dhcp = DhcpState::NotReported;
    agents[2].location = "hall <2>";
    Start(agents);
    Deliver(Request(OpCode::DiscoveryRequest), "255.255.255.255");

    ASSERT_EQ(network.sent.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const Sent& reply = network.sent[i];
        EXPECT_EQ(reply.from, (Endpoint{agents[i].ip, kAgentPort}));
        EXPECT_EQ(reply.to, console);
        PacketHeader header{};
        DeviceRecord record = Decoded(reply, &header);
        EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::DiscoveryReply));
        EXPECT_EQ(header.direction, kDirectionReply);
        EXPECT_EQ(header.deviceTypeId, kDeviceType);
        EXPECT_EQ(std::memcmp(header.mac, agents[i].mac, 6), 0);
        EXPECT_EQ(record.ip, agents[i].ip);
        EXPECT_STREQ(record.systemName, agents[i].systemName.c_str());
        EXPECT_STREQ(record.location, agents[i].location.c_str());
        EXPECT_STREQ(record.productName, agents[i].productName.c_str());
        EXPECT_STREQ(record.subnetMaskText, "255.255.0.0");
        EXPECT_STREQ(record.gatewayText, "10.77.0.1");
        EXPECT_STREQ(record.trapIpText, "10.77.0.1");
    }
    PacketHeader header{};
    EXPECT_EQ(Decoded(network.sent[0], &header).dhcp, 0);
    EXPECT_EQ(Decoded(network.sent[1], &header).dhcp, 1) << "one-byte form for interface 1";
    EXPECT_EQ(Decoded(network.sent[2], &header).dhcp, kDhcpNotReported);
    EXPECT_TRUE(HasEvent("discovery-reply 10.77.0.11"));
}

TEST_F(AgentsimRequests, SubnetBroadcastReachesOnlyTheAgentsOfThatSubnet) {
    std::vector<AgentSettings> agents = Generated(2);
    agents[1].subnetMask = Ip("255.255.255.0");
    Start(agents);
    Deliver(Request(OpCode::DiscoveryRequest), "10.77.255.255");
    ASSERT_EQ(network.sent.size(), 1u);
    EXPECT_EQ(network.sent[0].from.ip, agents[0].ip);
}

TEST_F(AgentsimRequests, LoaderModeAndOtherProtocolVersionsAnswerWithTheirOwnHeaders) {
    std::vector<AgentSettings> agents = Generated(2);
    agents[0].loaderMode = true;
    agents[1].protocolVersion = 1;
    Start(agents);
    Deliver(Request(OpCode::DiscoveryRequest, nullptr, 0), "255.255.255.255");
    ASSERT_EQ(network.sent.size(), 2u);
    PacketHeader header{};
    Decoded(network.sent[0], &header);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::LoaderModeReply));
    EXPECT_EQ(network.sent[0].bytes.size(), kHeaderSize);
    Decoded(network.sent[1], &header);
    EXPECT_EQ(header.protocolVersion, 1);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::DiscoveryReply));

    Deliver(Request(OpCode::PollRequest), "10.77.0.10");
    ASSERT_EQ(network.sent.size(), 1u);
    Decoded(network.sent[0], &header);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::LoaderModeReply));
}

TEST_F(AgentsimRequests, PollIsAnsweredWithOperationSixByTheAddressedAgentOnly) {
    Start();
    Deliver(Request(OpCode::PollRequest), "10.77.0.11");
    ASSERT_EQ(network.sent.size(), 1u);
    PacketHeader header{};
    DeviceRecord record = Decoded(network.sent[0], &header);
    EXPECT_EQ(header.opCode, 6);
    EXPECT_STREQ(record.ipText, "10.77.0.11");
    EXPECT_EQ(network.sent[0].from, (Endpoint{Ip("10.77.0.11"), kAgentPort}));
}

TEST_F(AgentsimRequests, DatagramsNoAgentShouldServeAreDroppedSilently) {
    Start();
    struct Case {
        const char* name;
        size_t offset;
        uint8_t value;
        const char* event;
    } cases[] = {
        {"wrong device type", 19, 0x17, "dropped 255.255.255.255 device-type"},
        {"a reply, not a request", 3, 1, "dropped 255.255.255.255 direction"},
    };
    for (const Case& c : cases) {
        PacketBuffer packet = Request(OpCode::DiscoveryRequest);
        packet.bytes[c.offset] = c.value;
        Deliver(packet, "255.255.255.255");
        EXPECT_TRUE(network.sent.empty()) << c.name;
        EXPECT_TRUE(HasEvent(c.event)) << c.name;
    }
    PacketBuffer shortPacket = Request(OpCode::DiscoveryRequest);
    shortPacket.length = 39;
    Deliver(shortPacket, "10.77.0.10");
    EXPECT_TRUE(network.sent.empty());
    Deliver(Request(OpCode::DiscoveryRequest), "10.77.9.9");
    EXPECT_TRUE(network.sent.empty());
    EXPECT_TRUE(HasEvent("dropped 10.77.9.9 no-agent"));
}

TEST_F(AgentsimRequests, WrongRequestsAddressedToAnAgentGetAnErrorButBroadcastsStaySilent) {
    Start();
    PacketBuffer unknown = Request(static_cast<OpCode>(13));
    Deliver(unknown, "10.77.0.10");
    ASSERT_EQ(network.sent.size(), 1u);
    ExpectRefusal(network.sent[0], 13, ResultCode::CommandError);
    Deliver(unknown, "255.255.255.255");
    EXPECT_TRUE(network.sent.empty());

    PacketBuffer oldVersion = Request(OpCode::PollRequest);
    oldVersion.bytes[1] = 1;
    Deliver(oldVersion, "10.77.0.10");
    ASSERT_EQ(network.sent.size(), 1u);
    ExpectRefusal(network.sent[0], 6, ResultCode::ProtocolVersionError);
}

TEST_F(AgentsimRequests, UnicastSetIsAppliedAndAnsweredFromTheNewAddress) {
    Start();
    const uint8_t* mac = MacOf("10.77.0.10");
    PacketBuffer set = SetRequest(OpCode::UnicastSetRequest, mac, 7, "admin");
    AppendTextElement(set, TlvType::ProductName, "Vantelo VS-8 managed switch");
    AppendTextElement(set, TlvType::SystemName, "core");
    AppendTextElement(set, TlvType::Location, "");
    AppendAddressElement(set, TlvType::IpAddress, Ip("10.77.1.20"));
    AppendAddressElement(set, TlvType::Gateway, Ip("10.77.0.254"));
    AppendAddressElement(set, TlvType::TrapIp, Ip("10.77.0.2"));
    AppendAddressElement(set, TlvType::SubnetMask, Ip("255.255.0.0"));
    AppendTextElement(set, TlvType::NewPassword, "s3cret");
    AppendDhcpElement(set, 2, 1);
    Deliver(set, "10.77.0.10");

    ASSERT_EQ(network.sent.size(), 1u);
    EXPECT_EQ(network.sent[0].from, (Endpoint{Ip("10.77.1.20"), kAgentPort}));
    PacketHeader header{};
    DeviceRecord record = Decoded(network.sent[0], &header);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::UnicastSetReply));
    EXPECT_EQ(header.sequence, 7);
    EXPECT_EQ(ResultCodeOf(header.resultCode), 0);
    EXPECT_STREQ(record.ipText, "10.77.1.20");
    EXPECT_STREQ(record.systemName, "core");
    EXPECT_STREQ(record.location, "");
    EXPECT_STREQ(record.gatewayText, "10.77.0.254");
    EXPECT_STREQ(record.trapIpText, "10.77.0.2");
    EXPECT_EQ(record.dhcp, 1);
    EXPECT_TRUE(HasEvent("set-applied 02000a4d000a 10.77.1.20"));
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.10")), nullptr);
    ASSERT_NE(simulator->FindAgent(Ip("10.77.1.20")), nullptr);

    Deliver(SetRequest(OpCode::UnicastSetRequest, mac, 8, "admin"), "10.77.1.20");
    ExpectRefusal(network.sent.at(0), 8, ResultCode::PasswordError);
    Deliver(SetRequest(OpCode::UnicastSetRequest, mac, 9, "s3cret"), "10.77.1.20");
    Decoded(network.sent.at(0), &header);
    EXPECT_EQ(ResultCodeOf(header.resultCode), 0) << "the new password is the password";
}

TEST_F(AgentsimRequests, RefusedSetsChangeNothing) {
    struct Case {
        const char* name;
        std::string password;
        void (*elements)(PacketBuffer&);
        ResultCode result;
    } cases[] = {
        {"wrong password", "admim", [](PacketBuffer&) {}, ResultCode::PasswordError},
        {"no password", "", [](PacketBuffer& p) { p.length = kHeaderSize; },
         ResultCode::PasswordError},
        {"element running past the end", "admin", [](PacketBuffer& p) { p.length -= 2; },
         ResultCode::ParametersError},
        {"unknown element type", "admin",
         [](PacketBuffer& p) { AppendTextElement(p, static_cast<TlvType>(11), "x"); },
         ResultCode::ParametersError},
        {"address element of length 12", "admin",
         [](PacketBuffer& p) {
             AppendAddressElement(p, TlvType::Gateway, 0);
             ByteWriter(std::span(p.bytes).subspan(p.length - 6, 2)).WriteU16(12);
         },
         ResultCode::ParametersError},
        {"system name over 20 characters", "admin",
         [](PacketBuffer& p) { AppendTextElement(p, TlvType::SystemName, std::string(21, 'n')); },
         ResultCode::ParametersError},
        {"address of another agent", "admin",
         [](PacketBuffer& p) { AppendAddressElement(p, TlvType::IpAddress, Ip("10.77.0.11")); },
         ResultCode::ParametersError},
        {"network address", "admin",
         [](PacketBuffer& p) { AppendAddressElement(p, TlvType::IpAddress, Ip("10.77.0.0")); },
         ResultCode::ParametersError},
        {"mask with a hole", "admin",
         [](PacketBuffer& p) { AppendAddressElement(p, TlvType::SubnetMask, Ip("255.0.255.0")); },
         ResultCode::ParametersError},
    };
    for (const Case& c : cases) {
        Start();
        const uint8_t* mac = MacOf("10.77.0.10");
        PacketBuffer set = SetRequest(OpCode::UnicastSetRequest, mac, 3, c.password);
        AppendTextElement(set, TlvType::Location, "moved");
        c.elements(set);
        Deliver(set, "10.77.0.10");
        ASSERT_EQ(network.sent.size(), 1u) << c.name;
        ExpectRefusal(network.sent[0], 8, c.result);
        EXPECT_EQ(network.sent[0].from.ip, Ip("10.77.0.10")) << c.name;
        EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.10"))->settings.location, "rack 1") << c.name;
    }
}

TEST_F(AgentsimRequests, BroadcastSetIsTakenOnlyByTheAgentItsHeaderNames) {
    Start();
    PacketBuffer set = SetRequest(OpCode::BroadcastSetRequest, MacOf("10.77.0.12"), 21, "admin");
    AppendTextElement(set, TlvType::SystemName, "edge");
    AppendDhcpElement(set, 1, 0);
    Deliver(set, "255.255.255.255");
    ASSERT_EQ(network.sent.size(), 1u);
    PacketHeader header{};
    DeviceRecord record = Decoded(network.sent[0], &header);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::BroadcastSetReply));
    EXPECT_EQ(header.sequence, 21);
    EXPECT_STREQ(record.ipText, "10.77.0.12");
    EXPECT_STREQ(record.systemName, "edge");
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.11"))->settings.systemName, "agent-2");
}

TEST_F(AgentsimRequests, UpgradeTriggerChecksThePasswordAndEchoesTheSequence) {
    Start();
    const uint8_t* mac = MacOf("10.77.0.11");
    Deliver(SetRequest(OpCode::UpgradeTrigger, mac, 40, "wrong"), "255.255.255.255");
    ASSERT_EQ(network.sent.size(), 1u);
    ExpectRefusal(network.sent[0], 11, ResultCode::PasswordError);
    EXPECT_EQ(simulator->FindAgent(Ip("10.77.0.11"))->upgradeArmedUntilMs, 0);

    Deliver(SetRequest(OpCode::UpgradeTrigger, mac, 41, "admin"), "10.77.0.11");
    ASSERT_EQ(network.sent.size(), 1u);
    PacketHeader header{};
    Decoded(network.sent[0], &header);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::UpgradeTriggerReply));
    EXPECT_EQ(header.sequence, 41);
    EXPECT_EQ(header.resultCode, 0);
    EXPECT_TRUE(HasEvent("trigger-accepted 02000a4d000b 10.77.0.11"));
}

TEST_F(AgentsimRequests, TrapCarriesTheAddressTextAndZeroToTheTrapAddressAtTheBasePort) {
    Start();
    Agent& agent = *simulator->FindAgent(Ip("10.77.0.10"));
    ASSERT_EQ(simulator->SendTrap(agent, "Port 1 link up", now), 0);
    ASSERT_EQ(network.sent.size(), 1u);
    const Sent& trap = network.sent[0];
    EXPECT_EQ(trap.to, (Endpoint{Ip("10.77.0.1"), kBasePort}));
    EXPECT_EQ(trap.from, (Endpoint{Ip("10.77.0.10"), kAgentPort}));
    PacketHeader header{};
    ASSERT_EQ(DecodeHeader(trap.bytes, &header), 0);
    EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::Trap));
    std::vector<uint8_t> body(trap.bytes.begin() + kHeaderSize, trap.bytes.end());
    std::vector<uint8_t> expected = {10, 77, 0, 10};
    for (char c : std::string("Port 1 link up")) {
        expected.push_back(static_cast<uint8_t>(c));
    }
    expected.push_back(0);
    EXPECT_EQ(body, expected);

    network.sent.clear();
    ASSERT_EQ(simulator->SendTrap(agent, std::string(3000, 'x'), now), 0);
    EXPECT_EQ(network.sent.at(0).bytes.size(), kMaxDatagram);
    EXPECT_EQ(network.sent[0].bytes.back(), 0);

    simulator->Silence(agent);
    EXPECT_EQ(simulator->SendTrap(agent, "nothing", now), -1);
}

TEST_F(AgentsimRequests, ScheduledTrapsComeFromEveryRunningAgent) {
    SimulatorConfig config;
    config.trapEverySeconds = 30;
    Start({}, config);
    simulator->Silence(*simulator->FindAgent(Ip("10.77.0.11")));
    Advance(29999);
    EXPECT_TRUE(network.sent.empty());
    Advance(1);
    ASSERT_EQ(network.sent.size(), 2u);
    EXPECT_TRUE(HasEvent("trap-sent 10.77.0.10 10.77.0.1 Port 1 link down"));
    EXPECT_EQ(simulator->NextDeadline(), now + 30000);
}

TEST_F(AgentsimRequests, SilenceDelayAndLossShapeTheAnswers) {
    Start();
    Agent& agent = *simulator->FindAgent(Ip("10.77.0.10"));
    simulator->Silence(agent);
    Deliver(Request(OpCode::PollRequest), "10.77.0.10");
    EXPECT_TRUE(network.sent.empty());
    simulator->Revive(agent);

    agent.faults.replyDelayMs = 700;
    Deliver(Request(OpCode::PollRequest), "10.77.0.10");
    EXPECT_TRUE(network.sent.empty());
    EXPECT_EQ(simulator->NextDeadline(), now + 700);
    Advance(699);
    EXPECT_TRUE(network.sent.empty());
    Advance(1);
    EXPECT_EQ(network.sent.size(), 1u);

    simulator->SetLossPercent(100);
    Deliver(Request(OpCode::DiscoveryRequest), "255.255.255.255");
    Advance(1000);
    EXPECT_TRUE(network.sent.empty());
    EXPECT_GE(simulator->Stats().lostIn, 1u);
}

TEST_F(AgentsimRequests, WrongDeviceTypeFaultShowsInTheReplies) {
    Start();
    simulator->FindAgent(Ip("10.77.0.12"))->faults.replyDeviceType = 0x01020304;
    Deliver(Request(OpCode::DiscoveryRequest), "255.255.255.255");
    ASSERT_EQ(network.sent.size(), 3u);
    PacketHeader header{};
    Decoded(network.sent[2], &header);
    EXPECT_EQ(header.deviceTypeId, 0x01020304u);
}

}  // namespace
}  // namespace vantelo::agentsim::testing
