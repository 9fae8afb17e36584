#include "cli/SyslogSender.h"

#include <netdb.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace vantelo::cli {

SyslogSender::~SyslogSender() {
    if (socket_ >= 0) {
        close(socket_);
    }
}

int SyslogSender::Open(const SyslogTarget& target, std::string* error) {
    int family = AF_UNIX;
    if (target.kind == SyslogTarget::Kind::Unix) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, target.path.data(), target.path.size());
        std::memcpy(&to_, &address, sizeof address);
        toLength_ = sizeof address;
    } else {
        addrinfo hints{};
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* found = nullptr;
        std::string port = std::to_string(target.port);
        if (int status = getaddrinfo(target.host.c_str(), port.c_str(), &hints, &found);
            status != 0) {
            *error = "--syslog: " + target.host + ": " + gai_strerror(status);
            return -1;
        }
        family = found->ai_family;
        std::memcpy(&to_, found->ai_addr, found->ai_addrlen);
        toLength_ = found->ai_addrlen;
        freeaddrinfo(found);
    }
    socket_ = socket(family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        *error = std::string("--syslog: no socket: ") + std::strerror(errno);
        return -1;
    }
    return 0;
}

void SyslogSender::Send(std::string_view message) {
    // The result is of no use: a message that was not taken is lost, as the option promises.
    (void)sendto(socket_, message.data(), message.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr*>(&to_), toLength_);
}

}  // namespace vantelo::cli
