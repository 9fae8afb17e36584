#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AgentSetup.h"
#include "Simulator.h"

namespace vantelo::agentsim {

struct Options {
    std::string definePath;
    std::string agentFile;
    GeneratedAgents generated;
    SimulatorConfig simulator;
    std::string controlPath;
    bool help = false;
    bool version = false;
};

extern const char* const kUsage;

// Reads the command line; 0, or -1 with a one-line reason. Reads no file.
int ParseOptions(int argc, const char* const* argv, Options* options, std::string* error);

// Reads the definition file into the simulator's configuration and makes the agents from the
// count or the agent file; 0, or -1 with a one-line reason.
int PrepareAgents(Options* options, std::vector<AgentSettings>* agents, std::string* error);

}  // namespace vantelo::agentsim
