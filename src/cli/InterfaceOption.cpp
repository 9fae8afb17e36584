#include "cli/InterfaceOption.h"

#include <algorithm>

#include "protocol/Conversions.h"

namespace vantelo::cli {

int ResolveInterface(const std::string& text, const std::vector<NetworkInterface>& usable,
                     std::string* name, std::string* error) {
    uint32_t address = 0;
    const bool byAddress = TextToIp(text, &address) == 0;
    auto found = std::find_if(usable.begin(), usable.end(), [&](const NetworkInterface& i) {
        return byAddress ? i.address == address : i.name == text;
    });
    if (found == usable.end()) {
        std::string names;
        for (const NetworkInterface& i : usable) {
            names += (names.empty() ? "" : ", ") + i.name + " " + IpToText(i.address);
        }
        *error = "--interface '" + text + "' is no usable network interface (up, not loopback, " +
                 "able to broadcast); usable: " + (names.empty() ? "none" : names);
        return -1;
    }
    *name = found->name;
    return 0;
}

}  // namespace vantelo::cli
