#include "EventLoop.h"

#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <vector>

#include "protocol/PacketHeader.h"

namespace vantelo::agentsim {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int) {
    stopSignal = 1;
}

// Datagrams taken from one socket before the others get their turn.
constexpr int kBatch = 256;
// The loop wakes at least this often, whatever the deadlines say.
constexpr int64_t kMaxWaitMs = 1000;

// SIGINT and SIGTERM are blocked except inside ppoll, so that a stop request cannot slip in
// between the check of the flag and the wait.
sigset_t BlockStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigset_t stops;
    sigset_t previous;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigprocmask(SIG_BLOCK, &stops, &previous);
    sigdelset(&previous, SIGINT);
    sigdelset(&previous, SIGTERM);
    return previous;
}

}  // namespace

int64_t EventLoop::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void EventLoop::Run() {
    sigset_t waitMask = BlockStopSignals();
    std::vector<pollfd> fds;
    std::vector<std::function<void(short)>> work;
    while (!control_.QuitRequested() && stopSignal == 0) {
        int64_t nowMs = NowMs();
        fds.clear();
        work.clear();
        fds.push_back({network_.ManagementSocket(), POLLIN, 0});
        work.push_back([this](short) { ReceiveManagement(NowMs()); });
        fds.push_back({network_.TftpSocket(), POLLIN, 0});
        work.push_back([this](short) { ReceiveTftp(network_.TftpSocket(), {}, NowMs()); });
        for (const auto& [local, fd] : network_.TransferSockets()) {
            Endpoint endpoint{local.first, local.second};
            fds.push_back({fd, POLLIN, 0});
            work.push_back([this, endpoint](short) {
                if (int socket = network_.TransferSocket(endpoint); socket >= 0) {
                    ReceiveTftp(socket, endpoint, NowMs());
                }
            });
        }
        http_.Watch(&fds, &work, nowMs);
        control_.Watch(&fds, &work, nowMs);
        int64_t timeoutMs = TimeoutMs(nowMs);
        timespec timeout{static_cast<time_t>(timeoutMs / 1000),
                         static_cast<long>(timeoutMs % 1000) * 1000000};
        if (ppoll(fds.data(), fds.size(), &timeout, &waitMask) > 0) {
            for (size_t i = 0; i < fds.size(); ++i) {
                if (fds[i].revents != 0) {
                    work[i](fds[i].revents);
                }
            }
        }
        nowMs = NowMs();
        simulator_.Tick(nowMs);
        http_.Expire(nowMs);
        output_.Flush();
    }
}

void EventLoop::ReceiveManagement(int64_t nowMs) {
    uint8_t buffer[kMaxDatagram + 1];
    for (int i = 0; i < kBatch; ++i) {
        uint32_t dstIp = 0;
        Endpoint from;
        ssize_t size = SocketNetwork::Receive(network_.ManagementSocket(), buffer, sizeof buffer,
                                              &dstIp, &from);
        if (size < 0) {
            return;
        }
        simulator_.OnManagementDatagram(buffer, static_cast<size_t>(size), dstIp, from, nowMs);
    }
}

// local is the transfer port, or empty for port 69, where the datagram names its destination.
void EventLoop::ReceiveTftp(int fd, Endpoint local, int64_t nowMs) {
    uint8_t buffer[kMaxDatagram + 1];
    for (int i = 0; i < kBatch; ++i) {
        Endpoint to = local;
        Endpoint from;
        ssize_t size = SocketNetwork::Receive(fd, buffer, sizeof buffer, &to.ip, &from);
        if (size < 0) {
            return;
        }
        if (local.port == 0) {
            to.port = kTftpPort;
        }
        simulator_.OnTftpDatagram(buffer, static_cast<size_t>(size), to, from, nowMs);
        // The datagram may have ended the transfer and closed its socket.
        if (local.port != 0 && network_.TransferSocket(local) != fd) {
            return;
        }
    }
}

int EventLoop::TimeoutMs(int64_t nowMs) const {
    int64_t deadline = std::min(simulator_.NextDeadline(), http_.NextDeadline());
    return static_cast<int>(std::clamp<int64_t>(deadline - nowMs, 0, kMaxWaitMs));
}

}  // namespace vantelo::agentsim
