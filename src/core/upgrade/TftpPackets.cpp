#include "upgrade/TftpPackets.h"

#include <algorithm>

#include "protocol/ByteCursor.h"

namespace vantelo {

size_t BuildWriteRequest(std::string_view path, std::span<uint8_t> out) {
    ByteWriter writer(out);
    writer.WriteU16(static_cast<uint16_t>(TftpOpCode::WriteRequest));
    writer.WriteText(path);
    writer.WriteU8(0);
    writer.WriteText("octet");
    writer.WriteU8(0);
    return writer.ok() ? writer.position() : 0;
}

size_t BuildDataPacket(uint16_t block, std::span<const uint8_t> data, std::span<uint8_t> out) {
    ByteWriter writer(out);
    writer.WriteU16(static_cast<uint16_t>(TftpOpCode::Data));
    writer.WriteU16(block);
    writer.WriteBytes(data);
    return writer.ok() ? writer.position() : 0;
}

size_t BuildErrorPacket(uint16_t code, std::string_view text, std::span<uint8_t> out) {
    ByteWriter writer(out);
    writer.WriteU16(static_cast<uint16_t>(TftpOpCode::Error));
    writer.WriteU16(code);
    writer.WriteText(text);
    writer.WriteU8(0);
    return writer.ok() ? writer.position() : 0;
}

int ParseTftpReply(std::span<const uint8_t> datagram, TftpReply* reply) {
    ByteReader reader(datagram);
    uint16_t opCode = reader.ReadU16();
    uint16_t block = reader.ReadU16();
    if (!reader.ok()) {
        return -1;
    }
    reply->opCode = opCode;
    reply->block = block;
    reply->errorText.clear();
    if (opCode == static_cast<uint16_t>(TftpOpCode::Error)) {
        std::span<const uint8_t> rest = reader.Unread();
        auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
        reply->errorText.assign(rest.begin(), end);
    }
    return 0;
}

}  // namespace vantelo
