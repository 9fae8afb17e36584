// The console's figures on real sockets in the private test network; console_bench.sh starts it.
// Reports, asserts nothing about time.
//   console_bench discovery RUNS CONFIG_DIR [AGENTS [routed]]
//     AGENTS simulated agents (256 unless told) answer one discovery, RUNS times after a first
//     one: the time from the broadcast to the last row of the engine's discovery list, and the
//     rows missing a second after it. With routed the console knows no interfaces and its
//     broadcasts go where the routing table sends them, as before it went out of each interface.
//   console_bench flood TRAPS PER_SECOND CONFIG_DIR
//     A flood of traps for the monitored agents: see trap_flood.h.
//   console_bench startup CONFIG_DIR
//     One start-up to a shown window: milliseconds from the exec (VANTELO_BENCH_T0, nanoseconds
//     of the real-time clock) and from main to the window's first exposure, and the peak memory.

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "console_window.h"
#include "trap_flood.h"

using vantelo::test::ConsoleWindow;

namespace {

constexpr int kDefaultAgents = 256;
constexpr int kDeadlineMs = 1000;

int64_t RealTimeNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

long PeakMemoryKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs the event loop until done() holds or the deadline passes, without the sleeps of
// QTest::qWaitFor, so that answers are handled as they arrive, as in the console's own loop.
void RunUntil(QAbstractItemModel* model, const std::function<bool()>& done, int deadlineMs) {
    QEventLoop loop;
    QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (done()) {
            loop.quit();
        }
    };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &loop, check);
    if (!done()) {
        loop.exec();
    }
}

int BenchDiscovery(int runs, const std::string& config, int agents, bool routed) {
    ConsoleWindow window(config);
    if (routed) {
        window.FollowRoutingTable();
    }
    window.Start();
    QAbstractItemModel* model = window.DiscoveryView()->model();
    const vantelo::ListModel& list = window.Engine().DiscoveryList();
    QElapsedTimer sinceBroadcast;
    int64_t fullAfterNs = -1;
    // Discovery empties the list right before it sends the broadcast.
    QObject::connect(model, &QAbstractItemModel::modelReset, [&] { sinceBroadcast.start(); });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, [&] {
        if (fullAfterNs < 0 && list.RowCount() == agents) {
            fullAfterNs = sinceBroadcast.nsecsElapsed();
        }
    });

    int missingRows = 0;
    // One discovery: the time to the 256th row in ms (-1 when rows were missing at the deadline)
    // and the rows missing then.
    struct Outcome {
        double ms;
        int missing;
    };
    const auto discover = [&] {
        fullAfterNs = -1;
        window.Click(vantelo::ControlId::Discovery);
        RunUntil(
            model, [&] { return fullAfterNs >= 0; }, kDeadlineMs);
        const Outcome outcome{fullAfterNs >= 0 ? static_cast<double>(fullAfterNs) / 1e6 : -1,
                              agents - list.RowCount()};
        missingRows += outcome.missing;
        QTest::qWait(200);  // late answers of this run land before the next one starts
        return outcome;
    };
    // The first discovery after start-up also pays for first-time work (glyphs of the row texts,
    // the first layout of a full list): reported on its own, so that a script can take turns
    // with another client in blocks of a few runs without that weighing on its median.
    const Outcome first = discover();
    std::printf("first discovery after start-up: %d rows missing, 256th row after %.2f ms\n",
                first.missing, first.ms);
    std::vector<double> times;
    for (int run = 1; run <= runs; ++run) {
        const Outcome outcome = discover();
        if (outcome.ms >= 0) {
            times.push_back(outcome.ms);
            std::printf("run %2d: %d rows after %.2f ms\n", run, agents, outcome.ms);
        } else {
            std::printf("run %2d: %d rows missing after %d ms\n", run, outcome.missing,
                        kDeadlineMs);
        }
    }
    std::printf("discovery of %d agents, %d runs: all rows in %zu runs, %d rows missing in all\n",
                agents, runs, times.size(), missingRows);
    if (!times.empty()) {
        std::printf("time from the broadcast to the %dth row: median %.2f ms, max %.2f ms\n",
                    agents, Median(times), *std::max_element(times.begin(), times.end()));
    }
    for (const vantelo::MessageBoxRequest& box : window.Ui().boxes) {
        std::printf("box: %s\n", box.text.c_str());
    }
    std::fflush(stdout);
    return window.Ui().boxes.empty() ? 0 : 1;
}

// Notes the time of a window's first exposure and ends a loop then.
class ExposureWatch : public QObject {
public:
    explicit ExposureWatch(QEventLoop* loop) : loop_(loop) {}

    int64_t exposedNs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && exposedNs < 0 &&
            static_cast<QWindow*>(watched)->isExposed()) {
            exposedNs = RealTimeNs();
            loop_->quit();
        }
        return false;
    }

private:
    QEventLoop* loop_;
};

int BenchStartup(const std::string& config, int64_t execNs, int64_t mainNs) {
    ConsoleWindow window(config);
    window.Start();
    QWindow* shown = window.Dialog().windowHandle();
    QEventLoop loop;
    ExposureWatch watch(&loop);
    if (shown != nullptr && shown->isExposed()) {
        watch.exposedNs = RealTimeNs();  // a platform that exposes the window inside show()
    } else if (shown != nullptr) {
        shown->installEventFilter(&watch);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (watch.exposedNs < 0) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    std::printf("startup_ms %.1f main_ms %.1f rows %d peak_kb %ld\n",
                static_cast<double>(watch.exposedNs - execNs) / 1e6,
                static_cast<double>(watch.exposedNs - mainNs) / 1e6,
                window.MonitorView()->model()->rowCount(), PeakMemoryKb());
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int64_t mainNs = RealTimeNs();
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "discovery" && argc >= 4 && argc <= 6) {
        QApplication application(argc, argv);
        const int agents = argc >= 5 ? std::atoi(argv[4]) : kDefaultAgents;
        const bool routed = argc == 6 && std::string(argv[5]) == "routed";
        return BenchDiscovery(std::atoi(argv[2]), argv[3], agents, routed);
    }
    if (mode == "flood" && argc == 5) {
        QApplication application(argc, argv);
        return vantelo::test::BenchTrapFlood(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    }
    if (mode == "startup" && argc == 3) {
        const int64_t execNs = std::atoll(qgetenv("VANTELO_BENCH_T0").constData());
        QApplication application(argc, argv);
        return BenchStartup(argv[2], execNs > 0 ? execNs : mainNs, mainNs);
    }
    std::fprintf(stderr,
                 "usage: console_bench discovery RUNS CONFIG_DIR [AGENTS [routed]] | "
                 "console_bench flood TRAPS "
                 "PER_SECOND CONFIG_DIR | console_bench startup CONFIG_DIR\n");
    return 2;
}
