#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ports/FileSystem.h"

namespace vantelo {

inline constexpr size_t kDefinitionFileMax = 256;
inline constexpr size_t kDefinitionFileMin = 4;
inline constexpr const char* kDefinitionFileName = "define.ecf";

struct DefinitionValues {
    uint32_t deviceTypeId;
    uint16_t basePort;
};

// Takes apart the bytes of a definition file: checksum 255, CR LF pairs removed, deciphered,
// "=" and eight hex digits, then "=" and four. Returns 0 and fills values, or -1 for a checksum
// failure, a size outside 4..256 bytes or a text without its two equals signs.
int ParseDefinitionFile(const uint8_t* bytes, size_t length, DefinitionValues* values);

// Reads and parses the file at path; a missing or unreadable file is -1.
int LoadDefinitionFile(FileSystem& files, const std::string& path, DefinitionValues* values);

}  // namespace vantelo
