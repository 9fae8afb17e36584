#include <fstream>
#include <iterator>

#include "AgentsimFixture.h"
#include "TftpPackets.h"
#include "protocol/ByteCursor.h"

namespace vantelo::agentsim::testing {
namespace {

class AgentsimTftp : public AgentsimFixture {
protected:
    // The console's transfer port, from which it sends every packet to port 69.
    const Endpoint client{Ip("10.77.0.1"), 64517};
    const Endpoint wellKnown{Ip("10.77.0.10"), 69};

    void SetUp() override {
        AgentsimFixture::SetUp();
        Restart();
    }

    void Restart() {
        SimulatorConfig config;
        config.restartSeconds = 20;
        Start({}, config);
    }

    Agent& Target() { return *simulator->FindAgent(Ip("10.77.0.10")); }

    void Trigger() { Target().upgradeArmedUntilMs = now + Simulator::kUpgradeArmedMs; }

    void Packet(Endpoint to, const std::vector<uint8_t>& bytes, Endpoint from) {
        network.sent.clear();
        simulator->OnTftpDatagram(bytes.data(), bytes.size(), to, from, now);
    }

    static std::vector<uint8_t> WriteRequest(const std::string& mode = "octet") {
        std::vector<uint8_t> packet = {0, 2};
        for (char c : std::string("C:\\fw\\image.bin")) {
            packet.push_back(static_cast<uint8_t>(c));
        }
        packet.push_back(0);
        packet.insert(packet.end(), mode.begin(), mode.end());
        packet.push_back(0);
        return packet;
    }

    static std::vector<uint8_t> Data(uint16_t block, const std::vector<uint8_t>& image) {
        size_t start = size_t{block - 1u} * 512;
        size_t end = std::min(image.size(), start + 512);
        std::vector<uint8_t> packet(4 + end - start);
        packet[1] = 3;
        packet[2] = static_cast<uint8_t>(block >> 8);
        packet[3] = static_cast<uint8_t>(block);
        std::copy(image.begin() + static_cast<long>(start), image.begin() + static_cast<long>(end),
                  packet.begin() + 4);
        return packet;
    }

    // The one packet the agent sent, from the transfer port to the client.
    std::vector<uint8_t> Answer(Endpoint to) {
        EXPECT_EQ(network.sent.size(), 1u);
        if (network.sent.size() != 1) {
            return {};
        }
        EXPECT_EQ(network.sent[0].to, to);
        return network.sent[0].bytes;
    }

    Endpoint TransferPort() const { return network.open.empty() ? Endpoint{} : network.open[0]; }

    std::vector<uint8_t> Stored() const {
        std::ifstream in(store + "/02000a4d000a.bin", std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    static std::vector<uint8_t> Image(size_t size) {
        std::vector<uint8_t> image(size);
        for (size_t i = 0; i < size; ++i) {
            image[i] = static_cast<uint8_t>(i * 7 + i / 256);
        }
        return image;
    }
};

TEST_F(AgentsimTftp, ConsoleStyleUploadIsStoredByteForByteThenTheAgentRestarts) {
    for (size_t size : {size_t{0}, size_t{100}, size_t{512}, size_t{1300}}) {
        Restart();
        Target().settings.loaderMode = true;
        Trigger();
        std::vector<uint8_t> image = Image(size);
        Packet(wellKnown, WriteRequest(), client);
        EXPECT_EQ(Answer(client), BuildAck(0)) << size;
        ASSERT_EQ(network.sent[0].from, TransferPort());
        uint16_t blocks = static_cast<uint16_t>(size / 512 + 1);
        for (uint16_t block = 1; block <= blocks; ++block) {
            Packet(wellKnown, Data(block, image), client);
            EXPECT_EQ(Answer(client), BuildAck(block)) << size << " block " << block;
        }
        EXPECT_EQ(Stored(), image) << size;
        EXPECT_TRUE(HasEvent("tftp-stored 02000a4d000a " + std::to_string(size)));
        EXPECT_TRUE(HasEvent("restarting 02000a4d000a 10.77.0.10 20"));

        Packet(wellKnown, Data(blocks, image), client);
        EXPECT_EQ(Answer(client), BuildAck(blocks)) << "the final block is acknowledged again";
        Deliver(Request(OpCode::DiscoveryRequest), "10.77.0.10");
        EXPECT_TRUE(network.sent.empty()) << "silent while restarting";
        Advance(20000);
        EXPECT_TRUE(HasEvent("restarted 02000a4d000a 10.77.0.10"));
        EXPECT_TRUE(network.open.empty()) << "the transfer port is closed after the dally";
        Deliver(Request(OpCode::DiscoveryRequest), "10.77.0.10");
        PacketHeader header{};
        Decoded(network.sent.at(0), &header);
        EXPECT_EQ(header.opCode, static_cast<uint16_t>(OpCode::DiscoveryReply))
            << "out of loader mode";
    }
}

TEST_F(AgentsimTftp, RfcClientSendsDataToTheTransferPortAndRepeatsAreAnsweredOnce) {
    Trigger();
    std::vector<uint8_t> image = Image(1200);
    Packet(wellKnown, WriteRequest("OCTET"), {Ip("10.77.0.1"), 33000});
    Endpoint rfcClient{Ip("10.77.0.1"), 33000};
    Endpoint tid = TransferPort();
    EXPECT_EQ(Answer(rfcClient), BuildAck(0));
    Packet(wellKnown, WriteRequest("OCTET"), rfcClient);
    EXPECT_EQ(Answer(rfcClient), BuildAck(0)) << "a repeated request is acknowledged again";
    EXPECT_EQ(network.open.size(), 1u);

    Packet(tid, Data(1, image), rfcClient);
    EXPECT_EQ(Answer(rfcClient), BuildAck(1));
    Packet(tid, Data(1, image), rfcClient);
    EXPECT_EQ(Answer(rfcClient), BuildAck(1)) << "a duplicate is acknowledged again";
    Packet(tid, Data(3, image), rfcClient);
    EXPECT_TRUE(network.sent.empty()) << "a block from the future is ignored";

    Packet(tid, Data(2, image), {Ip("10.77.0.1"), 33001});
    EXPECT_EQ(Answer({Ip("10.77.0.1"), 33001}),
              BuildError(TftpError::UnknownTransferId, "Unknown transfer ID"));
    Packet(tid, Data(2, image), rfcClient);
    Packet(tid, Data(3, image), rfcClient);
    EXPECT_EQ(Stored(), image);
}

TEST_F(AgentsimTftp, RequestsThatCannotStartAreRefusedWithAnError) {
    struct Case {
        const char* name;
        bool triggered;
        std::vector<uint8_t> packet;
        TftpError code;
        const char* event;
    } cases[] = {
        {"not triggered", false, WriteRequest(), TftpError::AccessViolation, "not-triggered"},
        {"netascii", true, WriteRequest("netascii"), TftpError::IllegalOperation, "mode"},
        {"read request",
         true,
         {0, 1, 'f', 0, 'o', 'c', 't', 'e', 't', 0},
         TftpError::IllegalOperation,
         "read-request"},
        {"mode without its zero",
         true,
         {0, 2, 'f', 0, 'o', 'c', 't'},
         TftpError::IllegalOperation,
         "malformed"},
    };
    for (const Case& c : cases) {
        Restart();
        if (c.triggered) {
            Trigger();
        }
        Packet(wellKnown, c.packet, client);
        std::vector<uint8_t> answer = Answer(client);
        ASSERT_GE(answer.size(), 5u) << c.name;
        ByteReader reader(answer);
        EXPECT_EQ(reader.ReadU16(), 5) << c.name;
        EXPECT_EQ(reader.ReadU16(), static_cast<uint16_t>(c.code)) << c.name;
        EXPECT_EQ(network.sent[0].from, wellKnown) << c.name;
        EXPECT_TRUE(HasEvent(std::string("tftp-refused 10.77.0.10 ") + c.event)) << c.name;
        EXPECT_TRUE(network.open.empty()) << c.name;
    }
}

TEST_F(AgentsimTftp, ErrorFaultAnswersTheChosenBlockWithItsText) {
    Target().faults.tftpErrorBlock = 2;
    Target().faults.tftpErrorText = "flash write failed";
    Trigger();
    std::vector<uint8_t> image = Image(2000);
    Packet(wellKnown, WriteRequest(), client);
    Packet(wellKnown, Data(1, image), client);
    EXPECT_EQ(Answer(client), BuildAck(1));
    Packet(wellKnown, Data(2, image), client);
    EXPECT_EQ(Answer(client), BuildError(TftpError::NotDefined, "flash write failed"));
    EXPECT_TRUE(HasEvent("tftp-error-sent 02000a4d000a 2"));
    EXPECT_TRUE(network.open.empty());
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(Target().state, AgentState::Running);
}

TEST_F(AgentsimTftp, StallFaultStopsAcknowledgingUntilTheTransferTimesOut) {
    Target().faults.tftpStallBlock = 2;
    Trigger();
    std::vector<uint8_t> image = Image(2000);
    Packet(wellKnown, WriteRequest(), client);
    Packet(wellKnown, Data(1, image), client);
    EXPECT_EQ(Answer(client), BuildAck(1));
    for (int resend = 0; resend < 3; ++resend) {
        Packet(wellKnown, Data(2, image), client);
        EXPECT_TRUE(network.sent.empty());
        Advance(3000);
    }
    EXPECT_TRUE(HasEvent("tftp-stalled 02000a4d000a 2"));
    Advance(TftpServer::kIdleMs);
    EXPECT_TRUE(HasEvent("tftp-aborted 02000a4d000a timeout"));
    EXPECT_TRUE(network.open.empty());
}

TEST_F(AgentsimTftp, AgentThatNeverReturnsStaysSilent) {
    Target().faults.neverReturn = true;
    Trigger();
    Packet(wellKnown, WriteRequest(), client);
    Packet(wellKnown, Data(1, Image(10)), client);
    EXPECT_TRUE(HasEvent("restarting 02000a4d000a 10.77.0.10 never"));
    Advance(3600 * 1000);
    EXPECT_EQ(Target().state, AgentState::Down);
    Deliver(Request(OpCode::DiscoveryRequest), "255.255.255.255");
    EXPECT_EQ(network.sent.size(), 2u) << "only the other agents answer";
}

TEST_F(AgentsimTftp, OversizedBlockEndsTheTransfer) {
    Trigger();
    Packet(wellKnown, WriteRequest(), client);
    std::vector<uint8_t> big = Data(1, Image(600));
    big.resize(4 + 513, 0);
    Packet(wellKnown, big, client);
    std::vector<uint8_t> answer = Answer(client);
    ASSERT_GE(answer.size(), 4u);
    EXPECT_EQ(ByteReader(answer).ReadU16(), 5);
    EXPECT_TRUE(HasEvent("tftp-aborted 02000a4d000a oversize"));
    EXPECT_TRUE(network.open.empty());
}

TEST(TftpPackets, RequestTextsMustEndWithAZeroInsideThePacket) {
    struct Row {
        const char* name;
        std::vector<uint8_t> packet;
        int result;
        const char* fileName;
        const char* mode;
    } rows[] = {
        {"one byte", {0}, -1, "", ""},
        {"opcode only", {0, 2}, -1, "", ""},
        {"name without its zero", {0, 2, 'f'}, -1, "", ""},
        {"name and no mode", {0, 2, 'f', 0}, -1, "", ""},
        {"mode without its zero", {0, 2, 'f', 0, 'o', 'c', 't'}, -1, "", ""},
        {"empty name and mode", {0, 2, 0, 0}, 0, "", ""},
        {"options after the mode",
         {0, 2, 'f', 0, 'o', 'c', 't', 'e', 't', 0, 'b', 'l', 'k', 0},
         0,
         "f",
         "octet"},
    };
    for (const Row& row : rows) {
        std::string fileName;
        std::string mode;
        ASSERT_EQ(ParseTransferRequest(row.packet, &fileName, &mode), row.result) << row.name;
        if (row.result == 0) {
            EXPECT_EQ(fileName, row.fileName) << row.name;
            EXPECT_EQ(mode, row.mode) << row.name;
        }
    }
}

TEST(TftpPackets, DataPacketsShorterThanTheirHeaderAreRefused) {
    struct Row {
        const char* name;
        std::vector<uint8_t> packet;
        int result;
        uint16_t block;
        size_t bytes;
    } rows[] = {
        {"opcode only", {0, 3}, -1, 0, 0},
        {"one block byte", {0, 3, 1}, -1, 0, 0},
        {"empty final block", {0, 3, 0xFF, 0xFE}, 0, 0xFFFE, 0},
        {"two data bytes", {0, 3, 0x01, 0x02, 7, 8}, 0, 0x0102, 2},
    };
    for (const Row& row : rows) {
        uint16_t block = 0;
        std::span<const uint8_t> bytes;
        ASSERT_EQ(ParseData(row.packet, &block, &bytes), row.result) << row.name;
        EXPECT_EQ(block, row.block) << row.name;
        EXPECT_EQ(bytes.size(), row.bytes) << row.name;
        if (!bytes.empty()) {
            EXPECT_EQ(bytes.data(), row.packet.data() + 4) << row.name;
        }
    }
}

}  // namespace
}  // namespace vantelo::agentsim::testing
