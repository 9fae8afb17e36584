#pragma once

#include <string>

namespace vantelo {

// An agent by its key texts, as the lists find it: its MAC text (12 lowercase hexadecimal
// digits) or its dotted IP address. Either may be empty where it is unknown.
struct AgentKey {
    std::string macText;
    std::string ipText;
};

}  // namespace vantelo
