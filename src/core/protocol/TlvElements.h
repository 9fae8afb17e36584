#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "protocol/DeviceRecord.h"
#include "protocol/PacketHeader.h"

namespace vantelo {

enum class TlvType : uint16_t {
    ProductName = 1,
    SystemName = 2,
    Location = 3,
    IpAddress = 4,
    SubnetMask = 5,
    Gateway = 6,
    TrapIp = 7,
    NewPassword = 8,
    Password = 9,
    Dhcp = 10,
};

inline constexpr size_t kElementHeaderSize = 4;

// A datagram being built: a header, then elements appended one after another.
struct PacketBuffer {
    uint8_t bytes[kMaxDatagram];
    size_t length;
};

// Each append returns 0, or -1 without writing when the element would not fit in 1500 bytes.
int AppendTextElement(PacketBuffer& packet, TlvType type, std::string_view text);
int AppendAddressElement(PacketBuffer& packet, TlvType type, uint32_t hostOrderAddress);
// The one-byte form for interface version 1, the 16-bit form otherwise.
int AppendDhcpElement(PacketBuffer& packet, uint16_t interfaceVersion, uint16_t value);

// Decodes the elements from byte 40 up to the datagram's end (at most byte 1500) into record, whose
// interfaceVersion must already hold the header's. Fields whose element is absent keep their
// value. Texts longer than their field are cut; an element type outside 1..10, a length below 4
// or an element running past the end ends decoding. Returns 0.
int DecodeElements(std::span<const uint8_t> datagram, DeviceRecord* record);

}  // namespace vantelo
