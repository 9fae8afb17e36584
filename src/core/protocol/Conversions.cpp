#include "protocol/Conversions.h"

#include <charconv>

namespace vantelo {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Appends value written in base with at least width digits, zeros in front.
void AppendPadded(std::string& text, unsigned value, int base, size_t width) {
    char digits[8];
    const char* end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
    const size_t count = static_cast<size_t>(end - digits);
    if (count < width) {
        text.append(width - count, '0');
    }
    text.append(digits, count);
}

}  // namespace

int HexTextToBytes(std::string_view text, uint8_t* out, size_t capacity) {
    for (char c : text) {
        if (HexDigitValue(c) < 0) {
            return -1;
        }
    }
    size_t count = text.size() / 2;
    if (count > capacity) {
        count = capacity;
    }
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>((HexDigitValue(text[2 * i]) << 4) |
                                      HexDigitValue(text[2 * i + 1]));
    }
    return 0;
}

// The version "2.001.002": decimal, three hexadecimal digits at least, three decimal digits at
// least. Written by hand, as the addresses below are, for the same reason.
std::string VersionText(uint16_t protocolVersion, uint16_t direction, uint16_t interfaceVersion) {
    std::string text;
    AppendPadded(text, protocolVersion, 10, 1);
    text += '.';
    AppendPadded(text, direction, 16, 3);
    text += '.';
    AppendPadded(text, interfaceVersion, 10, 3);
    return text;
}

// Written by hand rather than with snprintf: every reply stores a few of these, and the
// formatted print was a tenth of a reply's cost.
std::string IpToText(uint32_t address) {
    char text[16];
    char* end = text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        end = std::to_chars(end, text + sizeof text, (address >> shift) & 0xFFu).ptr;
        if (shift > 0) {
            *end++ = '.';
        }
    }
    return std::string(text, end);
}

int TextToIp(std::string_view text, uint32_t* address) {
    uint32_t value = 0;
    int octets = 0;
    size_t i = 0;
    while (octets < 4) {
        size_t start = i;
        uint32_t octet = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3) {
            octet = octet * 10 + static_cast<uint32_t>(text[i] - '0');
            ++i;
        }
        if (i == start || octet > 255) {
            return -1;
        }
        value = (value << 8) | octet;
        ++octets;
        if (octets < 4) {
            if (i >= text.size() || text[i] != '.') {
                return -1;
            }
            ++i;
        }
    }
    if (i != text.size()) {
        return -1;
    }
    *address = value;
    return 0;
}

}  // namespace vantelo
