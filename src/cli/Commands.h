#pragma once

#include <string>

#include "cli/CommandLine.h"

namespace vantelo::cli {

// Each command runs the engine on the configuration directory and returns its exit code.
int RunDiscover(const CliOptions& options, const std::string& configDirectory);
int RunWatch(const CliOptions& options, const std::string& configDirectory);
int RunSet(const CliOptions& options, const std::string& configDirectory);
int RunPassword(const CliOptions& options, const std::string& configDirectory);
int RunUpgrade(const CliOptions& options, const std::string& configDirectory);
int RunMonitor(const CliOptions& options, const std::string& configDirectory);

}  // namespace vantelo::cli
