#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Agent.h"
#include "Network.h"
#include "TftpPackets.h"

namespace vantelo::agentsim {

// What the TFTP server asks of the simulator around it.
class TftpHost {
public:
    virtual ~TftpHost() = default;
    virtual Agent* AgentAt(uint32_t ip) = 0;
    // Sends as the agent, through its loss and delay.
    virtual void SendFromAgent(Agent& agent, Endpoint from, Endpoint to,
                               const std::vector<uint8_t>& packet, int64_t nowMs) = 0;
    virtual int OpenTransferPort(uint32_t ip, uint16_t* port) = 0;
    virtual void CloseTransferPort(Endpoint local) = 0;
    virtual void Emit(const std::string& line) = 0;
    // Stores a received image and restarts the agent; 0, or -1 when it cannot be stored.
    virtual int ImageComplete(Agent& agent, const std::vector<uint8_t>& image, int64_t nowMs) = 0;
};

// The agents' firmware server: write transfers in octet mode (RFC 1350) on port 69 of each agent
// address, one transfer per agent, each served from a fresh port on the agent's address. Data
// sent to port 69 by the client of a running transfer is taken as well, since the console sends
// every packet there.
class TftpServer {
public:
    // No packet for this long ends a transfer.
    static constexpr int64_t kIdleMs = 10000;
    // A finished transfer still acknowledges a repeated final block for this long.
    static constexpr int64_t kDallyMs = 5000;
    static constexpr size_t kMaxImageBytes = size_t{0xFFFF} * 512;

    explicit TftpServer(TftpHost& host) : host_(host) {}

    // A packet that arrived at an agent address, on port 69 or on a transfer port.
    void OnPacket(Endpoint to, Endpoint from, std::span<const uint8_t> packet, int64_t nowMs);
    // Ends idle transfers and finished ones past their dally.
    void Tick(int64_t nowMs);
    // The earliest time Tick has work, or INT64_MAX.
    int64_t NextDeadline() const;
    size_t ActiveTransfers() const { return sessions_.size(); }

private:
    struct Session {
        Agent* agent;
        Endpoint local;
        Endpoint client;
        uint16_t expectedBlock = 1;
        std::vector<uint8_t> image;
        int64_t lastPacketMs = 0;
        bool stalled = false;
        bool complete = false;
        uint16_t finalBlock = 0;
        int64_t closeAtMs = 0;
    };

    void OnWellKnownPort(Endpoint to, Endpoint from, std::span<const uint8_t> packet,
                         int64_t nowMs);
    void OnTransferPort(Session& s, Endpoint from, std::span<const uint8_t> packet, int64_t nowMs);
    void OnWriteRequest(Agent& agent, Endpoint to, Endpoint from, std::span<const uint8_t> packet,
                        int64_t nowMs);
    bool MayReplace(Agent& agent, Endpoint to, Endpoint from, int64_t nowMs);
    void StartSession(Agent& agent, Endpoint from, int64_t nowMs);
    void OnData(Session& s, std::span<const uint8_t> packet, int64_t nowMs);
    void AcceptBlock(Session& s, uint16_t block, std::span<const uint8_t> bytes, int64_t nowMs);
    void Finish(Session& s, uint16_t block, int64_t nowMs);
    void Refuse(Agent& agent, Endpoint to, Endpoint from, TftpError code, const char* text,
                const char* reason, int64_t nowMs);
    void Send(Session& s, const std::vector<uint8_t>& packet, int64_t nowMs);
    void Abort(Session& s, TftpError code, const char* text, const char* reason, int64_t nowMs);
    void SendFaultError(Session& s, uint16_t block, int64_t nowMs);
    void Close(Session& s);
    Session* FindByLocal(Endpoint local);
    Session* FindByAgent(const Agent& agent);
    static bool Answering(const Session& s);

    TftpHost& host_;
    std::vector<std::unique_ptr<Session>> sessions_;
};

}  // namespace vantelo::agentsim
