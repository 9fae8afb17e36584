#pragma once

#include <cstdint>
#include <span>

namespace vantelo {

// Traps from monitored agents, their store and the system log. A trap datagram comes here from
// the receive path whole, as long as it was received.
class Traps {
public:
    void HandleTrap(std::span<const uint8_t> datagram) { static_cast<void>(datagram); }
};

}  // namespace vantelo
