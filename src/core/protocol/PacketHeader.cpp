#include "protocol/PacketHeader.h"

#include "protocol/ByteCursor.h"

namespace vantelo {

namespace {

// Reserved bytes lie between the device type and the sequence, and after the sequence.
constexpr size_t kSequenceOffset = 26;

}  // namespace

void EncodeHeader(const PacketHeader& header, std::span<uint8_t, kHeaderSize> out) {
    ByteWriter writer(out);
    writer.WriteU16(header.protocolVersion);
    writer.WriteU16(header.direction);
    writer.WriteBytes(header.mac);
    writer.WriteU16(header.interfaceVersion);
    writer.WriteU16(header.opCode);
    writer.WriteU16(header.resultCode);
    writer.WriteU32(header.deviceTypeId);
    writer.WriteZeros(kSequenceOffset - writer.position());
    writer.WriteU16(header.sequence);
    writer.WriteZeros(writer.remaining());
}

int DecodeHeader(std::span<const uint8_t> datagram, PacketHeader* header) {
    ByteReader reader(datagram);
    PacketHeader decoded{};
    decoded.protocolVersion = reader.ReadU16();
    decoded.direction = reader.ReadU16();
    reader.ReadBytes(decoded.mac);
    decoded.interfaceVersion = reader.ReadU16();
    decoded.opCode = reader.ReadU16();
    decoded.resultCode = reader.ReadU16();
    decoded.deviceTypeId = reader.ReadU32();
    reader.Skip(kSequenceOffset - reader.position());
    decoded.sequence = reader.ReadU16();
    reader.Skip(kHeaderSize - reader.position());
    if (!reader.ok()) {
        return -1;
    }
    *header = decoded;
    return 0;
}

size_t BuildRequestHeader(std::span<uint8_t, kHeaderSize> out, OpCode opCode,
                          uint32_t deviceTypeId) {
    PacketHeader header{};
    header.protocolVersion = kProtocolVersion;
    header.direction = kDirectionRequest;
    header.opCode = static_cast<uint16_t>(opCode);
    header.deviceTypeId = deviceTypeId;
    EncodeHeader(header, out);
    return kHeaderSize;
}

}  // namespace vantelo
