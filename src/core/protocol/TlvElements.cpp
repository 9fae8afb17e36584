#include "protocol/TlvElements.h"

#include <algorithm>

#include "protocol/ByteCursor.h"
#include "protocol/Conversions.h"

namespace vantelo {

namespace {

constexpr size_t kMaxElementSize = 0xFFFF;

// A writer over the room behind the packet's bytes; it has no room when the length is out of
// range.
ByteWriter RoomOf(PacketBuffer& packet) {
    std::span<uint8_t> bytes(packet.bytes);
    return ByteWriter(packet.length <= bytes.size() ? bytes.subspan(packet.length) : bytes.last(0));
}

template <typename WriteValue>
int AppendElement(PacketBuffer& packet, TlvType type, size_t valueSize, WriteValue writeValue) {
    ByteWriter writer = RoomOf(packet);
    size_t size = kElementHeaderSize + valueSize;
    // Checked before writing, so that a refused element leaves no partial bytes behind.
    if (size > kMaxElementSize || size > writer.remaining()) {
        return -1;
    }
    writer.WriteU16(static_cast<uint16_t>(type));
    writer.WriteU16(static_cast<uint16_t>(size));
    writeValue(writer);
    packet.length += writer.position();
    return 0;
}

// The bytes an element's value takes on the wire, as the console reads them: address and DHCP
// elements have a fixed width whatever their length says.
size_t ValueSize(uint16_t type, uint16_t length, uint16_t interfaceVersion) {
    switch (static_cast<TlvType>(type)) {
        case TlvType::IpAddress:
        case TlvType::SubnetMask:
        case TlvType::Gateway:
        case TlvType::TrapIp:
            return 4;
        case TlvType::Dhcp:
            return interfaceVersion == 1 ? 1 : 2;
        default:
            return length - kElementHeaderSize;
    }
}

void DecodeText(uint16_t type, std::span<const uint8_t> value, DeviceRecord* record) {
    const char* text = reinterpret_cast<const char*>(value.data());
    switch (static_cast<TlvType>(type)) {
        case TlvType::ProductName:
            CopyField(record->productName, text, value.size());
            break;
        case TlvType::SystemName:
            CopyField(record->systemName, text, value.size());
            break;
        case TlvType::Location:
            CopyField(record->location, text, value.size());
            break;
        case TlvType::Password:
            CopyField(record->password, text, value.size());
            break;
        default:
            break;
    }
}

// Stores a value that lies wholly inside the datagram; the new password is not kept.
void DecodeValue(uint16_t type, std::span<const uint8_t> value, DeviceRecord* record) {
    ByteReader reader(value);
    switch (static_cast<TlvType>(type)) {
        case TlvType::IpAddress:
            SetAddressField(reader.ReadU32(), &record->ip, record->ipText);
            break;
        case TlvType::SubnetMask:
            SetAddressField(reader.ReadU32(), &record->subnetMask, record->subnetMaskText);
            break;
        case TlvType::Gateway:
            SetAddressField(reader.ReadU32(), &record->gateway, record->gatewayText);
            break;
        case TlvType::TrapIp:
            SetAddressField(reader.ReadU32(), &record->trapIp, record->trapIpText);
            break;
        case TlvType::Dhcp:
            record->dhcp = value.size() == 1 ? reader.ReadU8() : reader.ReadU16();
            break;
        case TlvType::NewPassword:
            break;
        default:
            DecodeText(type, value, record);
            break;
    }
}

// Decodes the element at the reader's position; false ends decoding.
bool DecodeOne(ByteReader& reader, DeviceRecord* record) {
    uint16_t type = reader.ReadU16();
    uint16_t length = reader.ReadU16();
    if (!reader.ok() || type < 1 || type > 10 || length < kElementHeaderSize) {
        return false;
    }
    std::span<const uint8_t> value =
        reader.ReadSpan(ValueSize(type, length, record->interfaceVersion));
    if (!reader.ok()) {
        return false;
    }
    DecodeValue(type, value, record);
    return true;
}

}  // namespace

int AppendTextElement(PacketBuffer& packet, TlvType type, std::string_view text) {
    return AppendElement(packet, type, text.size(),
                         [text](ByteWriter& writer) { writer.WriteText(text); });
}

int AppendAddressElement(PacketBuffer& packet, TlvType type, uint32_t hostOrderAddress) {
    return AppendElement(packet, type, 4, [hostOrderAddress](ByteWriter& writer) {
        writer.WriteU32(hostOrderAddress);
    });
}

int AppendDhcpElement(PacketBuffer& packet, uint16_t interfaceVersion, uint16_t value) {
    if (interfaceVersion == 1) {
        return AppendElement(packet, TlvType::Dhcp, 1, [value](ByteWriter& writer) {
            writer.WriteU8(static_cast<uint8_t>(value));
        });
    }
    return AppendElement(packet, TlvType::Dhcp, 2,
                         [value](ByteWriter& writer) { writer.WriteU16(value); });
}

int DecodeElements(std::span<const uint8_t> datagram, DeviceRecord* record) {
    ByteReader reader(datagram.first(std::min(datagram.size(), kMaxDatagram)));
    reader.Skip(kHeaderSize);
    while (reader.remaining() > 0 && DecodeOne(reader, record)) {
    }
    return 0;
}

}  // namespace vantelo
