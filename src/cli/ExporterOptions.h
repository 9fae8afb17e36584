#pragma once

#include <cstdint>
#include <string>

namespace vantelo::cli {

// Where the metrics are served: an IPv4 address, or an IPv6 address in brackets, and a port.
struct ListenAddress {
    std::string host;  // without the brackets
    uint16_t port = 0;
};

// Where the log lines are forwarded as syslog messages.
struct SyslogTarget {
    enum class Kind { Udp, Unix };
    Kind kind = Kind::Udp;
    std::string host;  // Udp: a name, an IPv4 address or an IPv6 address without brackets
    uint16_t port = 0;
    std::string path;  // Unix: the datagram socket's path
};

// "ADDRESS:PORT": 0, or -1 with the reason. The address is a dotted IPv4 address or an IPv6
// address in brackets; there is no default and no name lookup.
int ReadListenAddress(const std::string& text, ListenAddress* address, std::string* error);

// "udp://HOST:PORT" or "unix:PATH": 0, or -1 with the reason.
int ReadSyslogTarget(const std::string& text, SyslogTarget* target, std::string* error);

}  // namespace vantelo::cli
