#include "cli/ExporterOptions.h"

#include <algorithm>
#include <cctype>

#include "protocol/Conversions.h"

namespace vantelo::cli {

namespace {

// The longest path a UNIX socket address holds, without its terminating zero.
constexpr size_t kMostSocketPath = 107;

bool ReadPort(const std::string& text, uint16_t* port) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    int value = std::stoi(text);
    if (value < 1 || value > 65535) {
        return false;
    }
    *port = static_cast<uint16_t>(value);
    return true;
}

bool IsIpv6Text(const std::string& text) {
    return text.find(':') != std::string::npos && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
           });
}

bool IsHostName(const std::string& text) {
    return !text.empty() && text.size() <= 253 && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    });
}

// Splits "HOST:PORT" or "[HOST]:PORT"; brackets mark an IPv6 address.
bool SplitHostPort(const std::string& text, std::string* host, bool* bracketed, uint16_t* port) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || !ReadPort(text.substr(colon + 1), port)) {
        return false;
    }
    *host = text.substr(0, colon);
    *bracketed = host->size() >= 2 && host->front() == '[' && host->back() == ']';
    if (*bracketed) {
        *host = host->substr(1, host->size() - 2);
    }
    return !host->empty();
}

}  // namespace

int ReadListenAddress(const std::string& text, ListenAddress* address, std::string* error) {
    ListenAddress read;
    bool bracketed = false;
    uint32_t ip = 0;
    if (!SplitHostPort(text, &read.host, &bracketed, &read.port) ||
        (bracketed ? !IsIpv6Text(read.host) : TextToIp(read.host, &ip) != 0)) {
        *error =
            "--metrics takes ADDRESS:PORT (an IPv4 address, or an IPv6 address in "
            "brackets, and a port from 1 to 65535), not '" +
            text + "'";
        return -1;
    }
    *address = read;
    return 0;
}

int ReadSyslogTarget(const std::string& text, SyslogTarget* target, std::string* error) {
    const std::string udp = "udp://";
    const std::string unixPrefix = "unix:";
    SyslogTarget read;
    if (text.rfind(unixPrefix, 0) == 0) {
        read.kind = SyslogTarget::Kind::Unix;
        read.path = text.substr(unixPrefix.size());
        if (!read.path.empty() && read.path.size() <= kMostSocketPath &&
            read.path.find('\0') == std::string::npos) {
            *target = read;
            return 0;
        }
    } else if (text.rfind(udp, 0) == 0) {
        bool bracketed = false;
        if (SplitHostPort(text.substr(udp.size()), &read.host, &bracketed, &read.port) &&
            (bracketed ? IsIpv6Text(read.host) : IsHostName(read.host))) {
            *target = read;
            return 0;
        }
    }
    *error = "--syslog takes udp://HOST:PORT or unix:PATH (a path of at most 107 bytes), not '" +
             text + "'";
    return -1;
}

}  // namespace vantelo::cli
