// agentsim_probe: sends one management request the way the console does and prints every
// datagram that comes back, one line each, until enough arrived or the time is up. The end to end
// tests of the simulator read its lines.
//
// usage: agentsim_probe --define FILE [--expect N] [--timeout-ms N] COMMAND
//   discover                              broadcast a DiscoveryRequest
//   poll IP                               a PollRequest
//   set IP|broadcast MAC PASSWORD [F=V]   a set request; F is name, location, product, ip, mask,
//                                         gateway, trap-ip, new-password, dhcp, interface, seq
//   trigger IP|broadcast MAC PASSWORD [seq=N]
//   raw IP|broadcast HEX                  any bytes to the agent port
//   random IP PORT COUNT SEED             COUNT datagrams of random length (0 to 1600) and
//                                         content, half of them behind a valid request header
//   listen                                send nothing, only receive (traps)
// Exit status 0 when at least N datagrams arrived (N defaults to 1), 1 otherwise, 2 for bad use.
// "bound" on standard error tells that its sockets are ready.

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "agentsim_client.h"
#include "persistence/DefinitionFile.h"
#include "platform/files/PosixFileSystem.h"
#include "protocol/ByteCursor.h"
#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"
#include "protocol/TlvElements.h"

using namespace vantelo;

namespace {

struct Probe {
    DefinitionValues definition{};
    int expect = 1;
    int timeoutMs = 2000;
    std::vector<std::string> command;
    int broadcastSocket = -1;
    int unicastSocket = -1;
};

[[noreturn]] void Usage(const std::string& why) {
    std::fprintf(stderr, "agentsim_probe: %s\n", why.c_str());
    std::exit(2);
}

uint32_t Address(const std::string& text) {
    uint32_t ip = 0;
    if (TextToIp(text, &ip) != 0) {
        Usage("bad address '" + text + "'");
    }
    return ip;
}

int OpenSocket(uint16_t port) {
    int fd = agentsim::client::OpenClientSocket(port, false);
    if (fd < 0) {
        Usage("cannot bind port " + std::to_string(port) + ": " + std::strerror(errno));
    }
    return fd;
}

void SendTo(const Probe& p, const std::string& target, const PacketBuffer& packet) {
    bool broadcast = target == "broadcast";
    int fd = broadcast ? p.broadcastSocket : p.unicastSocket;
    if (agentsim::client::SendToAddress(fd, packet.bytes, packet.length,
                                        broadcast ? 0xFFFFFFFFu : Address(target),
                                        static_cast<uint16_t>(p.definition.basePort + 2)) < 0) {
        Usage(std::string("send failed: ") + std::strerror(errno));
    }
}

std::map<std::string, std::string> Fields(const std::vector<std::string>& words, size_t from) {
    std::map<std::string, std::string> fields;
    for (size_t i = from; i < words.size(); ++i) {
        size_t equals = words[i].find('=');
        if (equals == std::string::npos) {
            Usage("expected FIELD=VALUE, got '" + words[i] + "'");
        }
        fields[words[i].substr(0, equals)] = words[i].substr(equals + 1);
    }
    return fields;
}

PacketBuffer Header(const Probe& p, OpCode op, const std::string& macText, uint16_t sequence) {
    PacketBuffer packet{};
    packet.length = BuildRequestHeader(std::span(packet.bytes).first<kHeaderSize>(), op,
                                       p.definition.deviceTypeId);
    if (!macText.empty() && HexTextToBytes(macText, packet.bytes + 4, 6) != 0) {
        Usage("bad MAC '" + macText + "'");
    }
    ByteWriter(std::span(packet.bytes).subspan(26, 2)).WriteU16(sequence);
    return packet;
}

// The elements in the console's order, for the fields given.
void AppendSetFields(std::map<std::string, std::string>& f, PacketBuffer* packet) {
    for (auto [name, type] : {std::pair{"product", TlvType::ProductName},
                              {"name", TlvType::SystemName},
                              {"location", TlvType::Location}}) {
        if (f.count(name) != 0) {
            AppendTextElement(*packet, type, f[name]);
        }
    }
    for (auto [name, type] : {std::pair{"ip", TlvType::IpAddress},
                              {"gateway", TlvType::Gateway},
                              {"trap-ip", TlvType::TrapIp},
                              {"mask", TlvType::SubnetMask}}) {
        if (f.count(name) != 0) {
            AppendAddressElement(*packet, type, Address(f[name]));
        }
    }
    if (f.count("new-password") != 0) {
        AppendTextElement(*packet, TlvType::NewPassword, f["new-password"]);
    }
    if (f.count("dhcp") != 0) {
        auto interface =
            static_cast<uint16_t>(f.count("interface") != 0 ? std::stoi(f["interface"]) : 2);
        AppendDhcpElement(*packet, interface, static_cast<uint16_t>(std::stoi(f["dhcp"])));
    }
}

void SendRandom(const Probe& p, const std::vector<std::string>& c) {
    std::mt19937 random(static_cast<uint32_t>(std::stoul(c[4])));
    uint32_t ip = Address(c[1]);
    auto port = static_cast<uint16_t>(std::stoi(c[2]));
    std::vector<uint8_t> bytes;
    for (int i = 0, n = std::stoi(c[3]); i < n; ++i) {
        bytes.resize(std::uniform_int_distribution<size_t>(0, 1600)(random));
        for (uint8_t& b : bytes) {
            b = static_cast<uint8_t>(random());
        }
        if (i % 2 == 0 && bytes.size() >= kHeaderSize) {
            OpCode op = static_cast<OpCode>(random() % 14);
            BuildRequestHeader(std::span(bytes).first<kHeaderSize>(), op,
                               p.definition.deviceTypeId);
        }
        agentsim::client::SendToAddress(p.unicastSocket, bytes.data(), bytes.size(), ip, port);
    }
}

void Send(const Probe& p) {
    const std::vector<std::string>& c = p.command;
    const std::string& verb = c[0];
    auto need = [&c](size_t n) {
        if (c.size() < n) {
            Usage("'" + c[0] + "' needs more arguments");
        }
    };
    if (verb == "discover") {
        SendTo(p, "broadcast", Header(p, OpCode::DiscoveryRequest, "", 0));
    } else if (verb == "poll") {
        need(2);
        SendTo(p, c[1], Header(p, OpCode::PollRequest, "", 0));
    } else if (verb == "set" || verb == "trigger") {
        need(4);
        std::map<std::string, std::string> f = Fields(c, 4);
        auto sequence = static_cast<uint16_t>(f.count("seq") != 0 ? std::stoi(f["seq"]) : 0);
        OpCode op = verb == "trigger"     ? OpCode::UpgradeTrigger
                    : c[1] == "broadcast" ? OpCode::BroadcastSetRequest
                                          : OpCode::UnicastSetRequest;
        PacketBuffer packet = Header(p, op, c[2], sequence);
        AppendTextElement(packet, TlvType::Password, c[3]);
        AppendSetFields(f, &packet);
        SendTo(p, c[1], packet);
    } else if (verb == "raw") {
        need(3);
        PacketBuffer packet{};
        packet.length = c[2].size() / 2;
        if (packet.length > kMaxDatagram ||
            HexTextToBytes(c[2], packet.bytes, sizeof packet.bytes) != 0) {
            Usage("bad hex bytes");
        }
        SendTo(p, c[1], packet);
    } else if (verb == "random") {
        need(5);
        SendRandom(p, c);
    } else if (verb != "listen") {
        Usage("unknown command '" + verb + "'");
    }
}

void Print(const uint8_t* data, size_t size, const sockaddr_in& from) {
    std::string source =
        IpToText(ntohl(from.sin_addr.s_addr)) + ":" + std::to_string(ntohs(from.sin_port));
    PacketHeader h{};
    if (DecodeHeader({data, size}, &h) != 0) {
        std::printf("short from=%s size=%zu\n", source.c_str(), size);
        return;
    }
    char mac[13];
    MacToText(h.mac, mac);
    std::printf("reply op=%u result=%u from=%s mac=%s seq=%u type=%08x version=%s size=%zu",
                h.opCode, h.resultCode, source.c_str(), mac, h.sequence, h.deviceTypeId,
                VersionText(h.protocolVersion, h.direction, h.interfaceVersion).c_str(), size);
    if (h.opCode == static_cast<uint16_t>(OpCode::Trap) && size >= kHeaderSize + 4) {
        std::string text(
            reinterpret_cast<const char*>(data) + kHeaderSize + 4,
            strnlen(reinterpret_cast<const char*>(data) + kHeaderSize + 4, size - kHeaderSize - 4));
        std::printf(" agent=%s text=\"%s\"\n",
                    IpToText(ByteReader({data + kHeaderSize, 4}).ReadU32()).c_str(), text.c_str());
        return;
    }
    DeviceRecord r{};
    r.dhcp = kDhcpNotReported;
    r.interfaceVersion = h.interfaceVersion;
    DecodeElements({data, size}, &r);
    std::printf(
        " ip=%s mask=%s gateway=%s trap-ip=%s dhcp=%u product=\"%s\" name=\"%s\""
        " location=\"%s\"\n",
        r.ipText, r.subnetMaskText, r.gatewayText, r.trapIpText, r.dhcp, r.productName,
        r.systemName, r.location);
}

int Receive(const Probe& p) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point end = Clock::now() + std::chrono::milliseconds(p.timeoutMs);
    int received = 0;
    while (received < p.expect || p.expect == 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd fds[2] = {{p.broadcastSocket, POLLIN, 0}, {p.unicastSocket, POLLIN, 0}};
        if (poll(fds, 2, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        for (const pollfd& fd : fds) {
            if ((fd.revents & POLLIN) == 0) {
                continue;
            }
            uint8_t buffer[kMaxDatagram + 1];
            sockaddr_in from{};
            socklen_t length = sizeof from;
            ssize_t size = recvfrom(fd.fd, buffer, sizeof buffer, 0,
                                    reinterpret_cast<sockaddr*>(&from), &length);
            if (size >= 0) {
                Print(buffer, static_cast<size_t>(size), from);
                ++received;
            }
        }
    }
    std::fflush(stdout);
    return received >= p.expect ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Probe p;
    std::string definePath;
    for (int i = 1; i < argc; ++i) {
        std::string_view flag = argv[i];
        if ((flag == "--define" || flag == "--expect" || flag == "--timeout-ms") && i + 1 < argc) {
            std::string value = argv[++i];
            if (flag == "--define") {
                definePath = value;
            } else {
                (flag == "--expect" ? p.expect : p.timeoutMs) = std::stoi(value);
            }
        } else {
            p.command.assign(argv + i, argv + argc);
            break;
        }
    }
    PosixFileSystem files;
    if (p.command.empty() || LoadDefinitionFile(files, definePath, &p.definition) != 0) {
        Usage("usage: agentsim_probe --define FILE [--expect N] [--timeout-ms N] COMMAND");
    }
    p.broadcastSocket = OpenSocket(p.definition.basePort);
    p.unicastSocket = OpenSocket(static_cast<uint16_t>(p.definition.basePort + 1));
    // Tells a script waiting to act that nothing sent from now on is missed.
    std::fprintf(stderr, "bound\n");
    Send(p);
    return Receive(p);
}
