#include "upgrade/TftpClient.h"

#include "monitor/Timestamp.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"
#include "upgrade/TftpPackets.h"

namespace vantelo {

namespace {

MessageBoxRequest DialogError(const char* text) {
    return MessageBoxRequest{text, "Error", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog};
}

}  // namespace

TftpClient::TftpClient(const Parts& parts, TransferListener& listener)
    : p_(parts), listener_(listener), socket_(parts.sockets) {}

TftpClient::~TftpClient() {
    StopTimers();
}

void TftpClient::Reset() {
    dataTicked_ = false;
    currentBlock_ = 0;
    fileSize_ = 0;
    dataRetries_ = 0;
    lastBlock_ = kNoLastBlock;
    finalSent_ = false;
}

int TftpClient::Start() {
    readValid_ = false;
    SocketOpenResult opened = socket_.Open([this] { Receive(); });
    if (opened != SocketOpenResult::Ok) {
        p_.boxes.Notify(DialogError(opened == SocketOpenResult::CreateFailed
                                        ? "Creat tftp socket error"
                                        : "Bind tftps socket error"));
        return -1;
    }
    p_.timers.Stop(requestTimer_);
    requestTimer_ = p_.timers.StartRepeating(kTickMs, [this] { OnRequestTick(); });
    return SendWriteRequest();
}

void TftpClient::Abort() {
    StopTimers();
    socket_.Close();
    ZeroBytesSent();
}

int TftpClient::SendWriteRequest() {
    uint8_t packet[kTftpMaxRequest];
    size_t length = BuildWriteRequest(Path(), packet);
    dataTicked_ = false;
    if (length == 0 || socket_.Send(packet, length, Target()) != 0) {
        p_.boxes.Notify(DialogError("Write request send error"));
        return -1;
    }
    return 0;
}

// index is the block number less one; a resend sends the same bytes again and counts them once.
void TftpClient::SendBlock(uint32_t index) {
    std::span<const uint8_t> bytes;
    if (BlockBytes(index, &bytes) != 0) {
        p_.boxes.Notify(DialogError("Open firmware file error"));
        return;
    }
    // A file that grew past what 16-bit block numbers can carry ends like a stalled transfer.
    if (index >= kNoLastBlock || readFileSize_ > UINT32_MAX) {
        FailStalled();
        return;
    }
    fileSize_ = static_cast<uint32_t>(readFileSize_);
    if (index == 0) {
        StartDataTimer();
    }
    if (dataRetries_ == 0) {
        p_.upgrade.AddBytesSent(static_cast<uint32_t>(bytes.size()));
    }
    currentBlock_ = static_cast<uint16_t>(index + 1);
    SendData(currentBlock_, bytes);
    if (bytes.size() < kTftpBlockSize) {
        lastBlock_ = currentBlock_;
        finalSent_ = true;
        ShowBytes("Complete...");
    } else if (index != 0) {
        ShowBytes("Upgrade...");
    } else {
        ShowBytes(nullptr);
    }
}

// Every start, and every block past what was read, reads the file anew from that block on; a
// failed read keeps nothing.
int TftpClient::BlockBytes(uint32_t index, std::span<const uint8_t>* bytes) {
    if (!readValid_ || index < readFirst_ || index - readFirst_ >= kReadAheadBlocks) {
        readValid_ = false;
        const uint64_t offset = static_cast<uint64_t>(index) * kTftpBlockSize;
        if (p_.files.ReadRange(Path(), offset, kReadAheadBlocks * kTftpBlockSize, &readAhead_,
                               &readFileSize_) != 0) {
            return -1;
        }
        readFirst_ = index;
        readValid_ = true;
    }
    const size_t from =
        std::min(static_cast<size_t>(index - readFirst_) * kTftpBlockSize, readAhead_.size());
    *bytes = std::span<const uint8_t>(readAhead_)
                 .subspan(from, std::min(kTftpBlockSize, readAhead_.size() - from));
    return 0;
}

void TftpClient::SendData(uint16_t block, std::span<const uint8_t> bytes) {
    uint8_t packet[kTftpMaxData];
    size_t length = BuildDataPacket(block, bytes, packet);
    dataTicked_ = false;
    if (socket_.Send(packet, length, Target()) != 0) {
        p_.boxes.Notify(DialogError("Upgrade fail!!!!"));
    }
}

void TftpClient::Receive() {
    uint8_t buffer[kTftpMaxReceived];
    Endpoint from{};
    long size = socket_.Receive(buffer, sizeof buffer, &from);
    TftpReply reply{};
    // Datagrams during the final pause wait for nobody: the transfer is over.
    if (size < 0 || pause_ != kNoTimer ||
        ParseTftpReply(
            std::span(buffer, std::min<size_t>(static_cast<size_t>(size), sizeof buffer)),
            &reply) != 0) {
        return;
    }
    if (reply.opCode == static_cast<uint16_t>(TftpOpCode::Ack)) {
        OnAck(reply.block);
    } else if (reply.opCode == static_cast<uint16_t>(TftpOpCode::Error)) {
        OnError(reply.errorText);
    }
}

void TftpClient::OnAck(uint16_t block) {
    dataRetries_ = 0;
    if (block == 0) {
        p_.timers.Stop(requestTimer_);
        requestTimer_ = kNoTimer;
        requestResends_ = 0;
        requestTicked_ = false;
    }
    if (finalSent_ && block == lastBlock_) {
        ZeroBytesSent();
        StopTimers();
        pause_ = p_.timers.StartSingleShot(kFinalPauseMs, [this] {
            pause_ = kNoTimer;
            socket_.Close();
            currentBlock_ = 0;
            lastBlock_ = kNoLastBlock;
            finalSent_ = false;
            listener_.TransferEnded(TransferEnd::Complete);
        });
    } else if (block == currentBlock_) {
        SendBlock(block);
    }
}

// The agent refuses the file. Every tick stops at once, so nothing more is sent while the box
// is open, and later datagrams find the socket closed.
void TftpClient::OnError(const std::string& text) {
    StopTimers();
    socket_.Close();
    LogLine(text);
    p_.boxes.Notify(
        MessageBoxRequest{text + "\nThe device will reboot, please wait for a few seconds",
                          "upgrade fail", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog});
    listener_.ShowUpgradeState(" ");
    Reset();
    ZeroBytesSent();
    listener_.TransferEnded(TransferEnd::Refused);
}

void TftpClient::OnDataTick() {
    if (!dataTicked_) {
        dataTicked_ = true;
    } else if (dataRetries_ == kDataResendLimit) {
        FailStalled();
    } else {
        ++dataRetries_;
        SendBlock(static_cast<uint32_t>(currentBlock_ - 1));
    }
}

void TftpClient::FailStalled() {
    StopTimers();
    char text[96];
    std::snprintf(text, sizeof text, "Upgrade fail, translate %" PRIu32 "/%" PRIu32 " bytes",
                  BytesSent(), fileSize_);
    listener_.ShowUpgradeState(text);
    socket_.Close();
    LogLine(text);
    ZeroBytesSent();
    lastBlock_ = kNoLastBlock;
    finalSent_ = false;
    dataRetries_ = 0;
    currentBlock_ = 0;
    listener_.TransferEnded(TransferEnd::Stalled);
}

void TftpClient::OnRequestTick() {
    if (!requestTicked_) {
        requestTicked_ = true;
        return;
    }
    SendWriteRequest();
    if (++requestResends_ == kRequestResendLimit) {
        p_.timers.Stop(requestTimer_);
        requestTimer_ = kNoTimer;
        listener_.ShowUpgradeState("Device not found");
        socket_.Close();
        requestResends_ = 0;
        listener_.TransferEnded(TransferEnd::DeviceNotFound);
    }
}

void TftpClient::StartDataTimer() {
    p_.timers.Stop(dataTimer_);
    dataTimer_ = p_.timers.StartRepeating(kTickMs, [this] { OnDataTick(); });
}

void TftpClient::StopTimers() {
    for (TimerHandle* timer : {&dataTimer_, &requestTimer_, &pause_}) {
        p_.timers.Stop(*timer);
        *timer = kNoTimer;
    }
}

void TftpClient::ShowBytes(const char* prefix) {
    uint32_t sent = BytesSent();
    if (prefix != nullptr) {
        char text[96];
        std::snprintf(text, sizeof text, "%s%" PRIu32 "/%" PRIu32 " bytes", prefix, sent,
                      fileSize_);
        listener_.ShowUpgradeState(text);
    }
    listener_.ShowProgress(sent, fileSize_);
}

void TftpClient::ZeroBytesSent() {
    p_.upgrade.ZeroBytesSent();
    listener_.ShowProgress(0, fileSize_);
}

void TftpClient::LogLine(const std::string& text) {
    uint32_t ip = 0;
    p_.upgrade.GetDeviceIp(&ip);
    char mac[UpgradeContext::kMacCapacity];
    p_.upgrade.GetDeviceMac(mac);
    std::string ipText = IpToText(ip);
    p_.log.AppendEvent(LogEvent{LogKind::UpgradeFailed, ipText, TextOf(mac), text},
                       {TimestampText(p_.clock.Now()) + " " + ipText + " " + text + " \r\n"});
}

uint32_t TftpClient::BytesSent() const {
    uint32_t sent = 0;
    p_.upgrade.GetBytesSent(&sent);
    return sent;
}

Endpoint TftpClient::Target() const {
    uint32_t ip = 0;
    p_.upgrade.GetDeviceIp(&ip);
    return Endpoint{ip, kTftpServerPort};
}

std::string TftpClient::Path() const {
    char path[UpgradeContext::kPathCapacity];
    p_.upgrade.GetFirmwarePath(path);
    return path;
}

}  // namespace vantelo
