#include "platform/PortHolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace vantelo {

namespace {

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The process's name: /proc/PID/comm without its line end.
std::string CommandName(const std::filesystem::path& process) {
    std::string name = ReadWhole(process / "comm");
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) {
        name.pop_back();
    }
    return name;
}

bool HoldsOneOf(const std::filesystem::path& process, const std::vector<unsigned long>& inodes) {
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator(process / "fd", error)) {
        std::string target = std::filesystem::read_symlink(fd.path(), error).string();
        for (unsigned long inode : inodes) {
            if (!error && target == "socket:[" + std::to_string(inode) + "]") {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

// Each line after the heading: "sl local_address rem_address st tx:rx tr:tm retrnsmt uid
// timeout inode ...", the local address as HEXADDR:HEXPORT.
std::vector<unsigned long> UdpSocketInodes(std::string_view table, uint16_t port) {
    std::vector<unsigned long> inodes;
    std::istringstream lines{std::string(table)};
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues, timer, retransmits, uid, timeout;
        unsigned long inode = 0;
        if (!(fields >> slot >> local >> remote >> state >> queues >> timer >> retransmits >> uid >>
              timeout >> inode)) {
            continue;
        }
        size_t colon = local.rfind(':');
        if (colon == std::string::npos || inode == 0) {
            continue;
        }
        unsigned long localPort = 0;
        std::istringstream(local.substr(colon + 1)) >> std::hex >> localPort;
        if (localPort == port) {
            inodes.push_back(inode);
        }
    }
    return inodes;
}

std::optional<std::string> UdpPortHolder(uint16_t port) {
    std::vector<unsigned long> inodes = UdpSocketInodes(ReadWhole("/proc/net/udp"), port);
    std::vector<unsigned long> six = UdpSocketInodes(ReadWhole("/proc/net/udp6"), port);
    inodes.insert(inodes.end(), six.begin(), six.end());
    if (inodes.empty()) {
        return std::nullopt;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos ||
            !HoldsOneOf(entry.path(), inodes)) {
            continue;
        }
        return CommandName(entry.path()) + " (pid " + pid + ")";
    }
    return std::nullopt;
}

std::string PortInUseLine(uint16_t port) {
    std::string line = "UDP port " + std::to_string(port) + " is in use";
    if (std::optional<std::string> holder = UdpPortHolder(port)) {
        line += " by " + *holder;
    }
    return line;
}

}  // namespace vantelo
