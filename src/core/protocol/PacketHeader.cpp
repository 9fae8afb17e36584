#include "protocol/PacketHeader.h"

#include <cstring>

namespace vantelo {

void EncodeHeader(const PacketHeader& header, uint8_t* out) {
    std::memset(out, 0, kHeaderSize);
    PutU16(out + 0, header.protocolVersion);
    PutU16(out + 2, header.direction);
    std::memcpy(out + 4, header.mac, 6);
    PutU16(out + 10, header.interfaceVersion);
    PutU16(out + 12, header.opCode);
    PutU16(out + 14, header.resultCode);
    PutU32(out + 16, header.deviceTypeId);
    PutU16(out + 26, header.sequence);
}

int DecodeHeader(const uint8_t* data, size_t length, PacketHeader* header) {
    if (length < kHeaderSize) {
        return -1;
    }
    header->protocolVersion = GetU16(data + 0);
    header->direction = GetU16(data + 2);
    std::memcpy(header->mac, data + 4, 6);
    header->interfaceVersion = GetU16(data + 10);
    header->opCode = GetU16(data + 12);
    header->resultCode = GetU16(data + 14);
    header->deviceTypeId = GetU32(data + 16);
    header->sequence = GetU16(data + 26);
    return 0;
}

size_t BuildRequestHeader(uint8_t* out, OpCode opCode, uint32_t deviceTypeId) {
    PacketHeader header{};
    header.protocolVersion = kProtocolVersion;
    header.direction = kDirectionRequest;
    header.opCode = static_cast<uint16_t>(opCode);
    header.deviceTypeId = deviceTypeId;
    EncodeHeader(header, out);
    return kHeaderSize;
}

}  // namespace vantelo
