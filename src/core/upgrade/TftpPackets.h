#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantelo {

inline constexpr uint16_t kTftpClientPort = 64517;
inline constexpr uint16_t kTftpServerPort = 69;
inline constexpr size_t kTftpBlockSize = 512;
// A write request: opcode, a path of at most 127 characters and "octet", each ended by a zero.
inline constexpr size_t kTftpMaxRequest = 2 + 128 + 6;
inline constexpr size_t kTftpMaxData = 4 + kTftpBlockSize;
// The error code and text for a datagram that belongs to no transfer of ours.
inline constexpr uint16_t kTftpUnknownTransferId = 5;
inline constexpr std::string_view kTftpUnknownTransferIdText = "Unknown transfer ID";
inline constexpr size_t kTftpMaxError = 4 + kTftpUnknownTransferIdText.size() + 1;
// The most bytes of a received packet that are looked at.
inline constexpr size_t kTftpMaxReceived = 512;

enum class TftpOpCode : uint16_t { WriteRequest = 2, Data = 3, Ack = 4, Error = 5 };

// A packet from the agent, as far as the client looks at it.
struct TftpReply {
    uint16_t opCode;
    uint16_t block;         // the acknowledged block, or the error code
    std::string errorText;  // an error packet's text, up to its zero or the datagram's end
};

// Writes the write request for path in octet mode into out; returns its length, or 0 when it
// does not fit.
size_t BuildWriteRequest(std::string_view path, std::span<uint8_t> out);
// Writes a data packet of block into out; returns its length, or 0 when it does not fit.
size_t BuildDataPacket(uint16_t block, std::span<const uint8_t> data, std::span<uint8_t> out);
// Writes an error packet with code and text into out; returns its length, or 0 when it does not
// fit.
size_t BuildErrorPacket(uint16_t code, std::string_view text, std::span<uint8_t> out);
// Reads a received packet: 0, or -1 when it is shorter than an opcode and a block number.
int ParseTftpReply(std::span<const uint8_t> datagram, TftpReply* reply);

}  // namespace vantelo
