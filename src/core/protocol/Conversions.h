#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantelo {

// Writes 12 lowercase hexadecimal digits and a NUL (13 bytes) for the 6 bytes of mac.
void MacToText(const uint8_t* mac, char* out);

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
