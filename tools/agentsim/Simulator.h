#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Agent.h"
#include "Network.h"
#include "TftpServer.h"
#include "protocol/PacketHeader.h"

namespace vantelo::agentsim {

struct SimulatorConfig {
    uint32_t deviceTypeId = 0;
    uint16_t basePort = 0;
    std::string storeDir = ".";
    uint32_t restartSeconds = 20;
    uint32_t trapEverySeconds = 0;
    uint32_t lossPercent = 0;
    uint32_t seed = 1;
    // Faults every agent starts with.
    AgentFaults initialFaults;
    // Leaves out the events of discovery and poll replies, which a benchmark would drown in.
    bool quiet = false;
};

struct SimulatorStats {
    uint64_t received = 0;
    uint64_t sent = 0;
    uint64_t lostIn = 0;
    uint64_t lostOut = 0;
};

// One line of the event stream, without its line end.
using EventSink = std::function<void(const std::string&)>;

// Every simulated agent: the management protocol on the agent port, traps, the firmware server
// and restarts, driven by datagrams and by the time the caller passes in. No sockets and no clock
// of its own, so that tests and the fuzzer drive it directly.
class Simulator : private TftpHost {
public:
    // A correct upgrade trigger opens the agent to one write transfer for this long.
    static constexpr int64_t kUpgradeArmedMs = 60000;

    Simulator(const SimulatorConfig& config, const std::vector<AgentSettings>& agents,
              Network& network, EventSink emit);

    uint16_t AgentPort() const { return static_cast<uint16_t>(config_.basePort + 2); }
    uint16_t TrapPort() const { return config_.basePort; }

    // Starts the trap schedule.
    void Start(int64_t nowMs);
    // A datagram received on the agent port; dstIp is the address it was sent to.
    void OnManagementDatagram(const uint8_t* data, size_t size, uint32_t dstIp, Endpoint from,
                              int64_t nowMs);
    // A datagram received on port 69 or on a transfer port of an agent address.
    void OnTftpDatagram(const uint8_t* data, size_t size, Endpoint to, Endpoint from,
                        int64_t nowMs);
    // Sends what was delayed, ends restarts and transfers, sends scheduled traps.
    void Tick(int64_t nowMs);
    // The earliest time Tick has work, or INT64_MAX.
    int64_t NextDeadline() const;

    Agent* FindAgent(uint32_t ip);
    const std::vector<Agent>& Agents() const { return agents_; }
    const SimulatorStats& Stats() const { return stats_; }
    size_t ActiveTransfers() const { return tftp_.ActiveTransfers(); }

    // Sends a trap now; -1 when the agent is not running or has no trap address.
    int SendTrap(Agent& agent, std::string_view text, int64_t nowMs);
    void Silence(Agent& agent);
    void Revive(Agent& agent);
    void Restart(Agent& agent, int64_t nowMs);
    // Gives the agent another address; -1 when the address is not a free host address.
    int MoveAgent(Agent& agent, uint32_t ip);
    void SetLossPercent(uint32_t percent) { config_.lossPercent = percent; }

private:
    struct Request {
        PacketHeader header;
        std::span<const uint8_t> payload;
        Endpoint from;
    };
    struct Delayed {
        Endpoint from;
        Endpoint to;
        std::vector<uint8_t> bytes;
    };

    // Request handling (SimulatorRequests.cpp).
    void HandleRequest(Agent& agent, const Request& request, bool broadcast, int64_t nowMs);
    void ReplySettings(Agent& agent, const Request& request, uint16_t replyOp, int64_t nowMs);
    void Refuse(Agent& agent, const Request& request, uint16_t result, const char* reason,
                int64_t nowMs);
    void HandleSet(Agent& agent, const Request& request, int64_t nowMs);
    void HandleTrigger(Agent& agent, const Request& request, int64_t nowMs);
    bool IsAcceptableAddress(const Agent& agent, uint32_t ip, uint32_t mask) const;
    void Drop(uint32_t dstIp, const char* reason);

    // TftpHost.
    Agent* AgentAt(uint32_t ip) override { return FindAgent(ip); }
    void SendFromAgent(Agent& agent, Endpoint from, Endpoint to, const std::vector<uint8_t>& packet,
                       int64_t nowMs) override;
    int OpenTransferPort(uint32_t ip, uint16_t* port) override;
    void CloseTransferPort(Endpoint local) override;
    void Emit(const std::string& line) override { emit_(line); }
    int ImageComplete(Agent& agent, const std::vector<uint8_t>& image, int64_t nowMs) override;

    void Send(Agent& agent, Endpoint from, Endpoint to, const uint8_t* data, size_t size,
              int64_t nowMs);
    bool Lose();
    uint32_t ReplyDeviceType(const Agent& agent) const;
    void SendScheduledTraps(int64_t nowMs);
    void EndRestarts(int64_t nowMs);

    SimulatorConfig config_;
    std::vector<Agent> agents_;
    std::unordered_map<uint32_t, size_t> byIp_;
    Network& network_;
    EventSink emit_;
    TftpServer tftp_;
    std::mt19937 random_;
    std::multimap<int64_t, Delayed> delayed_;
    int64_t nextTrapMs_ = 0;
    SimulatorStats stats_;
};

}  // namespace vantelo::agentsim
