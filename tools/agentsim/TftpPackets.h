#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantelo::agentsim {

enum class TftpOpcode : uint16_t {
    ReadRequest = 1,
    WriteRequest = 2,
    Data = 3,
    Ack = 4,
    Error = 5
};

enum class TftpError : uint16_t {
    NotDefined = 0,
    AccessViolation = 2,
    DiskFull = 3,
    IllegalOperation = 4,
    UnknownTransferId = 5,
};

inline constexpr size_t kTftpBlockSize = 512;
inline constexpr uint16_t kTftpPort = 69;

// The opcode in the first two bytes; 0, which no packet uses, when they are missing.
TftpOpcode OpcodeOf(std::span<const uint8_t> packet);

// The file name and mode of a request: both zero-terminated inside the packet. Options after the
// mode are ignored, which refuses them as a server without options does. Returns 0 or -1.
int ParseTransferRequest(std::span<const uint8_t> packet, std::string* fileName, std::string* mode);

// The block number of a data packet and the bytes behind its header, in place; -1 when the
// packet is shorter than the header.
int ParseData(std::span<const uint8_t> packet, uint16_t* block, std::span<const uint8_t>* bytes);

// True for "octet" in any case.
bool IsOctetMode(std::string_view mode);

std::vector<uint8_t> BuildAck(uint16_t block);
std::vector<uint8_t> BuildError(TftpError code, std::string_view text);

}  // namespace vantelo::agentsim
