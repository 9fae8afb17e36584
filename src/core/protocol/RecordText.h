#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace vantelo {

// The text of a fixed field, which ends at its first NUL or at the field's end: records loaded
// from files may fill a field without a terminator.
template <size_t N>
std::string_view TextOf(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}

}  // namespace vantelo
