#pragma once

#include <string>

namespace vantelo::cli {

// The console's configuration directory, found by the window's own rule (cfg/ beside the
// executable, or the operator's directory for an installed program), so that the command line
// and the window share their files.
std::string DefaultConfigDirectory();

}  // namespace vantelo::cli
