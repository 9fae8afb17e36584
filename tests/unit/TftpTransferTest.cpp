#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
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
    {"acknowledgements from the agent's address and a transfer port of its own are taken",
     600,
     [](TftpAgent& a) {
         a.replyFrom = Endpoint{kAgentIp, 40000};
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

constexpr Endpoint kStranger{0x0A4D0063, 40000};  // 10.77.0.99
const std::vector<uint8_t> kUnknownTransferId = {0,   5,   0,   5,   'U', 'n', 'k', 'n',
                                                 'o', 'w', 'n', ' ', 't', 'r', 'a', 'n',
                                                 's', 'f', 'e', 'r', ' ', 'I', 'D', 0};

std::vector<uint8_t> AckOf(uint16_t block) {
    return {0, 4, static_cast<uint8_t>(block >> 8), static_cast<uint8_t>(block)};
}

// Datagrams that do not come from the agent's address and the port of its first answer: each
// gets error 5 back, at most eight between two ticks, and the transfer goes on as if they had
// never come. The agent answers from a transfer port of its own and stops acknowledging at
// block 3, so the transfer fails after its resends whatever the strangers send.
TEST_F(TftpTransfer, AnyoneButTheAgentsTransferPortGetsUnknownTransferIdAndChangesNothing) {
    constexpr Endpoint kAgentTransferPort{kAgentIp, 50000};
    struct Case {
        const char* name;
        // What arrives at each 100 ms of the transfer's time (ms since Start).
        void (*strays)(VirtualNetwork&, int ms);
        int refusals;  // error packets sent back; -1: some, at most eight between two ticks
        Endpoint refusedTo;
    } cases[] = {
        {"an old block from another address every 5 s",
         [](VirtualNetwork& n, int ms) {
             if (ms % 5000 == 0) {
                 n.Queue(kTftpClientPort, kStranger, AckOf(2));
             }
         },
         7, kStranger},
        {"blind acknowledgements of blocks 1 to 40, over and over",
         [](VirtualNetwork& n, int ms) {
             n.Queue(kTftpClientPort, kStranger, AckOf(static_cast<uint16_t>(ms / 100 % 40 + 1)));
         },
         -1, kStranger},
        {"the block in flight from the agent's address on port 69",
         [](VirtualNetwork& n, int ms) {
             if (ms % 5000 == 0) {
                 n.Queue(kTftpClientPort, Endpoint{kAgentIp, 69}, AckOf(3));
             }
         },
         7, Endpoint{kAgentIp, 69}},
        {"error packets from another address get no answer",
         [](VirtualNetwork& n, int) {
             n.Queue(kTftpClientPort, kStranger, {0, 5, 0, 1, 'x', 0});
         },
         0, kStranger},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh run;
        run.agent.replyFrom = kAgentTransferPort;
        run.agent.silentFromBlock = 3;
        run.files.files[kImage] = Image(20 * 512 + 100);
        ASSERT_EQ(run.client.Start(), 0);
        run.network.Deliver();
        for (int ms = 0; ms < 60000 && run.listener.ends.empty(); ms += 100) {
            c.strays(run.network, ms);
            run.network.Deliver();
            run.clock.Advance(100);
        }
        std::vector<uint16_t> blocks = {1, 2};
        blocks.insert(blocks.end(), 11, 3);
        EXPECT_EQ(run.agent.dataBlocks, blocks);
        EXPECT_EQ(run.listener.ends, std::vector<TransferEnd>{TransferEnd::Stalled});
        EXPECT_EQ(run.listener.states.back(), "Upgrade fail, translate 1536/10340 bytes");
        EXPECT_NE(run.LogText().find("Upgrade fail, translate 1536/10340 bytes"),
                  std::string::npos);
        int refusals = 0;
        for (const SentDatagram& sent : run.network.Sent()) {
            if (sent.bytes == kUnknownTransferId) {
                ++refusals;
                EXPECT_EQ(sent.to.address, c.refusedTo.address);
                EXPECT_EQ(sent.to.port, c.refusedTo.port);
            }
        }
        if (c.refusals >= 0) {
            EXPECT_EQ(refusals, c.refusals);
        } else {
            // 330 arrive in the 33 s, fifteen between two ticks; eight of those are answered.
            EXPECT_GE(refusals, 8 * (33000 / TftpClient::kTickMs));
            EXPECT_LE(refusals, 8 * (33000 / TftpClient::kTickMs + 1));
        }
    }
}

// A box opened by the receive path runs an event loop in which the ticks go on: here the send of
// the final block fails, and while its box is open the resends run out. When the box closes the
// failure stands; nothing of the ended transfer comes back, and the next Start begins afresh.
TEST_F(TftpTransfer, AFailureInsideABoxStandsAndTheNextStartBeginsAfresh) {
    files.files[kImage] = Image(700);
    agent.silentFromBlock = 1;
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    const MessageBoxRequest sendError{"Upgrade fail!!!!", "Error", BoxIcon::Error, BoxButtons::Ok,
                                      BoxOwner::Dialog};
    ui.ExpectBox(sendError, BoxAnswer::Ok, [&] {
        clock.Advance(40000);
        EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Stalled});
    });
    ui.ExpectBox(sendError);  // the resends' failures, waiting behind the first box
    network.FailSends(EHOSTUNREACH);
    network.Queue(kTftpClientPort, Endpoint{kAgentIp, 69}, AckOf(1));
    network.Deliver();
    clock.Advance(0);
    EXPECT_EQ(listener.states.back(), "Upgrade fail, translate 700/700 bytes");
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Stalled});
    EXPECT_FALSE(client.IsRunning());
    EXPECT_EQ(clock.ActiveTimers(), 0);

    network.FailSends(0);
    agent = TftpAgent(kAgentIp);
    ASSERT_EQ(client.Start(), 0);
    for (int tick = 0; tick < 100 && listener.ends.size() < 2; ++tick) {
        network.Deliver();
        clock.Advance(100);
    }
    EXPECT_EQ(agent.dataBlocks, (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(agent.stored, Image(700));
    EXPECT_EQ(listener.ends,
              (std::vector<TransferEnd>{TransferEnd::Stalled, TransferEnd::Complete}));
}

// Ticks that fall due while a tick's box is open are not run inside it: one run follows when the
// box closes, so the resends do not run out behind the operator's back.
TEST_F(TftpTransfer, TicksDoNotRunInsideTheBoxOfAnEarlierTick) {
    files.files[kImage] = Image(2000);
    agent.silentFromBlock = 2;
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    network.FailSends(EHOSTUNREACH);
    ui.ExpectBox(MessageBoxRequest{"Upgrade fail!!!!", "Error", BoxIcon::Error, BoxButtons::Ok,
                                   BoxOwner::Dialog},
                 BoxAnswer::Ok, [&] {
                     network.FailSends(0);
                     clock.Advance(60000);
                     EXPECT_EQ(agent.dataBlocks, (std::vector<uint16_t>{1, 2}));
                     EXPECT_TRUE(listener.ends.empty());
                 });
    clock.Advance(3000);  // the first resend fails and opens the box
    EXPECT_TRUE(ui.AllShown());
    EXPECT_TRUE(listener.ends.empty());
    EXPECT_TRUE(client.IsRunning());
    clock.Advance(TftpClient::kTickMs);
    EXPECT_EQ(agent.dataBlocks, (std::vector<uint16_t>{1, 2, 2}))
        << "the ticks go on after the box";
}

// After every way a transfer can end short of its goal, Start sends the whole file again from
// block 1 and completes only after the final block.
TEST_F(TftpTransfer, StartAfterAnyFailureBeginsFromAFreshState) {
    struct Case {
        const char* name;
        void (*fail)(Fresh&);
    } cases[] = {
        {"the write request was never answered",
         [](Fresh& r) {
             r.agent.answerWriteRequest = false;
             r.Run(1100);
         }},
        {"a block was never acknowledged",
         [](Fresh& r) {
             r.agent.silentFromBlock = 2;
             r.Run(1100);
         }},
        {"the final block was never acknowledged",
         [](Fresh& r) {
             r.agent.silentFromBlock = 3;
             r.Run(1100);
         }},
        {"the agent sent an error packet",
         [](Fresh& r) {
             r.agent.errorOnBlock = 2;
             r.agent.errorText = "Flash busy";
             r.ui.ExpectBox(MessageBoxRequest{
                 "Flash busy\nThe device will reboot, please wait for a few seconds",
                 "upgrade fail", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog});
             r.Run(1100);
         }},
        {"Cancel in the middle",
         [](Fresh& r) {
             r.agent.silentFromBlock = 2;
             r.files.files[kImage] = Image(1100);
             ASSERT_EQ(r.client.Start(), 0);
             r.network.Deliver();
             r.client.Abort();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh run;
        c.fail(run);
        EXPECT_FALSE(run.client.IsRunning());
        run.agent = TftpAgent(kAgentIp);
        run.listener = Recorder{};
        run.Run(1100);
        EXPECT_EQ(run.agent.dataBlocks, (std::vector<uint16_t>{1, 2, 3}));
        EXPECT_EQ(run.agent.stored, Image(1100));
        EXPECT_EQ(run.listener.states, (std::vector<std::string>{"Upgrade...1024/1100 bytes",
                                                                 "Complete...1100/1100 bytes"}));
        EXPECT_EQ(run.listener.ends, std::vector<TransferEnd>{TransferEnd::Complete});
    }
}

// Cancel during the pause after the final acknowledgement does not cut it short: the transfer
// ends complete when the pause is over.
TEST_F(TftpTransfer, AbortDuringTheFinalPauseLeavesThePauseToEnd) {
    files.files[kImage] = Image(10);
    ASSERT_EQ(client.Start(), 0);
    network.Deliver();
    ASSERT_TRUE(client.InFinalPause());
    client.Abort();
    EXPECT_TRUE(client.IsRunning());
    clock.Advance(TftpClient::kFinalPauseMs);
    EXPECT_EQ(listener.ends, std::vector<TransferEnd>{TransferEnd::Complete});
    EXPECT_FALSE(network.IsBound(kTftpClientPort));
}

}  // namespace
}  // namespace vantelo::test
