#pragma once

#include "cli/CliSession.h"
#include "cli/CommandLine.h"

namespace vantelo::cli {

// Finds the agent as an operator would: one discovery, after which it answers into its monitor
// row (when monitored) or into the discovery list; then selects that row alone, so that the
// window's commands act on it. Returns 0, or -1 after a message when it did not answer within
// timeoutMs.
int SelectAgent(CliSession& session, const AgentKey& key, int timeoutMs);

// How the command line names an agent in messages.
std::string AgentName(const AgentKey& key);

}  // namespace vantelo::cli
