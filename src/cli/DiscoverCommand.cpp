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
    size_t boxes = session.Ui().BoxCount();
    session.Engine().OnDiscovery();
    // The broadcast could not go out: its box said why.
    if (session.Ui().ShownSince(boxes, "Set socketopt error") ||
        session.Ui().ShownSince(boxes, "Discovery sento fail") ||
        session.Ui().ShownSince(boxes, "No network interface is up")) {
        return kExitRefused;
    }
    RunFor(options.timeoutMs > 0 ? options.timeoutMs : kDefaultTimeoutMs);
    PrintAgents(ListId::Discovery, DiscoveredAgents(session.Engine()), options.format);
    return kExitDone;
}

}  // namespace vantelo::cli
