#pragma once

#include <string>

#include "cli/CommandLine.h"

namespace vantelo::cli {

// One command on one agent (options.agent), returning its exit code.
using TargetCommand = int (*)(const CliOptions& options, const std::string& configDirectory);

// Runs command on every target of options, one after another (the console has one TFTP port
// and one pair of sockets): the agents named, or every agent of the monitor list. A failure
// stops the rest only with --stop-on-failure. With several targets, --monitored or --json, each
// target's outcome is a line (or a JSON object) on standard output, then a summary. Returns the
// largest exit code of the targets.
int RunTargets(const CliOptions& options, const std::string& configDirectory,
               TargetCommand command);

}  // namespace vantelo::cli
