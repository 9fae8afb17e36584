// discover: the Discovery button, then the agents that answered within the time-out.

#include "cli/AgentOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"

namespace vantelo::cli {

namespace {

constexpr int kDefaultTimeoutMs = 2000;

}  // namespace

int RunDiscover(const CliOptions& options, const std::string& configDirectory) {
    CliSession session(configDirectory, Network::Live, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    size_t told = session.Outcomes().Count();
    session.Engine().OnDiscovery();
    // The broadcast could not go out: its box said why.
    if (int code = session.Outcomes().CodeSince(told); code != kExitDone) {
        return code;
    }
    RunFor(options.timeoutMs > 0 ? options.timeoutMs : kDefaultTimeoutMs);
    PrintAgents(ListId::Discovery, DiscoveredAgents(session), options.format);
    return kExitDone;
}

}  // namespace vantelo::cli
