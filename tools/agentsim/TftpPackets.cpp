#include "TftpPackets.h"

#include <algorithm>

#include "protocol/ByteCursor.h"

namespace vantelo::agentsim {

namespace {

// The text up to the next zero byte, which is taken too; -1 when no zero byte follows.
int ReadZeroEnded(ByteReader& reader, std::string* text) {
    std::span<const uint8_t> rest = reader.Unread();
    auto zero = std::find(rest.begin(), rest.end(), uint8_t{0});
    if (zero == rest.end()) {
        return -1;
    }
    std::span<const uint8_t> run = reader.ReadSpan(static_cast<size_t>(zero - rest.begin()));
    text->assign(run.begin(), run.end());
    reader.Skip(1);
    return 0;
}

}  // namespace

TftpOpcode OpcodeOf(std::span<const uint8_t> packet) {
    return static_cast<TftpOpcode>(ByteReader(packet).ReadU16());
}

int ParseTransferRequest(std::span<const uint8_t> packet, std::string* fileName,
                         std::string* mode) {
    ByteReader reader(packet);
    reader.Skip(2);
    if (ReadZeroEnded(reader, fileName) != 0) {
        return -1;
    }
    return ReadZeroEnded(reader, mode);
}

int ParseData(std::span<const uint8_t> packet, uint16_t* block, std::span<const uint8_t>* bytes) {
    ByteReader reader(packet);
    reader.Skip(2);
    uint16_t number = reader.ReadU16();
    if (!reader.ok()) {
        return -1;
    }
    *block = number;
    *bytes = reader.Unread();
    return 0;
}

bool IsOctetMode(std::string_view mode) {
    static constexpr std::string_view kOctet = "octet";
    if (mode.size() != kOctet.size()) {
        return false;
    }
    for (size_t i = 0; i < mode.size(); ++i) {
        char c = mode[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != kOctet[i]) {
            return false;
        }
    }
    return true;
}

std::vector<uint8_t> BuildAck(uint16_t block) {
    std::vector<uint8_t> packet(4);
    ByteWriter writer(packet);
    writer.WriteU16(static_cast<uint16_t>(TftpOpcode::Ack));
    writer.WriteU16(block);
    return packet;
}

std::vector<uint8_t> BuildError(TftpError code, std::string_view text) {
    // Sized once: growing a 4-byte vector trips a false array-bounds warning of GCC 12 at -O2.
    std::vector<uint8_t> packet(4 + text.size() + 1);
    ByteWriter writer(packet);
    writer.WriteU16(static_cast<uint16_t>(TftpOpcode::Error));
    writer.WriteU16(static_cast<uint16_t>(code));
    writer.WriteText(text);
    writer.WriteU8(0);
    return packet;
}

}  // namespace vantelo::agentsim
