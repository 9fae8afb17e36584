#include "TftpPackets.h"

#include <algorithm>
#include <cstring>

#include "protocol/PacketHeader.h"

namespace vantelo::agentsim {

namespace {

// The text that starts at offset and ends with a zero byte inside the packet, or -1.
int ReadZeroEnded(const uint8_t* packet, size_t size, size_t* offset, std::string* text) {
    const void* end = std::memchr(packet + *offset, 0, size - *offset);
    if (end == nullptr) {
        return -1;
    }
    auto length = static_cast<size_t>(static_cast<const uint8_t*>(end) - (packet + *offset));
    text->assign(reinterpret_cast<const char*>(packet + *offset), length);
    *offset += length + 1;
    return 0;
}

}  // namespace

int ParseTransferRequest(const uint8_t* packet, size_t size, std::string* fileName,
                         std::string* mode) {
    size_t offset = 2;
    if (size <= offset) {
        return -1;
    }
    if (ReadZeroEnded(packet, size, &offset, fileName) != 0 || offset >= size) {
        return -1;
    }
    return ReadZeroEnded(packet, size, &offset, mode);
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
    PutU16(packet.data(), static_cast<uint16_t>(TftpOpcode::Ack));
    PutU16(packet.data() + 2, block);
    return packet;
}

std::vector<uint8_t> BuildError(TftpError code, std::string_view text) {
    // Sized once: growing a 4-byte vector trips a false array-bounds warning of GCC 12 at -O2.
    std::vector<uint8_t> packet(4 + text.size() + 1, 0);
    PutU16(packet.data(), static_cast<uint16_t>(TftpOpcode::Error));
    PutU16(packet.data() + 2, static_cast<uint16_t>(code));
    std::copy(text.begin(), text.end(), packet.begin() + 4);
    return packet;
}

}  // namespace vantelo::agentsim
