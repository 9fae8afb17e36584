#pragma once

#include <cstdint>
#include <vector>

namespace vantelo {

// The bytes of a definition file holding the two values: two enciphered lines, each ended by
// CR LF, whose label characters are chosen so that the checksum folds to 255.
std::vector<uint8_t> BuildDefinitionFile(uint32_t deviceTypeId, uint16_t basePort);

}  // namespace vantelo
