#include "persistence/DefinitionWriter.h"

#include <cstdio>
#include <string>

#include "persistence/DefinitionCipher.h"

namespace vantelo {

namespace {

std::vector<uint8_t> Encipher(const std::string& plain) {
    std::vector<uint8_t> bytes;
    for (char c : plain) {
        bytes.push_back(EncipherChar(static_cast<uint8_t>(c)));
    }
    return bytes;
}

// Label characters: letters only, so no equals sign appears before the values.
char LabelChar(int index) {
    return static_cast<char>(index < 26 ? 'A' + index : 'a' + index - 26);
}

}  // namespace

std::vector<uint8_t> BuildDefinitionFile(uint32_t deviceTypeId, uint16_t basePort) {
    char values[2][16];
    std::snprintf(values[0], sizeof values[0], "=%08X\r\n", deviceTypeId);
    std::snprintf(values[1], sizeof values[1], "=%04X\r\n", basePort);
    // Three free label characters reach every fold value.
    for (int a = 0; a < 52; ++a) {
        for (int b = 0; b < 52; ++b) {
            for (int c = 0; c < 52; ++c) {
                std::string plain = std::string("ID") + LabelChar(a) + LabelChar(b) + values[0] +
                                    "PORT" + LabelChar(c) + values[1];
                std::vector<uint8_t> bytes = Encipher(plain);
                if (DefinitionChecksum(bytes.data(), bytes.size()) == 255) {
                    return bytes;
                }
            }
        }
    }
    return {};
}

}  // namespace vantelo
