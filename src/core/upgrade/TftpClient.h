#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "events/Boxes.h"
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
};

// The firmware transfer: a write of the firmware file to the upgrade target in octet mode, one
// 512-byte block in flight. Every packet goes to the target's port 69 from the client port, and
// replies are taken from any address. Time comes from two 1.5 s ticks: a packet is sent again on
// the second tick without an answer, a block at most ten times and the write request five times.
// The file is read ahead 128 blocks at a time: an open and a read of the file for every block
// cost more than a block's round trip on a local network.
class TftpClient {
public:
    static constexpr int kTickMs = 1500;
    static constexpr uint32_t kReadAheadBlocks = 128;
    static constexpr uint32_t kDataResendLimit = 10;
    static constexpr uint32_t kRequestResendLimit = 5;
    static constexpr int kFinalPauseMs = 5000;
    static constexpr uint16_t kNoLastBlock = 0xFFFF;

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

    // The state a new dialog starts from.
    void Reset();
    // Opens the socket, starts the request tick and sends the write request: 0, or -1 after a
    // box that says why.
    int Start();
    // Cancel or the close box: the socket closes and every tick stops; bytes sent are zeroed.
    void Abort();
    // Whether a transfer holds the socket or waits out its final pause.
    bool IsRunning() const { return socket_.IsOpen() || pause_ != kNoTimer; }

    // Read-only state, for tests.
    uint16_t CurrentBlock() const { return currentBlock_; }
    uint32_t FileSize() const { return fileSize_; }

private:
    int SendWriteRequest();
    void SendBlock(uint32_t index);
    // The bytes of block index, from the read-ahead or a new read of the file: 0, or -1.
    int BlockBytes(uint32_t index, std::span<const uint8_t>* bytes);
    void SendData(uint16_t block, std::span<const uint8_t> bytes);
    void Receive();
    void OnAck(uint16_t block);
    void OnError(const std::string& text);
    void OnDataTick();
    void OnRequestTick();
    void FailStalled();
    void StartDataTimer();
    void StopTimers();
    // "<prefix>sent/size bytes" in the state field (none without a prefix), and the progress.
    void ShowBytes(const char* prefix);
    uint32_t BytesSent() const;
    void ZeroBytesSent();
    void LogLine(const std::string& text);
    Endpoint Target() const;
    std::string Path() const;

    Parts p_;
    TransferListener& listener_;
    TftpSocket socket_;
    TimerHandle dataTimer_ = kNoTimer;
    TimerHandle requestTimer_ = kNoTimer;
    TimerHandle pause_ = kNoTimer;
    uint32_t fileSize_ = 0;
    // The file's bytes from block readFirst_ on, and its size when they were read.
    std::vector<uint8_t> readAhead_;
    uint32_t readFirst_ = 0;
    uint64_t readFileSize_ = 0;
    bool readValid_ = false;
    uint16_t currentBlock_ = 0;
    uint16_t lastBlock_ = kNoLastBlock;
    // Set once the short block is out: an acknowledgement of 0xFFFF means the end only then.
    bool finalSent_ = false;
    uint32_t dataRetries_ = 0;
    bool dataTicked_ = false;
    uint32_t requestResends_ = 0;
    bool requestTicked_ = false;
};

}  // namespace vantelo
