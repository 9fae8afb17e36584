// agentsim_bench: figures for the simulator, measured by plain sockets in the same private network
// namespace (tests/bench/agentsim_bench.sh starts both).
//   discovery: one broadcast, the time until the last reply arrives and the number of replies,
//              over many rounds; medians reported.
//   polls:     polls to every agent with a fixed number outstanding; replies per second, median of
//              several runs.
//   With "discovery ROUNDS" after the arguments, only the discovery, ROUNDS rounds, each round's
//   time on a line of its own, so that a script can take turns with another client.
// usage: agentsim_bench DEFINE_FILE AGENTS FIRST_IP [discovery ROUNDS]

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "agentsim_client.h"
#include "persistence/DefinitionFile.h"
#include "platform/files/PosixFileSystem.h"
#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"

using namespace vantelo;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kDiscoveryRounds = 30;
constexpr int kPollRuns = 5;
constexpr auto kPollRunLength = std::chrono::seconds(2);
constexpr int kPollWindow = 64;

int OpenSocket(uint16_t port) {
    int fd = agentsim::client::OpenClientSocket(port, true);
    if (fd < 0) {
        std::perror("bind");
        std::exit(1);
    }
    return fd;
}

void SendTo(int fd, const uint8_t* data, size_t size, uint32_t ip, uint16_t port) {
    agentsim::client::SendToAddress(fd, data, size, ip, port);
}

// Receives what is waiting; returns the count.
int Drain(int fd) {
    uint8_t buffer[kMaxDatagram];
    int count = 0;
    while (recv(fd, buffer, sizeof buffer, 0) >= 0) {
        ++count;
    }
    return count;
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Discovery(const DefinitionValues& d, int agents, int rounds, bool eachRound) {
    int fd = OpenSocket(d.basePort);
    uint8_t request[kHeaderSize];
    BuildRequestHeader(request, OpCode::DiscoveryRequest, d.deviceTypeId);
    std::vector<double> times;
    std::vector<int> counts;
    for (int round = 0; round < rounds; ++round) {
        Drain(fd);
        Clock::time_point start = Clock::now();
        Clock::time_point last = start;
        SendTo(fd, request, sizeof request, 0xFFFFFFFFu, d.basePort + 2);
        int count = 0;
        Clock::time_point end = start + std::chrono::seconds(1);
        while (count < agents && Clock::now() < end) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 50) > 0) {
                int got = Drain(fd);
                if (got > 0) {
                    count += got;
                    last = Clock::now();
                }
            }
        }
        times.push_back(Milliseconds(last - start));
        counts.push_back(count);
        if (eachRound) {
            std::printf("round %2d: %d replies, the last after %.3f ms\n", round + 1, count,
                        times.back());
        }
        usleep(50000);
    }
    close(fd);
    std::printf(
        "discovery: %d agents, %d rounds: last reply after median %.2f ms (min %.2f, max "
        "%.2f); replies received median %d (min %d)\n",
        agents, rounds, Median(times), *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), Median(counts),
        *std::min_element(counts.begin(), counts.end()));
}

// One run: keeps kPollWindow polls outstanding, round robin over the agents.
double PollRun(int fd, const DefinitionValues& d, int agents, uint32_t first) {
    uint8_t request[kHeaderSize];
    BuildRequestHeader(request, OpCode::PollRequest, d.deviceTypeId);
    int next = 0;
    auto sendOne = [&] {
        SendTo(fd, request, sizeof request, first + static_cast<uint32_t>(next), d.basePort + 2);
        next = (next + 1) % agents;
    };
    long replies = 0;
    Clock::time_point start = Clock::now();
    Clock::time_point end = start + kPollRunLength;
    for (int i = 0; i < kPollWindow; ++i) {
        sendOne();
    }
    while (Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            for (int i = 0; i < kPollWindow; ++i) {
                sendOne();
            }
            continue;
        }
        int got = Drain(fd);
        replies += got;
        for (int i = 0; i < got; ++i) {
            sendOne();
        }
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    usleep(100000);
    Drain(fd);
    return static_cast<double>(replies) / seconds;
}

void Polls(const DefinitionValues& d, int agents, uint32_t first) {
    int fd = OpenSocket(static_cast<uint16_t>(d.basePort + 1));
    std::vector<double> rates;
    for (int run = 0; run < kPollRuns; ++run) {
        rates.push_back(PollRun(fd, d, agents, first));
    }
    close(fd);
    std::printf(
        "polls: %d agents, %d outstanding: median %.0f replies/s over %d runs of %lld s "
        "(min %.0f, max %.0f)\n",
        agents, kPollWindow, Median(rates), kPollRuns,
        static_cast<long long>(kPollRunLength.count()),
        *std::min_element(rates.begin(), rates.end()),
        *std::max_element(rates.begin(), rates.end()));
}

}  // namespace

int main(int argc, char** argv) {
    PosixFileSystem files;
    DefinitionValues d{};
    uint32_t first = 0;
    const bool discoveryOnly = argc == 6 && std::string(argv[4]) == "discovery";
    const int rounds = discoveryOnly ? std::atoi(argv[5]) : kDiscoveryRounds;
    if ((argc != 4 && !discoveryOnly) || rounds < 1 ||
        LoadDefinitionFile(files, argv[1], &d) != 0 || TextToIp(argv[3], &first) != 0) {
        std::fprintf(stderr,
                     "usage: agentsim_bench DEFINE_FILE AGENTS FIRST_IP [discovery ROUNDS]\n");
        return 2;
    }
    int agents = std::atoi(argv[2]);
    Discovery(d, agents, rounds, discoveryOnly);
    if (!discoveryOnly) {
        Polls(d, agents, first);
    }
    return 0;
}
