#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/MemoryFileSystem.h"
#include "support/ScriptedUserInteraction.h"
#include "support/TftpAgent.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"
#include "upgrade/TftpClient.h"
#include "upgrade/TftpPackets.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kAgentIp = 0x0A4D0002;  // 10.77.0.2
const std::string kImage = "/firmware/image.hex";
const std::string kLog = "/cfg/syslog.log";

// Files in memory that count the reads of a range.
struct CountingFileSystem : MemoryFileSystem {
    int ReadRange(const std::string& path, uint64_t offset, size_t limit,
                  std::vector<uint8_t>* bytes, uint64_t* size) override {
        ++reads;
        return MemoryFileSystem::ReadRange(path, offset, limit, bytes, size);
    }

    int reads = 0;
};

struct Recorder : TransferListener {
    void ShowUpgradeState(const std::string& text) override { states.push_back(text); }
    void ShowProgress(uint32_t sent, uint32_t size) override { progress.emplace_back(sent, size); }
    void TransferEnded(TransferEnd end) override { ends.push_back(end); }

    std::vector<std::string> states;
    std::vector<std::pair<uint32_t, uint32_t>> progress;
    std::vector<TransferEnd> ends;
};

std::vector<uint8_t> Image(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 31 + i / 512);
    }
    return bytes;
}

// A transfer to the TFTP agent at 10.77.0.2 of a file in memory.
class TftpTransfer : public ::testing::Test {
public:
    TftpTransfer() {
        network.AddAgent(&agent);
        upgrade.SetDeviceIp(kAgentIp);
        upgrade.SetFirmwarePath(kImage.c_str());
    }

    // Starts the transfer and lets the network and the clock run until it ends or gives up.
    void Run(size_t size) {
        files.files[kImage] = Image(size);
        ASSERT_EQ(client.Start(), 0);
        for (int tick = 0; tick < 600 && listener.ends.empty(); ++tick) {
            network.Deliver();
            clock.Advance(100);
        }
    }

    std::string LogText() const {
        auto file = files.files.find(kLog);
        return file == files.files.end() ? ""
                                         : std::string(file->second.begin(), file->second.end());
    }

    uint32_t BytesSent() const { return upgrade.BytesSent(); }

    int Sends(uint16_t opCode) const {
        return static_cast<int>(std::count_if(
            network.Sent().begin(), network.Sent().end(),
            [&](const SentDatagram& d) { return d.bytes.size() >= 2 && d.bytes[1] == opCode; }));
    }

    VirtualNetwork network;
    VirtualClock clock;
    ScriptedUserInteraction ui;
    Boxes boxes{ui, clock};
    CountingFileSystem files;
    UpgradeContext upgrade;
    SystemLog log{files, boxes, ui, "/cfg"};
    TftpAgent agent{kAgentIp};
    Recorder listener;
    TftpClient client{TftpClient::Parts{network, clock, files, boxes, upgrade, log, clock},
                      listener};
};

// A transfer of its own for each case of a table.
struct Fresh : TftpTransfer {
    void TestBody() override {}
};

TEST_F(TftpTransfer, EveryPacketGoesToPort69FromTheClientPortAndTheRequestNamesThePath) {
    Run(1300);
    EXPECT_EQ(agent.requestedName, kImage);
    EXPECT_EQ(agent.requestedMode, "octet");
    for (const SentDatagram& sent : network.Sent()) {
        EXPECT_EQ(sent.from.port, kTftpClientPort);
        EXPECT_EQ(sent.to.address, kAgentIp);
        EXPECT_EQ(sent.to.port, kTftpServerPort);
    }
    EXPECT_EQ(agent.stored, Image(1300));
}

struct Scenario {
    const char* name;
    size_t size;
    void (*script)(TftpAgent&);
    std::vector<uint16_t> blocksSent;  // data block numbers in the order sent
    std::vector<std::string> states;
    TransferEnd end;
};

const Scenario kScenarios[] = {
    {"under one block",
     300,
     [](TftpAgent&) {},
     {1},
     {"Complete...300/300 bytes"},
     TransferEnd::Complete},
    {"a multiple of 512 ends with an empty block",
     1024,
     [](TftpAgent&) {},
     {1, 2, 3},
     {"Upgrade...1024/1024 bytes", "Complete...1024/1024 bytes"},
     TransferEnd::Complete},
    {"an empty file is one empty block",
     0,
     [](TftpAgent&) {},
     {1},
     {"Complete...0/0 bytes"},
     TransferEnd::Complete},
    {"a lost block is sent again and counted once",
     1100,
     [](TftpAgent& a) { a.loseOnce = {2}; },
     {1, 2, 2, 3},
     {"Upgrade...1024/1100 bytes", "Upgrade...1024/1100 bytes", "Complete...1100/1100 bytes"},
     TransferEnd::Complete},
    {"a lost first block is sent again",
     700,
     [](TftpAgent& a) { a.loseOnce = {1}; },
     {1, 1, 2},
     {"Complete...700/700 bytes"},
     TransferEnd::Complete},
    {"a duplicate acknowledgement neither resends nor advances",
     1100,
     [](TftpAgent& a) { a.ackTwice = true; },
     {1, 2, 3},
     {"Upgrade...1024/1100 bytes", "Complete...1100/1100 bytes"},
     TransferEnd::Complete},
    {"acknowledgements from another address and port are taken",
     600,
     [](TftpAgent& a) {
         a.replyFrom = Endpoint{0x0A4D0063, 40000};
     },
     {1, 2},
     {"Complete...600/600 bytes"},
     TransferEnd::Complete},
    {"no answer to the write request",
     600,
     [](TftpAgent& a) { a.answerWriteRequest = false; },
     {},
     {"Device not found"},
     TransferEnd::DeviceNotFound},
    {"a stall in the middle",
     2000,
     [](TftpAgent& a) { a.silentFromBlock = 3; },
     {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3},
     {"Upgrade...1024/2000 bytes", "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes",
      "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes",
      "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes",
      "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes", "Upgrade...1536/2000 bytes",
      "Upgrade fail, translate 1536/2000 bytes"},
     TransferEnd::Stalled},
};

TEST_F(TftpTransfer, Scenarios) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.name);
        Fresh run;
        s.script(run.agent);
        run.Run(s.size);
        EXPECT_EQ(run.agent.dataBlocks, s.blocksSent);
        EXPECT_EQ(run.listener.states, s.states);
        ASSERT_EQ(run.listener.ends.size(), 1u);
        EXPECT_EQ(run.listener.ends[0], s.end);
        EXPECT_EQ(run.BytesSent(), 0u) << "bytes sent are zeroed at every end";
        EXPECT_FALSE(run.client.IsRunning());
        EXPECT_FALSE(run.network.IsBound(kTftpClientPort));
        if (s.end == TransferEnd::Complete) {
            EXPECT_EQ(run.agent.stored, Image(s.size));
        }
    }
}

TEST_F(TftpTransfer, ProgressCountsEachBlockOnceHoweverOftenItWasSent) {
    agent.loseOnce = {1, 2, 3};
    Run(1600);
    std::vector<uint32_t> counts;
    for (auto [sent, size] : listener.progress) {
        EXPECT_TRUE(sent == 0 || size == 1600u);
        counts.push_back(sent);
    }
    EXPECT_EQ(counts, (std::vector<uint32_t>{512, 512, 1024, 1024, 1536, 1536, 1600, 0}));
}

TEST_F(TftpTransfer,
       AnUnansweredWriteRequestIsSentSixTimesThenTheDeviceIsNotFoundAfterNineSeconds) {
    agent.answerWriteRequest = false;
    files.files[kImage] = Image(100);
    ASSERT_EQ(client.Start(), 0);
    clock.Advance(8999);
    EXPECT_EQ(agent.writeRequests, 5);
    EXPECT_TRUE(listener.ends.empty());
    clock.Advance(1);
    EXPECT_EQ(agent.writeRequests, 6);
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::DeviceNotFound});
    EXPECT_EQ(clock.ActiveTimers(), 0);
    EXPECT_EQ(LogText(), "") << "only data failures and error packets are logged";
}

TEST_F(TftpTransfer, AStalledBlockIsSentElevenTimesThenTheFailureIsLogged) {
    agent.silentFromBlock = 2;
    files.files[kImage] = Image(1000);
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    // A resend on every second 1.5 s tick, 3 s apart; the failure on the second tick after the
    // tenth resend.
    clock.Advance(10 * 3000 + 2999);
    EXPECT_EQ(Sends(3), 12);
    EXPECT_TRUE(listener.ends.empty());
    clock.Advance(1);
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Stalled});
    EXPECT_EQ(LogText(),
              "03/15/2003 14:02:40 10.77.0.2 Upgrade fail, translate 1000/1000 bytes \r\n");
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(TftpTransfer, AnErrorPacketShowsItsBoxLogsItsTextAndEndsTheDialog) {
    agent.errorOnBlock = 0;
    agent.errorText = "Flash busy";
    files.files[kImage] = Image(100);
    ui.ExpectBox(
        MessageBoxRequest{"Flash busy\nThe device will reboot, please wait for a few seconds",
                          "upgrade fail", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog},
        BoxAnswer::Ok, [&] {
            // Nothing is resent while the box is open.
            clock.Advance(10000);
            EXPECT_EQ(agent.writeRequests, 1);
        });
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Refused});
    EXPECT_EQ(listener.states, std::vector<std::string>{" "});
    EXPECT_EQ(LogText(), "03/15/2003 14:02:07 10.77.0.2 Flash busy \r\n");
    EXPECT_FALSE(network.IsBound(kTftpClientPort));
    EXPECT_EQ(clock.ActiveTimers(), 0);
}

TEST_F(TftpTransfer, TheEndComesFiveSecondsAfterTheFinalAcknowledgement) {
    files.files[kImage] = Image(10);
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    EXPECT_TRUE(listener.ends.empty());
    EXPECT_TRUE(client.IsRunning());
    clock.Advance(4999);
    EXPECT_TRUE(listener.ends.empty());
    clock.Advance(1);
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Complete});
}

TEST_F(TftpTransfer, AStrayAcknowledgementOfTheLastBlockNumberDoesNotEndTheTransfer) {
    files.files[kImage] = Image(3000);
    agent.silentFromBlock = 2;
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    network.Queue(kTftpClientPort, Endpoint{kAgentIp, 69}, {0, 4, 0xFF, 0xFF});
    network.Queue(kTftpClientPort, Endpoint{kAgentIp, 69}, {0, 4, 0});  // too short: dropped
    network.Deliver();
    clock.Advance(5000);
    EXPECT_TRUE(listener.ends.empty());
    EXPECT_EQ(client.CurrentBlock(), 2);
}

TEST_F(TftpTransfer, SocketFailuresAreReportedAndNothingIsSent) {
    struct Case {
        SocketOpenResult failure;
        const char* text;
    } cases[] = {{SocketOpenResult::CreateFailed, "Creat tftp socket error"},
                 {SocketOpenResult::BindFailed, "Bind tftps socket error"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Fresh run;
        run.network.FailOpen(kTftpClientPort, c.failure);
        run.ui.ExpectBox(
            MessageBoxRequest{c.text, "Error", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog});
        EXPECT_EQ(run.client.Start(), -1);
        EXPECT_TRUE(run.network.Sent().empty());
        EXPECT_EQ(run.clock.ActiveTimers(), 0);
    }
}

// Blocks 1 to 128 come from one read; the read for block 129 fails while 128 waits for its
// acknowledgement. The box tells why, and the next tick sends block 128 again from what was read,
// so that its acknowledgement reads on.
TEST_F(TftpTransfer, AFileThatCannotBeReadOnIsReportedAndReadAgainAtTheNextAcknowledgement) {
    constexpr uint16_t kHeld = TftpClient::kReadAheadBlocks;
    const size_t size = kHeld * kTftpBlockSize + 1500;
    files.files[kImage] = Image(size);
    agent.silentFromBlock = kHeld;
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    ASSERT_EQ(agent.dataBlocks.back(), kHeld);
    files.files.erase(kImage);
    ui.ExpectBox(MessageBoxRequest{"Open firmware file error", "Error", BoxIcon::Error,
                                   BoxButtons::Ok, BoxOwner::Dialog});
    network.Queue(kTftpClientPort, Endpoint{kAgentIp, 69}, {0, 4, 0, kHeld});
    network.Deliver();
    files.files[kImage] = Image(size);
    agent.silentFromBlock = 0;
    for (int tick = 0; tick < 100 && listener.ends.empty(); ++tick) {
        clock.Advance(100);
        network.Deliver();
    }
    EXPECT_EQ(std::vector<uint16_t>(agent.dataBlocks.end() - 5, agent.dataBlocks.end()),
              (std::vector<uint16_t>{kHeld, kHeld, kHeld + 1, kHeld + 2, kHeld + 3}));
    EXPECT_EQ(agent.stored, Image(size));
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Complete});
}

// The file is read once for every 128 blocks; resends, the first block's too, send what was read.
TEST_F(TftpTransfer, ReadsTheFileOnceEvery128Blocks) {
    struct Case {
        const char* name;
        size_t size;
        std::set<uint16_t> lost;
        int reads;
    } cases[] = {
        {"one block", 100, {}, 1},
        {"exactly 128 blocks end with an empty block past them", 128 * 512, {}, 2},
        {"300 blocks and a short one", 300 * 512 + 10, {}, 3},
        {"resends across a boundary come from what was read",
         300 * 512 + 10,
         {1, 128, 129, 257},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh run;
        run.agent.loseOnce = c.lost;
        run.Run(c.size);
        EXPECT_EQ(run.files.reads, c.reads);
        EXPECT_EQ(run.agent.stored, Image(c.size));
        EXPECT_EQ(run.listener.ends, std::vector<TransferEnd>{TransferEnd::Complete});
    }
}

}  // namespace
}  // namespace vantelo::test
