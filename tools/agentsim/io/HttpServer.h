#pragma once

#include <poll.h>

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "Simulator.h"

namespace vantelo::agentsim {

// The agents' web pages: one listening socket on 0.0.0.0 at port 80; the address a client
// connected to names the agent. One request per connection, then the connection is closed.
class HttpServer {
public:
    static constexpr size_t kMaxConnections = 64;
    static constexpr size_t kMaxRequestHead = 8192;
    static constexpr int64_t kConnectionMs = 5000;

    HttpServer(Simulator& simulator, EventSink emit) : simulator_(simulator), emit_(emit) {}
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;
    ~HttpServer();

    // 0, or -1 with a reason.
    int Open(uint16_t port, std::string* error);

    // Adds the sockets to watch, each with the work to do when it is ready.
    void Watch(std::vector<pollfd>* fds, std::vector<std::function<void(short)>>* work,
               int64_t nowMs);
    // Closes connections past their time.
    void Expire(int64_t nowMs);
    int64_t NextDeadline() const;

private:
    struct Connection {
        int fd;
        uint32_t localIp;
        std::string request;
        std::string response;
        size_t written = 0;
        int64_t deadlineMs;
    };

    void Accept(int64_t nowMs);
    void Read(Connection& c);
    void Write(Connection& c);
    void Close(Connection& c);

    Simulator& simulator_;
    EventSink emit_;
    int listener_ = -1;
    std::list<Connection> connections_;
};

}  // namespace vantelo::agentsim
