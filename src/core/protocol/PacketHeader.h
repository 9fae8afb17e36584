#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

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
void EncodeHeader(const PacketHeader& header, std::span<uint8_t, kHeaderSize> out);

// Reads a header from the first 40 bytes of datagram; returns -1, leaving header as it was, when
// fewer than 40 bytes are given.
int DecodeHeader(std::span<const uint8_t> datagram, PacketHeader* header);

// Writes a request header (protocol 2, direction 0, the given code and device type, all else 0)
// into out; returns 40.
size_t BuildRequestHeader(std::span<uint8_t, kHeaderSize> out, OpCode opCode,
                          uint32_t deviceTypeId);

}  // namespace vantelo
