#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/NetworkInterfaces.h"

namespace vantelo {

// Which interfaces the console's broadcasts go out of: the operator's choice among the usable
// ones, and the interface each agent answered on, so that a request meant for one agent (a set
// request carries the password in clear) leaves only where that agent is.
class Interfaces {
public:
    // Agents remembered at most; the two tables hold 512, so room is always found among the rest.
    static constexpr size_t kMaxAgents = 1024;

    // Without a port, every broadcast goes where the routing table sends it.
    explicit Interfaces(NetworkInterfaces* port) : port_(port) {}

    // The interface broadcasts to every agent go out of, by name; empty for all of them.
    void Choose(std::string name) { chosen_ = std::move(name); }
    const std::string& Chosen() const { return chosen_; }

    // The usable interfaces, read afresh.
    std::vector<NetworkInterface> Usable();
    // Where a broadcast to every agent goes: the chosen interface while it is usable, otherwise
    // every usable one; empty when none is. Without a port: one entry of index 0.
    std::vector<NetworkInterface> ForAll();
    // Where a broadcast to one agent goes: only the interface it answered on, none when that is
    // gone; ForAll() for an agent that never answered.
    std::vector<NetworkInterface> ForAgent(std::string_view macText);
    // Where a search for the agent at the address goes: the interface whose subnet holds it,
    // otherwise ForAll().
    std::vector<NetworkInterface> ForAddress(uint32_t address);

    // An agent's datagram arrived on the interface of that index from its address. An arrival on
    // an interface that cannot broadcast (loopback: the agent is on this host) counts as the
    // usable interface whose subnet holds the agent's address, when there is one. inUse tells
    // the agents still in a list, which are kept when the memory is full.
    void RecordArrival(std::string_view macText, int index, uint32_t from,
                       const std::function<bool(const std::string&)>& inUse);
    // The interface the agent answered on; for one that has not answered, the usable interface
    // whose subnet holds its address, when one does.
    std::optional<NetworkInterface> OfAgent(std::string_view macText, uint32_t address) const;
    size_t RememberedAgents() const { return agents_.size(); }

private:
    const NetworkInterface* Known(int index) const;
    const NetworkInterface* HoldingAddress(uint32_t address) const;
    void MakeRoom(const std::function<bool(const std::string&)>& inUse);

    NetworkInterfaces* port_;
    std::string chosen_;
    std::vector<NetworkInterface> known_;  // the list of the last read
    std::map<std::string, NetworkInterface, std::less<>> agents_;
};

}  // namespace vantelo
