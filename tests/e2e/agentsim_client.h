#pragma once

// The console's side of a socket, for the simulator's probe and benchmark.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstddef>
#include <cstdint>

namespace vantelo::agentsim::client {

// A UDP socket on 0.0.0.0:port that may broadcast and has room for a thousand replies; -1 when it
// cannot be bound.
inline int OpenClientSocket(uint16_t port, bool nonBlocking) {
    int fd = socket(AF_INET, SOCK_DGRAM | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
    int on = 1;
    int size = 8 * 1024 * 1024;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return -1;
    }
    return fd;
}

inline ssize_t SendToAddress(int fd, const uint8_t* data, size_t size, uint32_t ip, uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(ip);
    return sendto(fd, data, size, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
}

}  // namespace vantelo::agentsim::client
