#pragma once

#include <cstdint>

namespace vantelo {

enum class ResultCode : uint16_t {
    Success = 0,
    ProtocolVersionError = 1,
    PasswordError = 2,
    CommandError = 3,
    ParametersError = 4,
};

// Only the low four bits of the header's result word carry the code.
inline uint16_t ResultCodeOf(uint16_t resultWord) {
    return resultWord & 0x0F;
}

// The message shown for a result word, or nullptr for success.
const char* ResultCodeMessage(uint16_t resultWord);

}  // namespace vantelo
