#pragma once

#include <sys/socket.h>

#include <string>
#include <string_view>

#include "cli/ExporterOptions.h"

namespace vantelo::cli {

// Sends syslog messages as datagrams to a UDP server or a local datagram socket. A message the
// system does not take at once (the server is down, its queue is full) is lost: the watcher never
// waits for the syslog server.
class SyslogSender {
public:
    SyslogSender() = default;
    ~SyslogSender();
    SyslogSender(const SyslogSender&) = delete;
    SyslogSender& operator=(const SyslogSender&) = delete;

    // Makes the socket; a UDP server's name is looked up here, once. 0, or -1 with the reason.
    int Open(const SyslogTarget& target, std::string* error);
    void Send(std::string_view message);

private:
    int socket_ = -1;
    sockaddr_storage to_{};
    socklen_t toLength_ = 0;
};

}  // namespace vantelo::cli
