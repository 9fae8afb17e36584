// Whole datagrams through the header decoder and the element decoder.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "protocol/PacketHeader.h"
#include "protocol/TlvElements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that any read past the datagram is caught.
    std::vector<uint8_t> datagram(data, data + size);
    vantelo::PacketHeader header{};
    if (vantelo::DecodeHeader(datagram, &header) != 0) {
        return 0;
    }
    vantelo::DeviceRecord record{};
    record.dhcp = vantelo::kDhcpNotReported;
    record.interfaceVersion = header.interfaceVersion;
    vantelo::DecodeElements(datagram, &record);
    // Every text field stays terminated inside its capacity.
    if (record.productName[sizeof record.productName - 1] != '\0' ||
        record.systemName[sizeof record.systemName - 1] != '\0' ||
        record.location[sizeof record.location - 1] != '\0' ||
        record.password[sizeof record.password - 1] != '\0' ||
        record.ipText[sizeof record.ipText - 1] != '\0') {
        __builtin_trap();
    }
    return 0;
}
