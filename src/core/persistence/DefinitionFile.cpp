#include "persistence/DefinitionFile.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "persistence/DefinitionCipher.h"
#include "protocol/Conversions.h"

namespace vantelo {

namespace {

// Removes CR LF pairs in place. Bytes moved into the current position are not examined again,
// so of two adjacent pairs only the first goes.
void RemoveLineBreaks(uint8_t* buffer, size_t length) {
    for (size_t i = 0; i + 1 < length; ++i) {
        if (buffer[i] == '\r' && buffer[i + 1] == '\n') {
            std::memmove(buffer + i, buffer + i + 2, length - i - 2);
            buffer[length - 2] = 0;
        }
    }
}

// Reads the value after an equals sign: up to width characters, stopping at the text's end,
// as big-endian bytes; a value that is not hexadecimal stays 0.
uint32_t ReadHexValue(std::string_view text, size_t width) {
    uint8_t bytes[4] = {};
    HexTextToBytes(text.substr(0, width), bytes, width / 2);
    uint32_t value = 0;
    for (size_t i = 0; i < width / 2; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

}  // namespace

int ParseDefinitionFile(const uint8_t* bytes, size_t length, DefinitionValues* values) {
    if (length < kDefinitionFileMin || length > kDefinitionFileMax) {
        return -1;
    }
    if (DefinitionChecksum(bytes, length) != 255) {
        return -1;
    }
    uint8_t buffer[kDefinitionFileMax] = {};
    std::memcpy(buffer, bytes, length);
    RemoveLineBreaks(buffer, length);
    buffer[length - 4] = 0;
    for (size_t i = 0; i < length - 2; ++i) {
        buffer[i] = DecipherChar(buffer[i]);
    }
    const char* chars = reinterpret_cast<const char*>(buffer);
    std::string_view text(chars, strnlen(chars, length - 4));
    size_t first = text.find('=');
    if (first == std::string_view::npos) {
        return -1;
    }
    size_t second = text.find('=', first + 1);
    if (second == std::string_view::npos) {
        return -1;
    }
    values->deviceTypeId = ReadHexValue(text.substr(first + 1), 8);
    values->basePort = static_cast<uint16_t>(ReadHexValue(text.substr(second + 1), 4));
    return 0;
}

int LoadDefinitionFile(FileSystem& files, const std::string& path, DefinitionValues* values) {
    std::vector<uint8_t> bytes;
    if (files.ReadFile(path, kDefinitionFileMax, &bytes) != 0) {
        return -1;
    }
    return ParseDefinitionFile(bytes.data(), bytes.size(), values);
}

}  // namespace vantelo
