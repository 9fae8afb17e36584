#include "RequestElements.h"

#include "protocol/PacketHeader.h"
#include "protocol/TlvElements.h"

namespace vantelo::agentsim {

namespace {

constexpr size_t kAddressElementSize = 8;

std::optional<std::string>* TextSlot(TlvType type, RequestElements* out) {
    switch (type) {
        case TlvType::ProductName:
            return &out->productName;
        case TlvType::SystemName:
            return &out->systemName;
        case TlvType::Location:
            return &out->location;
        case TlvType::Password:
            return &out->password;
        case TlvType::NewPassword:
            return &out->newPassword;
        default:
            return nullptr;
    }
}

std::optional<uint32_t>* AddressSlot(TlvType type, RequestElements* out) {
    switch (type) {
        case TlvType::IpAddress:
            return &out->ip;
        case TlvType::SubnetMask:
            return &out->subnetMask;
        case TlvType::Gateway:
            return &out->gateway;
        case TlvType::TrapIp:
            return &out->trapIp;
        default:
            return nullptr;
    }
}

int ReadDhcp(const uint8_t* value, size_t length, RequestElements* out) {
    if (length == kElementHeaderSize + 1) {
        out->dhcp = value[0];
    } else if (length == kElementHeaderSize + 2) {
        out->dhcp = GetU16(value);
    } else {
        return -1;
    }
    return 0;
}

int ReadOne(TlvType type, const uint8_t* value, size_t length, RequestElements* out) {
    if (std::optional<std::string>* text = TextSlot(type, out)) {
        *text = std::string(reinterpret_cast<const char*>(value), length - kElementHeaderSize);
        return 0;
    }
    if (std::optional<uint32_t>* address = AddressSlot(type, out)) {
        if (length != kAddressElementSize) {
            return -1;
        }
        *address = GetU32(value);
        return 0;
    }
    if (type == TlvType::Dhcp) {
        return ReadDhcp(value, length, out);
    }
    return -1;
}

}  // namespace

int ParseRequestElements(const uint8_t* payload, size_t size, RequestElements* out) {
    size_t cursor = 0;
    while (cursor < size) {
        if (size - cursor < kElementHeaderSize) {
            return -1;
        }
        uint16_t type = GetU16(payload + cursor);
        size_t length = GetU16(payload + cursor + 2);
        if (length < kElementHeaderSize || length > size - cursor) {
            return -1;
        }
        if (ReadOne(static_cast<TlvType>(type), payload + cursor + kElementHeaderSize, length,
                    out) != 0) {
            return -1;
        }
        cursor += length;
    }
    return 0;
}

}  // namespace vantelo::agentsim
