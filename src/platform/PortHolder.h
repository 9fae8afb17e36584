#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantelo {

// The socket inodes bound to the local UDP port in the text of /proc/net/udp or /proc/net/udp6.
std::vector<unsigned long> UdpSocketInodes(std::string_view table, uint16_t port);

// Who holds the local UDP port, as "vantelo (pid 1234)": the first process with one of the
// port's sockets open among those this user may look at; none when no such process is found.
std::optional<std::string> UdpPortHolder(uint16_t port);

// The line that tells an operator why the port could not be bound: "UDP port 5000 is in use by
// vantelo (pid 1234)", or without the holder when it is not found.
std::string PortInUseLine(uint16_t port);

}  // namespace vantelo
