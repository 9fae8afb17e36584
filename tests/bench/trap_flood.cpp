#include "trap_flood.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "support/RecordingUserInteraction.h"
#include "gui/ConsoleApp.h"
#include "platform/QtTimers.h"
#include "support/AgentDatagrams.h"
#include "support/TestFiles.h"

namespace vantelo::test {

namespace {

constexpr uint32_t kConsoleAddress = 0x0A4D0001;  // 10.77.0.1 in the private network
constexpr int kLivenessPeriodMs = 5000;
constexpr int kProbePeriodMs = 10;

// The platform's timers, noting when each run of the liveness pass begins.
class WatchedTimers : public Timers {
public:
    TimerHandle StartRepeating(int periodMs, std::function<void()> fn) override {
        if (periodMs != kLivenessPeriodMs) {
            return timers_.StartRepeating(periodMs, std::move(fn));
        }
        return timers_.StartRepeating(periodMs, [this, fn = std::move(fn)] {
            passesMs.push_back(clock.elapsed());
            fn();
        });
    }
    TimerHandle StartSingleShot(int delayMs, std::function<void()> fn) override {
        return timers_.StartSingleShot(delayMs, std::move(fn));
    }
    void Stop(TimerHandle handle) override { timers_.Stop(handle); }

    QElapsedTimer clock;
    std::vector<qint64> passesMs;

private:
    QtTimers timers_;
};

// Sends the traps in 10 ms slices at the given rate from its own thread; trap n names agent
// n mod the agents and carries the text "trap n".
void SendTraps(const std::vector<uint32_t>& agents, uint16_t port, uint32_t deviceTypeId, int traps,
               int perSecond, std::atomic<int>* sent) {
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(kConsoleAddress);
    const int perSlice = std::max(1, perSecond / 100);
    auto next = std::chrono::steady_clock::now();
    AgentSettings sender = NumberedAgent(1);
    for (int n = 0; n < traps;) {
        for (int k = 0; k < perSlice && n < traps; ++k, ++n) {
            uint32_t agent = agents[static_cast<size_t>(n) % agents.size()];
            std::vector<uint8_t> bytes =
                TrapDatagram(sender, agent, "trap " + std::to_string(n), deviceTypeId);
            ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to),
                     sizeof to);
            sent->store(n + 1);
        }
        next += std::chrono::milliseconds(kProbePeriodMs);
        std::this_thread::sleep_until(next);
    }
    ::close(fd);
}

int TrapNumber(const char* event) {
    return std::atoi(event + 5);
}

// The kept traps are the newest ones received, oldest first.
bool StoreHoldsTheNewest(const TrapStore& store) {
    int previous = -1;
    for (int slot = 0; slot < store.Filled(); ++slot) {
        int number = TrapNumber(store.Slot(slot).event);
        if (number <= previous) {
            return false;
        }
        previous = number;
    }
    return store.Slot(TrapStore::kMostKept).event[0] == '\0';
}

// Counts the whole trap lines of the log; -1 when any line is not whole.
long WholeTrapLines(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    std::string log(bytes.begin(), bytes.end());
    long lines = 0;
    size_t start = 0;
    for (size_t end = log.find("\r\n"); end != std::string::npos;
         start = end + 2, end = log.find("\r\n", start)) {
        std::string_view line(log.data() + start, end - start);
        if (line.size() < 20 || line[2] != '/' || line[19] != ' ') {
            return -1;
        }
        if (line.find(" Trap :trap ") != std::string_view::npos) {
            ++lines;
        } else if (line.find(" Not alive ") == std::string_view::npos) {
            return -1;
        }
    }
    return start == log.size() ? lines : -1;
}

}  // namespace

int BenchTrapFlood(int traps, int perSecond, const std::string& config) {
    WatchedTimers timers;
    RecordingUserInteraction ui;
    ConsoleApp app(config, PortChoices{nullptr, &timers, nullptr, &ui, nullptr});
    timers.clock.start();
    app.Initialize();
    app.Window().show();
    Console& console = app.Engine();
    std::vector<uint32_t> agents;
    for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
        agents.push_back(console.MonitorTable()[static_cast<size_t>(slot)].ip);
    }

    // The event loop's lateness, probed every 10 ms.
    qint64 worstLateNs = 0;
    QElapsedTimer sinceProbe;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worstLateNs = std::max(worstLateNs, sinceProbe.nsecsElapsed() - kProbePeriodMs * 1000000LL);
        sinceProbe.start();
    });
    // Two passes before the flood, so that the gaps around its start are seen.
    QEventLoop settle;
    QTimer::singleShot(2 * kLivenessPeriodMs + 500, &settle, &QEventLoop::quit);
    settle.exec();

    std::atomic<int> sent{0};
    const qint64 floodStartMs = timers.clock.elapsed();
    sinceProbe.start();
    probe.start(kProbePeriodMs);
    std::thread sender(SendTraps, agents, console.Sockets().BasePort(),
                       console.Sockets().DeviceTypeId(), traps, perSecond, &sent);
    // Until every trap was sent and the count stood still for half a second.
    uint32_t lastCount = 0;
    int stillSlices = 0;
    QEventLoop loop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        uint32_t count = console.TrapsKept().Count();
        stillSlices = count == lastCount && sent.load() == traps ? stillSlices + 1 : 0;
        lastCount = count;
        if (stillSlices >= 5) {
            loop.quit();
        }
    });
    watch.start(100);
    loop.exec();
    probe.stop();
    sender.join();
    const qint64 floodEndMs = timers.clock.elapsed();

    qint64 longestGapMs = 0;
    int passesDuring = 0;
    for (size_t k = 1; k < timers.passesMs.size(); ++k) {
        if (timers.passesMs[k] >= floodStartMs) {
            longestGapMs = std::max(longestGapMs, timers.passesMs[k] - timers.passesMs[k - 1]);
            ++passesDuring;
        }
    }
    const TrapStore& store = console.TrapsKept();
    const long lines = WholeTrapLines(console.LogPath());
    std::printf(
        "trap flood: %d traps sent at %d/s for %lld ms to %zu monitored agents; %u received, "
        "%u lost by the network\n",
        traps, perSecond, static_cast<long long>(floodEndMs - floodStartMs), agents.size(),
        store.Count(), static_cast<unsigned>(traps) - store.Count());
    std::printf(
        "longest gap between liveness passes: %lld ms (%d passes); worst event loop "
        "latency: %.1f ms\n",
        static_cast<long long>(longestGapMs), passesDuring, static_cast<double>(worstLateNs) / 1e6);
    std::printf(
        "store: %d kept, newest trap %d, in order %s; log: %ld whole trap lines%s; "
        "%zu boxes\n",
        store.Filled(), TrapNumber(store.Slot(store.Filled() - 1).event),
        StoreHoldsTheNewest(store) ? "yes" : "NO", lines,
        lines == static_cast<long>(store.Count()) ? "" : " (NOT one per trap)", ui.boxes.size());
    std::fflush(stdout);
    const bool sound = store.Filled() == TrapStore::kMostKept && StoreHoldsTheNewest(store) &&
                       lines == static_cast<long>(store.Count()) && ui.boxes.empty();
    return sound ? 0 : 1;
}

}  // namespace vantelo::test
