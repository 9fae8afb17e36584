#pragma once

#include <cstdint>
#include <string>

#include "ControlChannel.h"
#include "EventOutput.h"
#include "HttpServer.h"
#include "Simulator.h"
#include "SocketNetwork.h"

namespace vantelo::agentsim {

// The one thread of the simulator: waits with poll() on every socket and on the next deadline of
// the simulator, hands each datagram, connection and command line on, and writes the events.
class EventLoop {
public:
    static constexpr uint16_t kTftpPort = 69;
    static constexpr uint16_t kHttpPort = 80;

    EventLoop(Simulator& simulator, SocketNetwork& network, HttpServer& http,
              ControlChannel& control, EventOutput& output)
        : simulator_(simulator),
          network_(network),
          http_(http),
          control_(control),
          output_(output) {}

    // Runs until "quit", the end of standard input (without a control socket), SIGINT or
    // SIGTERM.
    void Run();

    static int64_t NowMs();

private:
    void ReceiveManagement(int64_t nowMs);
    void ReceiveTftp(int fd, Endpoint local, int64_t nowMs);
    int TimeoutMs(int64_t nowMs) const;

    Simulator& simulator_;
    SocketNetwork& network_;
    HttpServer& http_;
    ControlChannel& control_;
    EventOutput& output_;
};

}  // namespace vantelo::agentsim
