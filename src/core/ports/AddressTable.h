#pragma once

#include <cstdint>
#include <vector>

namespace vantelo {

struct InterfaceAddress {
    uint32_t address;  // host order
    uint32_t mask;     // host order
};

// The workstation's IPv4 addresses, every interface, loopback included.
class AddressTable {
public:
    virtual ~AddressTable() = default;
    // Returns 0 and fills addresses, or a non-zero error code when the table cannot be read.
    virtual int Read(std::vector<InterfaceAddress>* addresses) = 0;
};

}  // namespace vantelo
