// Makes every TFTP acknowledgement to the console's client port arrive twice, inside the private
// test network: a packet socket sees each acknowledgement as it arrives, and a raw socket sends
// the same datagram again from the same address and port. It also counts the data packets the
// console sends to port 69 by block number, so that a test can tell whether a duplicate
// acknowledgement made the console send a block twice.
//   tftp_doubler SECONDS OUTPUT
// prints "ready" once it listens; at the end (SECONDS passed or SIGTERM) writes to OUTPUT one
// line "copies N blocks N repeated N": acknowledgements sent again, distinct data blocks seen,
// data packets whose block had been seen before.

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
#include <set>

namespace {

constexpr uint16_t kClientPort = 64517;
constexpr uint16_t kServerPort = 69;
constexpr uint16_t kAck = 4;
constexpr uint16_t kData = 3;
// The IP identification of the copies, so that the packet socket does not copy them again.
constexpr uint16_t kCopyId = 0x5A5A;

volatile std::sig_atomic_t stopped = 0;

extern "C" void OnTerm(int) {
    stopped = 1;
}

struct Counts {
    long copies = 0;
    long repeated = 0;
    std::set<uint16_t> blocks;
};

// The UDP datagram of an IPv4 packet: its header and where its payload starts; false for any
// other packet.
bool UdpOf(const uint8_t* packet, size_t length, iphdr* ip, udphdr* udp, size_t* payload) {
    if (length < sizeof(iphdr)) {
        return false;
    }
    std::memcpy(ip, packet, sizeof *ip);
    const size_t header = static_cast<size_t>(ip->ihl) * 4;
    if (ip->protocol != IPPROTO_UDP || length < header + sizeof(udphdr) + 4) {
        return false;
    }
    std::memcpy(udp, packet + header, sizeof *udp);
    *payload = header + sizeof(udphdr);
    return true;
}

void SendCopy(int raw, uint8_t* packet, size_t length, const iphdr& ip) {
    iphdr copy = ip;
    copy.id = htons(kCopyId);
    copy.check = 0;  // the kernel fills it in
    std::memcpy(packet, &copy, sizeof copy);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = ip.daddr;
    sendto(raw, packet, length, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

void Look(int raw, uint8_t* packet, size_t length, Counts* counts) {
    iphdr ip{};
    udphdr udp{};
    size_t payload = 0;
    if (!UdpOf(packet, length, &ip, &udp, &payload)) {
        return;
    }
    const uint16_t opCode = static_cast<uint16_t>(packet[payload] << 8 | packet[payload + 1]);
    const uint16_t block = static_cast<uint16_t>(packet[payload + 2] << 8 | packet[payload + 3]);
    if (ntohs(udp.uh_dport) == kClientPort && opCode == kAck && ntohs(ip.id) != kCopyId) {
        SendCopy(raw, packet, length, ip);
        ++counts->copies;
    } else if (ntohs(udp.uh_dport) == kServerPort && ntohs(udp.uh_sport) == kClientPort &&
               opCode == kData && !counts->blocks.insert(block).second) {
        ++counts->repeated;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tftp_doubler SECONDS OUTPUT\n");
        return 2;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[1]));
    const int sniff = socket(AF_PACKET, SOCK_DGRAM, htons(ETH_P_IP));
    const int raw = socket(AF_INET, SOCK_RAW, IPPROTO_RAW);
    if (sniff < 0 || raw < 0) {
        std::perror("tftp_doubler");
        return 1;
    }
    std::signal(SIGTERM, OnTerm);
    std::printf("ready\n");
    std::fflush(stdout);
    Counts counts;
    uint8_t packet[65536];
    while (stopped == 0 && std::chrono::steady_clock::now() < until) {
        pollfd waiting{sniff, POLLIN, 0};
        if (poll(&waiting, 1, 100) <= 0) {
            continue;
        }
        sockaddr_ll from{};
        socklen_t size = sizeof from;
        const ssize_t length =
            recvfrom(sniff, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&from), &size);
        // On the loopback device a packet shows up leaving and arriving: it is taken once.
        if (length > 0 && from.sll_pkttype != PACKET_OUTGOING) {
            Look(raw, packet, static_cast<size_t>(length), &counts);
        }
    }
    FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        std::perror("tftp_doubler");
        return 1;
    }
    std::fprintf(out, "copies %ld blocks %zu repeated %ld\n", counts.copies, counts.blocks.size(),
                 counts.repeated);
    std::fclose(out);
    close(sniff);
    close(raw);
    return 0;
}
