#include "Options.h"

#include <fstream>
#include <sstream>
#include <string_view>

#include "persistence/DefinitionFile.h"
#include "platform/files/PosixFileSystem.h"
#include "protocol/ByteCursor.h"
#include "protocol/Conversions.h"

namespace vantelo::agentsim {

const char* const kUsage =
    "usage: vantelo-agentsim --define FILE (--agents N [--first IP] | --agent-file FILE)\n"
    "         [--mask IP] [--gateway IP] [--trap-ip IP] [--password TEXT] [--store DIR]\n"
    "         [--restart-seconds N] [--trap-every SECONDS] [--loss PERCENT] [--delay MS]\n"
    "         [--seed N] [--device-type HEX8] [--control SOCKET] [--quiet]\n"
    "       vantelo-agentsim --help | --version\n";

namespace {

int Fail(std::string* error, const std::string& text) {
    *error = text;
    return -1;
}

int Number(std::string_view flag, std::string_view value, uint32_t low, uint32_t high,
           uint32_t* out, std::string* error) {
    if (ParseNumber(value, low, high, out) != 0) {
        return Fail(error, std::string(flag) + " needs a number from " + std::to_string(low) +
                               " to " + std::to_string(high));
    }
    return 0;
}

int Address(std::string_view flag, std::string_view value, uint32_t* out, std::string* error) {
    if (TextToIp(value, out) != 0) {
        return Fail(error, std::string(flag) + " needs a dotted address");
    }
    return 0;
}

int DeviceType(std::string_view value, std::optional<uint32_t>* out, std::string* error) {
    uint8_t bytes[4];
    if (value.size() != 8 || HexTextToBytes(value, bytes, 4) != 0) {
        return Fail(error, "--device-type needs 8 hexadecimal digits");
    }
    *out = ByteReader(bytes).ReadU32();
    return 0;
}

int NumberOption(std::string_view flag, std::string_view value, Options* o, std::string* error) {
    SimulatorConfig& s = o->simulator;
    uint32_t count = 0;
    if (flag == "--agents") {
        int status = Number(flag, value, 1, kMaxAgents, &count, error);
        o->generated.count = count;
        return status;
    }
    if (flag == "--restart-seconds") {
        return Number(flag, value, 0, 86400, &s.restartSeconds, error);
    }
    if (flag == "--trap-every") {
        return Number(flag, value, 0, 86400, &s.trapEverySeconds, error);
    }
    if (flag == "--loss") {
        return Number(flag, value, 0, 100, &s.lossPercent, error);
    }
    if (flag == "--delay") {
        return Number(flag, value, 0, 600000, &s.initialFaults.replyDelayMs, error);
    }
    return Number(flag, value, 0, 0xFFFFFFFF / 10, &s.seed, error);
}

int ValueOption(std::string_view flag, std::string_view value, Options* o, std::string* error) {
    GeneratedAgents& g = o->generated;
    if (flag == "--define") {
        o->definePath = value;
    } else if (flag == "--agent-file") {
        o->agentFile = value;
    } else if (flag == "--first") {
        return Address(flag, value, &g.first, error);
    } else if (flag == "--mask") {
        return Address(flag, value, &g.subnetMask, error);
    } else if (flag == "--gateway") {
        return Address(flag, value, &g.gateway, error);
    } else if (flag == "--trap-ip") {
        return Address(flag, value, &g.trapIp, error);
    } else if (flag == "--password") {
        g.password = value;
    } else if (flag == "--store") {
        o->simulator.storeDir = value;
    } else if (flag == "--control") {
        o->controlPath = value;
    } else if (flag == "--device-type") {
        return DeviceType(value, &o->simulator.initialFaults.replyDeviceType, error);
    } else if (flag == "--agents" || flag == "--restart-seconds" || flag == "--trap-every" ||
               flag == "--loss" || flag == "--delay" || flag == "--seed") {
        return NumberOption(flag, value, o, error);
    } else {
        return Fail(error, "unknown option '" + std::string(flag) + "'");
    }
    return 0;
}

void SetDefaults(Options* o) {
    GeneratedAgents& g = o->generated;
    TextToIp("10.77.0.10", &g.first);
    TextToIp("255.255.0.0", &g.subnetMask);
    TextToIp("10.77.0.1", &g.gateway);
    TextToIp("10.77.0.1", &g.trapIp);
    g.password = "admin";
}

int ReadFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return -1;
    }
    std::ostringstream content;
    content << in.rdbuf();
    *text = content.str();
    return in.bad() ? -1 : 0;
}

}  // namespace

int ParseOptions(int argc, const char* const* argv, Options* options, std::string* error) {
    SetDefaults(options);
    for (int i = 1; i < argc; ++i) {
        std::string_view flag = argv[i];
        if (flag == "--help" || flag == "-h") {
            options->help = true;
        } else if (flag == "--version" || flag == "-v") {
            options->version = true;
        } else if (flag == "--quiet") {
            options->simulator.quiet = true;
        } else if (i + 1 >= argc) {
            return Fail(error, std::string(flag) + " needs a value");
        } else if (ValueOption(flag, argv[++i], options, error) != 0) {
            return -1;
        }
    }
    if (options->help || options->version) {
        return 0;
    }
    if (options->definePath.empty()) {
        return Fail(error, "--define is required");
    }
    if ((options->generated.count == 0) == options->agentFile.empty()) {
        return Fail(error, "give either --agents or --agent-file");
    }
    return 0;
}

int PrepareAgents(Options* options, std::vector<AgentSettings>* agents, std::string* error) {
    DefinitionValues values{};
    PosixFileSystem files;
    if (LoadDefinitionFile(files, options->definePath, &values) != 0) {
        return Fail(error, "cannot use the definition file '" + options->definePath +
                               "' (missing, unreadable or failing its checksum)");
    }
    if (values.basePort > 0xFFFF - 2) {
        return Fail(error, "the base port leaves no room for the agent port");
    }
    options->simulator.deviceTypeId = values.deviceTypeId;
    options->simulator.basePort = values.basePort;
    if (options->agentFile.empty()) {
        return GenerateAgents(options->generated, agents, error);
    }
    std::string text;
    if (ReadFile(options->agentFile, &text) != 0) {
        return Fail(error, "cannot read the agent file '" + options->agentFile + "'");
    }
    if (ParseAgentFile(text, agents, error) != 0) {
        return Fail(error, options->agentFile + ": " + *error);
    }
    return 0;
}

}  // namespace vantelo::agentsim
