#pragma once

#include <cstddef>
#include <cstdint>

namespace vantelo {

inline constexpr size_t kHeaderSize = 40;
inline constexpr size_t kMaxDatagram = 1500;
inline constexpr uint16_t kProtocolVersion = 2;
inline constexpr uint16_t kDirectionRequest = 0;
inline constexpr uint16_t kDirectionReply = 1;

enum class OpCode : uint16_t {
    DiscoveryRequest = 1,
    DiscoveryReply = 2,
    BroadcastSetRequest = 3,
    BroadcastSetReply = 4,
    PollRequest = 5,
    UnicastSetRequest = 7,
    UnicastSetReply = 8,
    Trap = 9,
    UpgradeTrigger = 10,
    UpgradeTriggerReply = 11,
    LoaderModeReply = 12,
};

// The 40-byte header in host order; on the wire every multi-byte field is big-endian.
struct PacketHeader {
    uint16_t protocolVersion;
    uint16_t direction;
    uint8_t mac[6];
    uint16_t interfaceVersion;
    uint16_t opCode;
    uint16_t resultCode;
    uint32_t deviceTypeId;
    uint16_t sequence;
};

// Writes the 40 header bytes (reserved bytes zero) into out.
void EncodeHeader(const PacketHeader& header, uint8_t* out);

// Reads a header from the first 40 bytes; returns -1 when fewer than 40 bytes are given.
int DecodeHeader(const uint8_t* data, size_t length, PacketHeader* header);

// Writes a request header (protocol 2, direction 0, the given code and device type, all else 0)
// into out, which holds at least 40 bytes; returns 40.
size_t BuildRequestHeader(uint8_t* out, OpCode opCode, uint32_t deviceTypeId);

// Big-endian helpers shared by the codecs.
inline void PutU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}
inline void PutU32(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}
inline uint16_t GetU16(const uint8_t* in) {
    return static_cast<uint16_t>((in[0] << 8) | in[1]);
}
inline uint32_t GetU32(const uint8_t* in) {
    return (uint32_t{in[0]} << 24) | (uint32_t{in[1]} << 16) | (uint32_t{in[2]} << 8) | in[3];
}

}  // namespace vantelo
