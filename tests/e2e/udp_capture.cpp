// Records the UDP datagrams sent to one port inside the private test network, so that a test
// can compare what two programs put on the wire. Receives only: a packet socket sees every IPv4
// packet of the namespace once as it arrives.
//   udp_capture PORT SECONDS OUTPUT
// writes "SOURCE DESTINATION HEX-PAYLOAD" a line until SECONDS have passed or SIGTERM comes, and
// "ready" on standard output once it listens.

#include <arpa/inet.h>
#include <linux/if_packet.h>
#include <net/ethernet.h>
#include <netinet/ip.h>
#include <netinet/udp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

volatile std::sig_atomic_t stopped = 0;

extern "C" void OnTerm(int) {
    stopped = 1;
}

std::string Dotted(uint32_t networkOrder) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &networkOrder, text, sizeof text);
    return text;
}

// One line for a datagram of packet to port, or nothing.
void Record(const uint8_t* packet, size_t length, uint16_t port, FILE* out) {
    if (length < sizeof(iphdr)) {
        return;
    }
    iphdr ip{};
    std::memcpy(&ip, packet, sizeof ip);
    size_t header = static_cast<size_t>(ip.ihl) * 4;
    if (ip.protocol != IPPROTO_UDP || length < header + sizeof(udphdr)) {
        return;
    }
    udphdr udp{};
    std::memcpy(&udp, packet + header, sizeof udp);
    if (ntohs(udp.uh_dport) != port) {
        return;
    }
    std::fprintf(out, "%s %s ", Dotted(ip.saddr).c_str(), Dotted(ip.daddr).c_str());
    for (size_t i = header + sizeof udp; i < length; ++i) {
        std::fprintf(out, "%02x", packet[i]);
    }
    std::fprintf(out, "\n");
    std::fflush(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: udp_capture PORT SECONDS OUTPUT\n");
        return 2;
    }
    auto port = static_cast<uint16_t>(std::atoi(argv[1]));
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    FILE* out = std::fopen(argv[3], "w");
    int fd = socket(AF_PACKET, SOCK_DGRAM, htons(ETH_P_IP));
    if (out == nullptr || fd < 0) {
        std::perror("udp_capture");
        return 1;
    }
    std::signal(SIGTERM, OnTerm);
    std::printf("ready\n");
    std::fflush(stdout);
    uint8_t packet[65536];
    while (stopped == 0 && std::chrono::steady_clock::now() < until) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, 100) <= 0) {
            continue;
        }
        sockaddr_ll from{};
        socklen_t size = sizeof from;
        ssize_t length =
            recvfrom(fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&from), &size);
        // On the loopback device a packet shows up leaving and arriving: it is taken once.
        if (length > 0 && from.sll_pkttype != PACKET_OUTGOING) {
            Record(packet, static_cast<size_t>(length), port, out);
        }
    }
    std::fclose(out);
    close(fd);
    return 0;
}
