#pragma once

#include <cstdint>
#include <string_view>

#include "protocol/TlvElements.h"

namespace vantelo {

// The upgrade trigger for the agent whose MAC text is macText: a request header with the
// request sequence and one Password element. A short MAC text leaves the last bytes zero.
// Returns 0, or -1 when the MAC text holds a character that is no hexadecimal digit or the
// password does not fit.
int BuildUpgradeTrigger(std::string_view macText, uint32_t deviceTypeId, uint16_t sequence,
                        std::string_view password, PacketBuffer* packet);

}  // namespace vantelo
