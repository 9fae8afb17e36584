#pragma once

#include <string>
#include <vector>

#include "ports/NetworkInterfaces.h"

namespace vantelo::cli {

// The interface --interface names, by its name or by its IPv4 address, among the usable ones.
// Returns 0 with its name, or -1 with a one-line reason.
int ResolveInterface(const std::string& text, const std::vector<NetworkInterface>& usable,
                     std::string* name, std::string* error);

}  // namespace vantelo::cli
