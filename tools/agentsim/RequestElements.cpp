#include "RequestElements.h"

#include "protocol/ByteCursor.h"
#include "protocol/TlvElements.h"

namespace vantelo::agentsim {

namespace {

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

int ReadDhcp(std::span<const uint8_t> value, RequestElements* out) {
    ByteReader reader(value);
    if (value.size() == 1) {
        out->dhcp = reader.ReadU8();
    } else if (value.size() == 2) {
        out->dhcp = reader.ReadU16();
    } else {
        return -1;
    }
    return 0;
}

int ReadOne(TlvType type, std::span<const uint8_t> value, RequestElements* out) {
    if (std::optional<std::string>* text = TextSlot(type, out)) {
        *text = std::string(value.begin(), value.end());
        return 0;
    }
    if (std::optional<uint32_t>* address = AddressSlot(type, out)) {
        if (value.size() != 4) {
            return -1;
        }
        *address = ByteReader(value).ReadU32();
        return 0;
    }
    if (type == TlvType::Dhcp) {
        return ReadDhcp(value, out);
    }
    return -1;
}

}  // namespace

int ParseRequestElements(std::span<const uint8_t> payload, RequestElements* out) {
    ByteReader reader(payload);
    while (reader.remaining() > 0) {
        auto type = static_cast<TlvType>(reader.ReadU16());
        uint16_t length = reader.ReadU16();
        if (!reader.ok() || length < kElementHeaderSize) {
            return -1;
        }
        std::span<const uint8_t> value = reader.ReadSpan(length - kElementHeaderSize);
        if (!reader.ok() || ReadOne(type, value, out) != 0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace vantelo::agentsim
