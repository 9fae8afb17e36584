// Datagrams per second through the console's receive path: replies that are stored into a full
// monitor list, replies that update a full discovery list, and traps into a full trap store with
// the log on disk; a monitor row shown again and a sort of the full monitor list; and what one
// log line costs written in two appends or in one; stray acknowledgements to the TFTP client
// during a transfer; and the engine's resident memory over an hour
// of virtual time with 256 agents polled, silenced, revived and trapping. Run with
// --benchmark_repetitions=N to get the median of N runs.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "console/Console.h"
#include "lists/ListRows.h"
#include "persistence/DefinitionWriter.h"
#include "platform/files/PosixFileSystem.h"
#include "support/AgentDatagrams.h"
#include "support/QuietPorts.h"
#include "support/QuietTransfer.h"
#include "support/TestFiles.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"
#include "upgrade/TftpPackets.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kDeviceTypeId = 0x03B27F16;
constexpr uint16_t kBasePort = 8000;

struct QuietTransferListener : TransferListener {
    void ShowUpgradeState(const std::string&) override {}
    void ShowProgress(uint32_t, uint32_t) override {}
    void TransferEnded(TransferEnd) override {}
};

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
    VirtualNetwork& network() { return network_; }
    VirtualClock& clock() { return clock_; }
    const std::string& Directory() const { return dir_.Path(); }
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

std::vector<DeviceRecord> FullMonitorList();

void StoredRepliesFullMonitorList(benchmark::State& state) {
    Engine engine(FullMonitorList());
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

// One row of a full monitor list shown again in place, as every poll answer does, on copies of
// the loaded table and list.
void ShowMonitorRow(benchmark::State& state) {
    Engine engine(FullMonitorList());
    DeviceTable table = engine.console().MonitorTable();
    ListModel list = engine.console().MonitorList();
    // An answered slot has its row already.
    for (DeviceRecord& record : table) {
        record.rowState = 1;
    }
    int slot = 0;
    for (auto _ : state) {
        vantelo::ShowMonitorRow(table, list, slot);
        slot = (slot + 1) % kTableSlots;
    }
    state.SetItemsProcessed(state.iterations());
    if (list.RowCount() != kTableSlots) {
        state.SkipWithError("a row was added instead of shown again");
    }
}
BENCHMARK(ShowMonitorRow)->UseRealTime();

// A click on a column heading of a full monitor list, each column in turn: one sort of 256 rows.
void SortMonitorList(benchmark::State& state) {
    Engine engine(FullMonitorList());
    int column = 1;
    for (auto _ : state) {
        engine.console().OnColumnClick(ListId::Monitor, column);
        column = column % (kMonitorColumns - 1) + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(SortMonitorList)->UseRealTime();

std::vector<DeviceRecord> FullMonitorList() {
    std::vector<DeviceRecord> monitored;
    for (int n = 0; n < kTableSlots; ++n) {
        monitored.push_back(StoredRecord(NumberedAgent(n), kDeviceTypeId));
    }
    return monitored;
}

// True when every line of the log is a whole trap line: time, agent, event, CR LF.
bool EveryTrapLineWhole(const std::string& path, uint64_t expectedLines) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    std::string log(bytes.begin(), bytes.end());
    uint64_t lines = 0;
    size_t start = 0;
    for (size_t end = log.find("\r\n"); end != std::string::npos;
         start = end + 2, end = log.find("\r\n", start)) {
        std::string_view line(log.data() + start, end - start);
        if (line.size() < 19 || line[2] != '/' || line[19] != ' ' ||
            line.find(" Trap :trap ") == std::string_view::npos || line.find("10.77.") != 20) {
            return false;
        }
        ++lines;
    }
    return start == log.size() && lines == expectedLines;
}

void TrapsIntoAFullStore(benchmark::State& state) {
    Engine engine(FullMonitorList());
    std::vector<Reply> traps;
    for (int n = 0; n < kTableSlots; ++n) {
        AgentSettings agent = NumberedAgent(n);
        traps.push_back(
            Reply{TrapDatagram(agent, agent.ip, "trap " + std::to_string(n) + ": port 3 link down",
                               kDeviceTypeId),
                  Endpoint{agent.ip, kBasePort + 2}});
    }
    uint64_t received = 0;
    for (int n = 0; n < 1499; ++n) {
        engine.Receive(traps[static_cast<size_t>(n) % traps.size()]);
        ++received;
    }
    size_t next = 0;
    for (auto _ : state) {
        engine.Receive(traps[next]);
        next = (next + 1) % traps.size();
        ++received;
    }
    state.SetItemsProcessed(state.iterations());
    const TrapStore& store = engine.console().TrapsKept();
    if (engine.Boxes() != 0 || store.Count() != received || store.Filled() != 1499) {
        state.SkipWithError("traps were not all kept");
    }
    if (!EveryTrapLineWhole(engine.console().LogPath(), received)) {
        state.SkipWithError("a log line is not whole");
    }
}
BENCHMARK(TrapsIntoAFullStore)->UseRealTime();

// One trap line's bytes, appended as the time and then the rest (two opens), or whole (one).
void LogLine(benchmark::State& state) {
    TempDirectory dir;
    PosixFileSystem files;
    std::string path = dir.File("syslog.log");
    std::string time = "03/15/2003 14:02:07";
    std::string rest = " 10.77.0.5 Trap :trap 5: port 3 link down\r\n";
    std::string whole = time + rest;
    bool twoAppends = state.range(0) == 2;
    for (auto _ : state) {
        int failed = 0;
        if (twoAppends) {
            failed |=
                files.AppendFile(path, reinterpret_cast<const uint8_t*>(time.data()), time.size());
            failed |=
                files.AppendFile(path, reinterpret_cast<const uint8_t*>(rest.data()), rest.size());
        } else {
            failed |= files.AppendFile(path, reinterpret_cast<const uint8_t*>(whole.data()),
                                       whole.size());
        }
        if (failed != 0) {
            state.SkipWithError("append failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LogLine)->Arg(2)->Arg(1)->UseRealTime();

// Acknowledgements from a stranger to the TFTP client port during a stalled transfer: each is
// refused, and at most eight a tick get an error packet back.
void StrayAcknowledgementsDuringATransfer(benchmark::State& state) {
    constexpr uint32_t kAgentIp = 0x0A4D0002;
    QuietTransferListener listener;
    QuietTransfer ports{listener};
    VirtualNetwork& network = ports.network;
    TftpClient& client = ports.client;
    ports.files.files["/image.hex"].assign(100000, 0x5A);
    ports.upgrade.SetDeviceIp(kAgentIp);
    ports.upgrade.SetFirmwarePath("/image.hex");
    client.Start();
    network.Queue(kTftpClientPort, Endpoint{kAgentIp, 50000}, {0, 4, 0, 0});
    network.Deliver();
    const std::vector<uint8_t> stray = {0, 4, 0, 1};
    for (auto _ : state) {
        network.Queue(kTftpClientPort, Endpoint{0x0A4D0063, 40000}, stray);
        network.Deliver();
    }
    state.SetItemsProcessed(state.iterations());
    if (client.CurrentBlock() != 1 || !client.IsRunning()) {
        state.SkipWithError("a stray acknowledgement moved the transfer");
    }
}
BENCHMARK(StrayAcknowledgementsDuringATransfer)->UseRealTime();

// The process's resident memory in KiB, from the kernel's page counts.
double ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4.0;
}

// An hour of virtual time with 256 monitored agents answering the polls: every second one agent
// is silenced or revived and ten traps arrive. Reports the resident memory after five minutes,
// once the trap store has filled, and at the end of the hour.
void AnHourOfPolling(benchmark::State& state) {
    for (auto _ : state) {
        Engine engine(FullMonitorList());
        std::vector<std::unique_ptr<SimulatedAgent>> agents;
        for (int n = 0; n < kTableSlots; ++n) {
            agents.push_back(
                std::make_unique<SimulatedAgent>(NumberedAgent(n), kDeviceTypeId, kBasePort + 2));
            engine.network().AddAgent(agents.back().get());
        }
        double afterFiveMinutes = 0;
        for (int second = 1; second <= 3600; ++second) {
            SimulatedAgent& changed = *agents[static_cast<size_t>(second * 37) % agents.size()];
            changed.silent = !changed.silent;
            for (int trap = 0; trap < 10; ++trap) {
                const AgentSettings& from =
                    agents[static_cast<size_t>(second + trap * 23) % agents.size()]->settings;
                engine.network().Queue(
                    kBasePort + 1, Endpoint{from.ip, kBasePort + 2},
                    TrapDatagram(from, from.ip, "port 3 link down", kDeviceTypeId));
            }
            engine.clock().Advance(1000);
            engine.network().Deliver();
            engine.network().ClearSent();
            if (second == 300) {
                afterFiveMinutes = ResidentKiB();
            }
        }
        long polls = 0;
        for (const auto& agent : agents) {
            polls += agent->requestsHeard;
        }
        state.counters["polls_heard"] = static_cast<double>(polls);
        state.counters["traps_kept"] = static_cast<double>(engine.console().TrapsKept().Count());
        state.counters["rss_5min_KiB"] = afterFiveMinutes;
        state.counters["rss_60min_KiB"] = ResidentKiB();
        if (engine.Boxes() != 0) {
            state.SkipWithError("a message box was shown");
        }
    }
}
BENCHMARK(AnHourOfPolling)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace vantelo::test

BENCHMARK_MAIN();
