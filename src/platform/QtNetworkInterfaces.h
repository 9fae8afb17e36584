#pragma once

#include "ports/NetworkInterfaces.h"

namespace vantelo {

// The usable interfaces as QNetworkInterface lists them, in the system's order.
class QtNetworkInterfaces final : public NetworkInterfaces {
public:
    std::vector<NetworkInterface> Usable() override;
};

}  // namespace vantelo
