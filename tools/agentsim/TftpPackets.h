#pragma once

#include <cstddef>
#include <cstdint>
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
inline constexpr size_t kTftpDataHeader = 4;
inline constexpr uint16_t kTftpPort = 69;

// The file name and mode of a request: both zero-terminated inside the packet. Options after the
// mode are ignored, which refuses them as a server without options does. Returns 0 or -1.
int ParseTransferRequest(const uint8_t* packet, size_t size, std::string* fileName,
                         std::string* mode);

// True for "octet" in any case.
bool IsOctetMode(std::string_view mode);

std::vector<uint8_t> BuildAck(uint16_t block);
std::vector<uint8_t> BuildError(TftpError code, std::string_view text);

}  // namespace vantelo::agentsim
