#pragma once

#include <poll.h>

#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "ControlCommands.h"
#include "Simulator.h"

namespace vantelo::agentsim {

// Command lines from standard input and, when a path is given, from clients of a UNIX stream
// socket. The answers to a command go back where it came from: standard output for standard
// input, the client's connection for a client.
class ControlChannel {
public:
    static constexpr size_t kMaxLine = 4096;

    ControlChannel(Simulator& simulator, EventSink toStdout)
        : simulator_(simulator), toStdout_(toStdout) {}
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;
    ~ControlChannel();

    // Listens on the UNIX socket path, replacing a stale one; 0, or -1 with a reason.
    int Listen(const std::string& path, std::string* error);

    void Watch(std::vector<pollfd>* fds, std::vector<std::function<void(short)>>* work,
               int64_t nowMs);
    // True after "quit", or after the end of standard input when there is no socket.
    bool QuitRequested() const { return quit_; }

private:
    struct Client {
        int fd;
        std::string pending;
        bool discarding = false;
    };

    void ReadStdin(int64_t nowMs);
    void Accept();
    void ReadClient(int fd, int64_t nowMs);
    // Runs every complete line of pending; a line over kMaxLine is refused and skipped.
    void RunLines(std::string* pending, bool* discarding, const ControlReply& reply, int64_t nowMs);

    Simulator& simulator_;
    EventSink toStdout_;
    bool stdinOpen_ = true;
    std::string stdinPending_;
    bool stdinDiscarding_ = false;
    std::string path_;
    int listener_ = -1;
    std::list<Client> clients_;
    bool quit_ = false;
};

}  // namespace vantelo::agentsim
