#include "upgrade/TftpClient.h"

#include "monitor/Timestamp.h"

#include <cinttypes>
#include <cstdio>

#include "protocol/Conversions.h"
#include "upgrade/TftpPackets.h"
#include "upgrade/UpgradeOutcome.h"

namespace vantelo {

namespace {

MessageBoxRequest DialogError(const char* text) {
    return MessageBoxRequest{text, "Error", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog};
}

}  // namespace

TftpClient::TftpClient(const Parts& parts, TransferListener& listener)
    : p_(parts),
      listener_(listener),
      socket_(parts.sockets),
      dataTick_(parts.timers, [this] { OnDataTick(); }),
      requestTick_(parts.timers, [this] { OnRequestTick(); }) {}

TftpClient::~TftpClient() {
    p_.timers.Stop(pause_);
}

int TftpClient::Start() {
    t_ = Transfer{};
    SocketOpenResult opened = socket_.Open([this] { Receive(); });
    if (opened != SocketOpenResult::Ok) {
        p_.boxes.ReportLater(
            OutcomeKind::TransferSocketFailed,
            DialogError(opened == SocketOpenResult::CreateFailed ? "Creat tftp socket error"
                                                                 : "Bind tftps socket error"),
            UpgradeTargetKey(p_.upgrade));
        return -1;
    }
    requestTick_.Start(kTickMs);
    if (SendWriteRequest() != 0) {
        p_.boxes.Notify(DialogError("Write request send error"));
        return -1;
    }
    return 0;
}

void TftpClient::Abort() {
    if (InFinalPause()) {
        return;
    }
    ZeroBytesSent();
    End();
}

void TftpClient::End() {
    dataTick_.Stop();
    requestTick_.Stop();
    p_.timers.Stop(pause_);
    pause_ = kNoTimer;
    socket_.Close();
    t_ = Transfer{};
}

int TftpClient::SendWriteRequest() {
    uint8_t packet[kTftpMaxRequest];
    size_t length = BuildWriteRequest(Path(), packet);
    t_.dataTicked = false;
    return length != 0 && socket_.Send(packet, length, Target()) == 0 ? 0 : -1;
}

// index is the block number less one; a resend sends the same bytes again and counts them once.
void TftpClient::SendBlock(uint32_t index) {
    std::span<const uint8_t> bytes;
    if (BlockBytes(index, &bytes) != 0) {
        p_.boxes.Notify(DialogError("Open firmware file error"));
        return;
    }
    // A file that grew past what 16-bit block numbers can carry ends like a stalled transfer.
    if (index >= UINT16_MAX || t_.read.fileSize > UINT32_MAX) {
        FailStalled();
        return;
    }
    t_.fileSize = static_cast<uint32_t>(t_.read.fileSize);
    if (index == 0) {
        dataTick_.Start(kTickMs);
    }
    if (t_.dataRetries == 0) {
        p_.upgrade.AddBytesSent(static_cast<uint32_t>(bytes.size()));
    }
    t_.currentBlock = static_cast<uint16_t>(index + 1);
    t_.finalInFlight = bytes.size() < kTftpBlockSize;
    if (t_.finalInFlight) {
        ShowBytes("Complete...");
    } else if (index != 0) {
        ShowBytes("Upgrade...");
    } else {
        ShowBytes(nullptr);
    }
    SendData(t_.currentBlock, bytes);
}

// Every start, and every block past what was read, reads the file anew from that block on; a
// failed read keeps nothing.
int TftpClient::BlockBytes(uint32_t index, std::span<const uint8_t>* bytes) {
    ReadAhead& read = t_.read;
    if (!read.valid || index < read.first || index - read.first >= kReadAheadBlocks) {
        read.valid = false;
        const uint64_t offset = static_cast<uint64_t>(index) * kTftpBlockSize;
        if (p_.files.ReadRange(Path(), offset, kReadAheadBlocks * kTftpBlockSize, &read.bytes,
                               &read.fileSize) != 0) {
            return -1;
        }
        read.first = index;
        read.valid = true;
    }
    const size_t from =
        std::min(static_cast<size_t>(index - read.first) * kTftpBlockSize, read.bytes.size());
    *bytes = std::span<const uint8_t>(read.bytes)
                 .subspan(from, std::min(kTftpBlockSize, read.bytes.size() - from));
    return 0;
}

void TftpClient::SendData(uint16_t block, std::span<const uint8_t> bytes) {
    uint8_t packet[kTftpMaxData];
    size_t length = BuildDataPacket(block, bytes, packet);
    t_.dataTicked = false;
    if (socket_.Send(packet, length, Target()) != 0) {
        p_.boxes.Notify(DialogError("Upgrade fail!!!!"));
    }
}

void TftpClient::Receive() {
    uint8_t buffer[kTftpMaxReceived];
    Endpoint from{};
    const long size = socket_.Receive(buffer, sizeof buffer, &from);
    if (size < 0) {
        return;
    }
    const std::span<const uint8_t> datagram(
        buffer, std::min<size_t>(static_cast<size_t>(size), sizeof buffer));
    if (!FromAgent(from)) {
        Refuse(from, datagram);
        return;
    }
    TftpReply reply{};
    // Datagrams during the final pause wait for nobody: the transfer is over.
    if (InFinalPause() || ParseTftpReply(datagram, &reply) != 0) {
        return;
    }
    if (reply.opCode == static_cast<uint16_t>(TftpOpCode::Ack)) {
        OnAck(reply.block, from.port);
    } else if (reply.opCode == static_cast<uint16_t>(TftpOpCode::Error)) {
        OnError(reply.errorText);
    }
}

// The agent's address, and the port of its first answer once there was one.
bool TftpClient::FromAgent(Endpoint from) const {
    return from.address == p_.upgrade.DeviceIp() &&
           (!t_.agentPort.has_value() || *t_.agentPort == from.port);
}

// Another host, or the agent's address on another port: the datagram belongs to no transfer of
// ours. It gets error 5 and changes nothing. An error packet gets no answer, so that two clients
// cannot keep each other busy.
void TftpClient::Refuse(Endpoint from, std::span<const uint8_t> datagram) {
    const bool error = datagram.size() >= 2 && datagram[0] == 0 &&
                       datagram[1] == static_cast<uint8_t>(TftpOpCode::Error);
    if (error || t_.refusals >= kRefusalsPerTick) {
        return;
    }
    ++t_.refusals;
    uint8_t packet[kTftpMaxError];
    const size_t length =
        BuildErrorPacket(kTftpUnknownTransferId, kTftpUnknownTransferIdText, packet);
    socket_.Send(packet, length, from);
}

// Only the block in flight moves the transfer on: a duplicate or stray number changes nothing, so
// a repeated acknowledgement never sends the next block twice and never holds off the resends.
void TftpClient::OnAck(uint16_t block, uint16_t port) {
    if (block != t_.currentBlock) {
        return;
    }
    t_.agentPort = port;
    t_.dataRetries = 0;
    if (block == 0) {
        requestTick_.Stop();
        t_.requestResends = 0;
        t_.requestTicked = false;
    }
    if (t_.finalInFlight) {
        BeginFinalPause();
    } else {
        SendBlock(block);
    }
}

void TftpClient::BeginFinalPause() {
    ZeroBytesSent();
    dataTick_.Stop();
    requestTick_.Stop();
    pause_ = p_.timers.StartSingleShot(kFinalPauseMs, [this] {
        pause_ = kNoTimer;
        End();
        listener_.TransferEnded(TransferEnd::Complete);
    });
    listener_.FinalAcknowledged();
}

// The agent refuses the file. The transfer ends at once, so nothing more is sent while the box
// is open, and later datagrams find the socket closed.
void TftpClient::OnError(const std::string& text) {
    End();
    LogLine(text);
    p_.boxes.ReportLater(
        OutcomeKind::TransferRefused,
        MessageBoxRequest{text + "\nThe device will reboot, please wait for a few seconds",
                          "upgrade fail", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog},
        UpgradeTargetKey(p_.upgrade));
    listener_.ShowUpgradeState(" ");
    ZeroBytesSent();
    listener_.TransferEnded(TransferEnd::Refused);
}

void TftpClient::OnDataTick() {
    t_.refusals = 0;
    if (!t_.dataTicked) {
        t_.dataTicked = true;
    } else if (t_.dataRetries == kDataResendLimit) {
        FailStalled();
    } else {
        ++t_.dataRetries;
        SendBlock(static_cast<uint32_t>(t_.currentBlock - 1));
    }
}

// The transfer ends for good; the log line, whose box may show when the log cannot be written,
// comes last.
void TftpClient::FailStalled() {
    char text[96];
    std::snprintf(text, sizeof text, "Upgrade fail, translate %" PRIu32 "/%" PRIu32 " bytes",
                  p_.upgrade.BytesSent(), t_.fileSize);
    p_.boxes.Tell(Outcome{OutcomeKind::TransferStalled, text, UpgradeTargetKey(p_.upgrade)});
    listener_.ShowUpgradeState(text);
    ZeroBytesSent();
    End();
    listener_.TransferEnded(TransferEnd::Stalled);
    LogLine(text);
}

void TftpClient::OnRequestTick() {
    t_.refusals = 0;
    if (!t_.requestTicked) {
        t_.requestTicked = true;
        return;
    }
    const int sent = SendWriteRequest();
    if (++t_.requestResends == kRequestResendLimit) {
        const char* notFound = "Device not found";
        p_.boxes.Tell(Outcome{OutcomeKind::DeviceNotFound, notFound, UpgradeTargetKey(p_.upgrade)});
        listener_.ShowUpgradeState(notFound);
        End();
        listener_.TransferEnded(TransferEnd::DeviceNotFound);
    }
    if (sent != 0) {
        p_.boxes.Notify(DialogError("Write request send error"));
    }
}

void TftpClient::ShowBytes(const char* prefix) {
    const uint32_t sent = p_.upgrade.BytesSent();
    if (prefix != nullptr) {
        char text[96];
        std::snprintf(text, sizeof text, "%s%" PRIu32 "/%" PRIu32 " bytes", prefix, sent,
                      t_.fileSize);
        listener_.ShowUpgradeState(text);
    }
    listener_.ShowProgress(sent, t_.fileSize);
}

void TftpClient::ZeroBytesSent() {
    p_.upgrade.ZeroBytesSent();
    listener_.ShowProgress(0, t_.fileSize);
}

void TftpClient::LogLine(const std::string& text) {
    const std::string ipText = IpToText(p_.upgrade.DeviceIp());
    const UpgradeContext::MacField mac = p_.upgrade.DeviceMac();
    // The context keeps the MAC text zero-terminated inside its field.
    p_.log.AppendEvent(LogEvent{LogKind::UpgradeFailed, ipText, mac.data(), text},
                       {TimestampText(p_.clock.Now()) + " " + ipText + " " + text + " \r\n"});
}

Endpoint TftpClient::Target() const {
    return Endpoint{p_.upgrade.DeviceIp(), kTftpServerPort};
}

std::string TftpClient::Path() const {
    return p_.upgrade.FirmwarePath().data();
}

}  // namespace vantelo
