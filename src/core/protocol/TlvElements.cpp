#include "protocol/TlvElements.h"

#include <cstring>

#include "protocol/Conversions.h"

namespace vantelo {

namespace {

constexpr size_t kAddressElementSize = 8;

uint8_t* Reserve(PacketBuffer& packet, size_t size) {
    if (packet.length > kMaxDatagram || kMaxDatagram - packet.length < size) {
        return nullptr;
    }
    uint8_t* at = packet.bytes + packet.length;
    packet.length += size;
    return at;
}

uint8_t* ReserveElement(PacketBuffer& packet, TlvType type, size_t valueSize) {
    size_t size = kElementHeaderSize + valueSize;
    if (size > 0xFFFF) {
        return nullptr;
    }
    uint8_t* at = Reserve(packet, size);
    if (at != nullptr) {
        PutU16(at, static_cast<uint16_t>(type));
        PutU16(at + 2, static_cast<uint16_t>(size));
    }
    return at;
}

// Stores a text value; returns false when the element is malformed.
bool DecodeText(uint16_t type, const uint8_t* value, size_t valueSize, DeviceRecord* record) {
    const char* text = reinterpret_cast<const char*>(value);
    switch (static_cast<TlvType>(type)) {
        case TlvType::ProductName:
            CopyField(record->productName, text, valueSize);
            return true;
        case TlvType::SystemName:
            CopyField(record->systemName, text, valueSize);
            return true;
        case TlvType::Location:
            CopyField(record->location, text, valueSize);
            return true;
        case TlvType::Password:
            CopyField(record->password, text, valueSize);
            return true;
        default:
            return false;
    }
}

void DecodeAddress(uint16_t type, const uint8_t* value, DeviceRecord* record) {
    uint32_t address = GetU32(value);
    switch (static_cast<TlvType>(type)) {
        case TlvType::IpAddress:
            SetAddressField(address, &record->ip, record->ipText);
            break;
        case TlvType::SubnetMask:
            SetAddressField(address, &record->subnetMask, record->subnetMaskText);
            break;
        case TlvType::Gateway:
            SetAddressField(address, &record->gateway, record->gatewayText);
            break;
        default:
            SetAddressField(address, &record->trapIp, record->trapIpText);
            break;
    }
}

// Decodes the element at cursor; returns the bytes it takes, or 0 to end decoding.
size_t DecodeOne(const uint8_t* cursor, size_t remaining, DeviceRecord* record) {
    if (remaining < kElementHeaderSize) {
        return 0;
    }
    uint16_t type = GetU16(cursor);
    size_t length = GetU16(cursor + 2);
    if (type < 1 || type > 10 || length < kElementHeaderSize) {
        return 0;
    }
    switch (static_cast<TlvType>(type)) {
        case TlvType::IpAddress:
        case TlvType::SubnetMask:
        case TlvType::Gateway:
        case TlvType::TrapIp:
            if (remaining < kAddressElementSize) {
                return 0;
            }
            DecodeAddress(type, cursor + kElementHeaderSize, record);
            return kAddressElementSize;
        case TlvType::NewPassword:
            return length <= remaining ? length : 0;
        case TlvType::Dhcp: {
            size_t size = record->interfaceVersion == 1 ? 5 : 6;
            if (remaining < size) {
                return 0;
            }
            const uint8_t* value = cursor + kElementHeaderSize;
            record->dhcp = size == 5 ? value[0] : GetU16(value);
            return size;
        }
        default:
            if (length > remaining) {
                return 0;
            }
            DecodeText(type, cursor + kElementHeaderSize, length - kElementHeaderSize, record);
            return length;
    }
}

}  // namespace

int AppendTextElement(PacketBuffer& packet, TlvType type, std::string_view text) {
    uint8_t* at = ReserveElement(packet, type, text.size());
    if (at == nullptr) {
        return -1;
    }
    std::memcpy(at + kElementHeaderSize, text.data(), text.size());
    return 0;
}

int AppendAddressElement(PacketBuffer& packet, TlvType type, uint32_t hostOrderAddress) {
    uint8_t* at = ReserveElement(packet, type, 4);
    if (at == nullptr) {
        return -1;
    }
    PutU32(at + kElementHeaderSize, hostOrderAddress);
    return 0;
}

int AppendDhcpElement(PacketBuffer& packet, uint16_t interfaceVersion, uint16_t value) {
    bool oneByte = interfaceVersion == 1;
    uint8_t* at = ReserveElement(packet, TlvType::Dhcp, oneByte ? 1 : 2);
    if (at == nullptr) {
        return -1;
    }
    if (oneByte) {
        at[kElementHeaderSize] = static_cast<uint8_t>(value);
    } else {
        PutU16(at + kElementHeaderSize, value);
    }
    return 0;
}

int DecodeElements(const uint8_t* datagram, size_t length, DeviceRecord* record) {
    if (length > kMaxDatagram) {
        length = kMaxDatagram;
    }
    size_t cursor = kHeaderSize;
    while (cursor < length) {
        size_t taken = DecodeOne(datagram + cursor, length - cursor, record);
        if (taken == 0) {
            break;
        }
        cursor += taken;
    }
    return 0;
}

}  // namespace vantelo
