// Datagrams per second through the console's receive path: replies that are stored into a full
// monitor list, and replies that update a full discovery list. Run with
// --benchmark_repetitions=N to get the median of N runs.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "console/Console.h"
#include "persistence/DefinitionWriter.h"
#include "platform/files/PosixFileSystem.h"
#include "support/AgentDatagrams.h"
#include "support/QuietPorts.h"
#include "support/TestFiles.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kDeviceTypeId = 0x03B27F16;
constexpr uint16_t kBasePort = 8000;

struct Reply {
    std::vector<uint8_t> bytes;
    Endpoint from;
};

// A started console on in-memory ports; its monitor list is loaded with the agents given.
class Engine {
public:
    explicit Engine(const std::vector<DeviceRecord>& monitored) {
        WriteBytes(dir_.File("define.ecf"), BuildDefinitionFile(kDeviceTypeId, kBasePort));
        WriteBytes(dir_.File("monitor.cfg"), RecordBytes(monitored));
        ConsolePorts ports{&network_,   &clock_,   &clock_, &ui_,
                           &addresses_, &dialogs_, &files_, dir_.Path()};
        console_ = std::make_unique<Console>(ports);
        console_->Initialize(view_);
    }

    Console& console() { return *console_; }
    long Boxes() const { return ui_.boxes; }

    // One reply through the receive path, as the unicast socket's readable call would take it.
    void Receive(const Reply& reply) {
        network_.PutInSocket(kBasePort + 1, reply.from, reply.bytes);
        console_->ReceiveDatagram(SocketId::Unicast);
    }

private:
    TempDirectory dir_;
    VirtualNetwork network_;
    VirtualClock clock_;
    QuietUserInteraction ui_;
    CancelledDialogs dialogs_;
    QuietView view_;
    UnreadableAddressTable addresses_;
    PosixFileSystem files_;
    std::unique_ptr<Console> console_;
};

std::vector<Reply> RepliesOfAgents(int first) {
    std::vector<Reply> replies;
    for (int n = first; n < first + kTableSlots; ++n) {
        AgentSettings agent = NumberedAgent(n);
        replies.push_back(Reply{SettingsReply(agent, OpCode::DiscoveryReply, kDeviceTypeId),
                                Endpoint{agent.ip, kBasePort + 2}});
    }
    return replies;
}

void RunReplies(benchmark::State& state, Engine& engine, const std::vector<Reply>& replies) {
    size_t next = 0;
    for (auto _ : state) {
        engine.Receive(replies[next]);
        next = (next + 1) % replies.size();
    }
    state.SetItemsProcessed(state.iterations());
    if (engine.Boxes() != 0) {
        state.SkipWithError("a message box was shown");
    }
}

void StoredRepliesFullMonitorList(benchmark::State& state) {
    std::vector<DeviceRecord> monitored;
    for (int n = 0; n < kTableSlots; ++n) {
        monitored.push_back(StoredRecord(NumberedAgent(n), kDeviceTypeId));
    }
    Engine engine(monitored);
    std::vector<Reply> replies = RepliesOfAgents(0);
    RunReplies(state, engine, replies);
    if (engine.console().MonitorList().RowCount() != kTableSlots ||
        engine.console().DiscoveryList().RowCount() != 0) {
        state.SkipWithError("replies did not land in the monitor list");
    }
}
BENCHMARK(StoredRepliesFullMonitorList);

void StoredRepliesFullDiscoveryList(benchmark::State& state) {
    Engine engine({});
    std::vector<Reply> replies = RepliesOfAgents(0);
    for (const Reply& reply : replies) {
        engine.Receive(reply);
    }
    RunReplies(state, engine, replies);
    if (engine.console().DiscoveryList().RowCount() != kTableSlots) {
        state.SkipWithError("replies did not land in the discovery list");
    }
}
BENCHMARK(StoredRepliesFullDiscoveryList);

}  // namespace
}  // namespace vantelo::test

BENCHMARK_MAIN();
