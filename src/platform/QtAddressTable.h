#pragma once

#include "ports/AddressTable.h"

namespace vantelo {

// The workstation's IPv4 addresses from QNetworkInterface, each address and mask once.
class QtAddressTable final : public AddressTable {
public:
    int Read(std::vector<InterfaceAddress>* addresses) override;
};

}  // namespace vantelo
