// vantelo-agentsim: simulated agents for the console's tests and demo.

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Options.h"
#include "io/ControlChannel.h"
#include "io/EventLoop.h"
#include "io/EventOutput.h"
#include "io/HttpServer.h"
#include "io/SocketNetwork.h"

using namespace vantelo::agentsim;

namespace {

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "vantelo-agentsim: %s\n", message.c_str());
    return code;
}

int Serve(const Options& options, const std::vector<AgentSettings>& agents) {
    EventOutput output;
    EventSink emit = [&output](const std::string& line) { output.Emit(line); };
    SocketNetwork network;
    Simulator simulator(options.simulator, agents, network, emit);
    HttpServer http(simulator, emit);
    ControlChannel control(simulator, emit);
    std::string error;
    if (network.Open(simulator.AgentPort(), EventLoop::kTftpPort, &error) != 0 ||
        http.Open(EventLoop::kHttpPort, &error) != 0 ||
        (!options.controlPath.empty() && control.Listen(options.controlPath, &error) != 0)) {
        return Fail(error, 1);
    }
    simulator.Start(EventLoop::NowMs());
    emit("ready " + std::to_string(agents.size()) + " " + std::to_string(simulator.AgentPort()));
    output.Flush();
    EventLoop(simulator, network, http, control, output).Run();
    output.Flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (ParseOptions(argc, argv, &options, &error) != 0) {
        return Fail(error + "; try 'vantelo-agentsim --help'", 2);
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("vantelo-agentsim %s\n", VANTELO_VERSION);
        return 0;
    }
    std::vector<AgentSettings> agents;
    if (PrepareAgents(&options, &agents, &error) != 0) {
        return Fail(error, 2);
    }
    if (access(options.simulator.storeDir.c_str(), W_OK | X_OK) != 0) {
        return Fail("cannot write into the store directory '" + options.simulator.storeDir + "'",
                    2);
    }
    signal(SIGPIPE, SIG_IGN);
    return Serve(options, agents);
}
