#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantelo {

// Writes the 12 lowercase hexadecimal digits of mac into a text field, zero-filled behind them.
template <size_t N>
void MacToText(std::span<const uint8_t, 6> mac, char (&text)[N]) {
    static_assert(N >= 13, "a MAC text needs 13 bytes");
    static constexpr char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < mac.size(); ++i) {
        text[2 * i] = kDigits[mac[i] >> 4];
        text[2 * i + 1] = kDigits[mac[i] & 0x0F];
    }
    for (size_t i = 2 * mac.size(); i < N; ++i) {
        text[i] = '\0';
    }
}

// Converts pairs of hexadecimal digits (either case) into bytes, at most capacity of them; a last
// odd digit is ignored. Returns -1 and writes nothing when any character is not a hex digit.
int HexTextToBytes(std::string_view text, uint8_t* out, size_t capacity);

// "%d.%03x.%03d" of protocol version, direction and interface version.
std::string VersionText(uint16_t protocolVersion, uint16_t direction, uint16_t interfaceVersion);

// Dotted decimal text of a host-order address.
std::string IpToText(uint32_t address);

// Parses dotted decimal text ("a.b.c.d", each 0..255); returns -1 on anything else.
int TextToIp(std::string_view text, uint32_t* address);

// Stores a host-order address in a record's number field and its dotted text in the text field.
template <size_t N>
void SetAddressField(uint32_t address, uint32_t* number, char (&text)[N]) {
    static_assert(N >= 16, "dotted text needs 16 bytes");
    *number = address;
    std::string dotted = IpToText(address);
    size_t i = 0;
    for (; i < dotted.size(); ++i) {
        text[i] = dotted[i];
    }
    for (; i < N; ++i) {
        text[i] = '\0';
    }
}

}  // namespace vantelo
