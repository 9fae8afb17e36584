#include "cli/Utf8Text.h"

#include <cstdint>

namespace vantelo::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the well-formed sequence starting at text[at], or 0 (RFC 3629: no overlong
// forms, no surrogates, nothing past U+10FFFF).
size_t SequenceLength(std::string_view text, size_t at) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
    uint8_t lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead == 0xE0) {
        low = 0xA0;
    } else if (lead == 0xED) {
        high = 0x9F;
    } else if (lead == 0xF0) {
        low = 0x90;
    } else if (lead == 0xF4) {
        high = 0x8F;
    }
    if (byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        size_t length = SequenceLength(text, at);
        if (length == 0) {
            valid.append(kReplacement);
            ++at;
            continue;
        }
        valid.append(text.substr(at, length));
        at += length;
    }
    return valid;
}

}  // namespace vantelo::cli
