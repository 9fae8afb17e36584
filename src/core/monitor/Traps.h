#pragma once

#include <cstddef>
#include <cstdint>

namespace vantelo {

// Traps from monitored agents, their store and the system log. A trap datagram comes here from
// the receive path whole, with its received length.
class Traps {
public:
    void HandleTrap(const uint8_t* datagram, size_t length) {
        static_cast<void>(datagram);
        static_cast<void>(length);
    }
};

}  // namespace vantelo
