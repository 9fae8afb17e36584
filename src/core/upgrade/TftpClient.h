#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "events/Boxes.h"
#include "events/RepeatingTick.h"
#include "monitor/SystemLog.h"
#include "ports/FileSystem.h"
#include "ports/Timers.h"
#include "upgrade/TftpSocket.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

// How a transfer ended.
enum class TransferEnd {
    Complete,        // the final block was acknowledged and the pause after it is over
    DeviceNotFound,  // the write request was never answered
    Stalled,         // a block was never acknowledged
    Refused,         // the agent sent an error packet and its box has closed
};

// What the transfer shows in the upgrade dialog and whom it tells that it ended.
class TransferListener {
public:
    virtual ~TransferListener() = default;
    virtual void ShowUpgradeState(const std::string& text) = 0;
    virtual void ShowProgress(uint32_t bytesSent, uint32_t fileSize) = 0;
    virtual void TransferEnded(TransferEnd end) = 0;
    // The agent acknowledged the final block: the pause before the end begins, and nothing cuts
    // it short.
    virtual void FinalAcknowledged() {}
};

// The firmware transfer: a write of the firmware file to the upgrade target in octet mode, one
// 512-byte block in flight. Every packet goes to the target's port 69 from the client port. The
// transfer belongs to the target's address and the port of its first answer: a datagram from
// anywhere else gets an error packet "Unknown transfer ID" and changes nothing. Time comes from
// two 1.5 s ticks that never nest: a packet is sent again on the second tick without an answer, a
// block at most ten times and the write request five times. A box that a handler shows is its
// last step, so nothing that runs while the box is open is undone when it closes.
// The file is read ahead 128 blocks at a time: an open and a read of the file for every block
// cost more than a block's round trip on a local network.
class TftpClient {
public:
    static constexpr int kTickMs = 1500;
    static constexpr uint32_t kReadAheadBlocks = 128;
    static constexpr uint32_t kDataResendLimit = 10;
    static constexpr uint32_t kRequestResendLimit = 5;
    static constexpr int kFinalPauseMs = 5000;
    // Error packets for strangers between two ticks, at most: a flood from forged addresses is
    // not reflected at its own rate.
    static constexpr int kRefusalsPerTick = 8;

    struct Parts {
        SocketFactory& sockets;
        Timers& timers;
        FileSystem& files;
        Boxes& boxes;
        UpgradeContext& upgrade;
        SystemLog& log;
        Clock& clock;
    };

    TftpClient(const Parts& parts, TransferListener& listener);
    TftpClient(const TftpClient&) = delete;
    TftpClient& operator=(const TftpClient&) = delete;
    ~TftpClient();

    // Begins a transfer from a fresh state: opens the socket, starts the request tick and sends
    // the write request. 0, or -1 after a box that says why.
    int Start();
    // Cancel or the close box: the socket closes, every tick stops, bytes sent are zeroed and the
    // state is fresh again. The pause after the final acknowledgement goes on: the agent has the
    // whole file, and the end follows when the pause is over.
    void Abort();
    // Whether a transfer holds the socket or waits out its final pause.
    bool IsRunning() const { return socket_.IsOpen() || InFinalPause(); }
    bool InFinalPause() const { return pause_ != kNoTimer; }

    // Read-only state, for tests.
    uint16_t CurrentBlock() const { return t_.currentBlock; }
    uint32_t FileSize() const { return t_.fileSize; }

private:
    // The file's bytes from block first on, and its size when they were read.
    struct ReadAhead {
        std::vector<uint8_t> bytes;
        uint32_t first = 0;
        uint64_t fileSize = 0;
        bool valid = false;
    };
    // Everything one transfer knows. Start replaces it whole and every end of a transfer puts a
    // fresh one back, so nothing of one transfer reaches the next.
    struct Transfer {
        uint32_t fileSize = 0;
        // The block in flight; 0 while the write request is.
        uint16_t currentBlock = 0;
        // The block in flight is the short one that ends the file.
        bool finalInFlight = false;
        uint32_t dataRetries = 0;
        bool dataTicked = false;
        uint32_t requestResends = 0;
        bool requestTicked = false;
        // The port of the agent's first answer; none before it.
        std::optional<uint16_t> agentPort;
        // Error packets sent to strangers since the last tick.
        int refusals = 0;
        ReadAhead read;
    };

    // 0, or -1 when it cannot be sent; the caller shows the box.
    int SendWriteRequest();
    void SendBlock(uint32_t index);
    // The bytes of block index, from the read-ahead or a new read of the file: 0, or -1.
    int BlockBytes(uint32_t index, std::span<const uint8_t>* bytes);
    void SendData(uint16_t block, std::span<const uint8_t> bytes);
    void Receive();
    bool FromAgent(Endpoint from) const;
    void Refuse(Endpoint from, std::span<const uint8_t> datagram);
    void OnAck(uint16_t block, uint16_t port);
    void BeginFinalPause();
    void OnError(const std::string& text);
    void OnDataTick();
    void OnRequestTick();
    void FailStalled();
    // Ends the transfer: the ticks stop, the socket closes, the state is fresh.
    void End();
    // "<prefix>sent/size bytes" in the state field (none without a prefix), and the progress.
    void ShowBytes(const char* prefix);
    void ZeroBytesSent();
    void LogLine(const std::string& text);
    Endpoint Target() const;
    std::string Path() const;

    Parts p_;
    TransferListener& listener_;
    TftpSocket socket_;
    RepeatingTick dataTick_;
    RepeatingTick requestTick_;
    TimerHandle pause_ = kNoTimer;
    Transfer t_;
};

}  // namespace vantelo
