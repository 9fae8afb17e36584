#include "SocketNetwork.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantelo::agentsim {

namespace {

// Room for the answers of a thousand agents and a burst of polls.
constexpr int kBufferBytes = 4 * 1024 * 1024;

sockaddr_in SocketAddress(uint32_t ip, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(ip);
    address.sin_port = htons(port);
    return address;
}

void EnlargeBuffers(int fd) {
    int size = kBufferBytes;
    // The forced variant passes the system's limit where we are allowed to.
    if (setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0) {
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    if (setsockopt(fd, SOL_SOCKET, SO_SNDBUFFORCE, &size, sizeof size) != 0) {
        setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    }
}

// A non-blocking UDP socket bound to ip:port, or -1 with errno set.
int BoundSocket(uint32_t ip, uint16_t port, bool withPacketInfo) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    int on = 1;
    sockaddr_in address = SocketAddress(ip, port);
    if ((withPacketInfo && setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0) ||
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        int saved = errno;
        close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

int SharedSocket(uint16_t port, const char* what, std::string* error) {
    int fd = BoundSocket(INADDR_ANY, port, true);
    if (fd < 0) {
        *error = std::string("cannot bind the ") + what + " port " + std::to_string(port) + ": " +
                 std::strerror(errno);
        return -1;
    }
    EnlargeBuffers(fd);
    return fd;
}

// A message of one part, with its peer address and room for the packet information.
msghdr Message(sockaddr_in* peer, iovec* part, char* control, size_t controlSize) {
    msghdr message{};
    message.msg_name = peer;
    message.msg_namelen = sizeof *peer;
    message.msg_iov = part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = controlSize;
    return message;
}

// Sends with the agent's address as the source, through a socket bound to 0.0.0.0.
void SendFromAddress(int fd, uint32_t sourceIp, Endpoint to, const uint8_t* data, size_t size) {
    sockaddr_in destination = SocketAddress(to.ip, to.port);
    iovec part{const_cast<uint8_t*>(data), size};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr message = Message(&destination, &part, control, sizeof control);
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = IPPROTO_IP;
    header->cmsg_type = IP_PKTINFO;
    header->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo info{};
    info.ipi_spec_dst.s_addr = htonl(sourceIp);
    std::memcpy(CMSG_DATA(header), &info, sizeof info);
    sendmsg(fd, &message, MSG_DONTWAIT);
}

}  // namespace

SocketNetwork::~SocketNetwork() {
    for (const auto& entry : transfers_) {
        close(entry.second);
    }
    if (management_ >= 0) {
        close(management_);
    }
    if (tftp_ >= 0) {
        close(tftp_);
    }
}

int SocketNetwork::Open(uint16_t agentPort, uint16_t tftpPort, std::string* error) {
    agentPort_ = agentPort;
    tftpPort_ = tftpPort;
    management_ = SharedSocket(agentPort, "agent", error);
    if (management_ < 0) {
        return -1;
    }
    tftp_ = SharedSocket(tftpPort, "TFTP", error);
    return tftp_ < 0 ? -1 : 0;
}

void SocketNetwork::Send(Endpoint from, Endpoint to, const uint8_t* data, size_t size) {
    if (from.port == agentPort_) {
        SendFromAddress(management_, from.ip, to, data, size);
    } else if (from.port == tftpPort_) {
        SendFromAddress(tftp_, from.ip, to, data, size);
    } else if (int fd = TransferSocket(from); fd >= 0) {
        sockaddr_in destination = SocketAddress(to.ip, to.port);
        sendto(fd, data, size, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&destination),
               sizeof destination);
    }
}

int SocketNetwork::OpenTransferPort(uint32_t ip, uint16_t* port) {
    int fd = BoundSocket(ip, 0, false);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
        close(fd);
        return -1;
    }
    *port = ntohs(bound.sin_port);
    transfers_[{ip, *port}] = fd;
    return 0;
}

void SocketNetwork::CloseTransferPort(Endpoint local) {
    auto found = transfers_.find({local.ip, local.port});
    if (found != transfers_.end()) {
        close(found->second);
        transfers_.erase(found);
    }
}

int SocketNetwork::TransferSocket(Endpoint local) const {
    auto found = transfers_.find({local.ip, local.port});
    return found == transfers_.end() ? -1 : found->second;
}

ssize_t SocketNetwork::Receive(int fd, uint8_t* buffer, size_t capacity, uint32_t* dstIp,
                               Endpoint* from) {
    sockaddr_in source{};
    iovec part{buffer, capacity};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))];
    msghdr message = Message(&source, &part, control, sizeof control);
    ssize_t size = recvmsg(fd, &message, MSG_DONTWAIT);
    if (size < 0) {
        return -1;
    }
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo info;
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            *dstIp = ntohl(info.ipi_addr.s_addr);
        }
    }
    from->ip = ntohl(source.sin_addr.s_addr);
    from->port = ntohs(source.sin_port);
    return (message.msg_flags & MSG_TRUNC) != 0 ? static_cast<ssize_t>(capacity) : size;
}

}  // namespace vantelo::agentsim
