#pragma once

#include <string>

namespace vantelo::cli {

// The configuration directory of an installed console: where the vantelo executable looks for
// cfg/, so that the command line and the window share their files.
std::string DefaultConfigDirectory();

}  // namespace vantelo::cli
