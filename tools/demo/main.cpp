// vantelo-demo-monitor: writes a monitor list file with agents of a simulator agent file, each
// record what the console stores from that agent's answer to a discovery: the simulator builds
// the answer, the console's own decoder reads it.
//   vantelo-demo-monitor --define FILE --agent-file FILE -o FILE [IP...]
// Without addresses every agent of the file is written.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "AgentDatagrams.h"
#include "AgentSetup.h"
#include "persistence/DefinitionFile.h"
#include "persistence/MonitorFile.h"
#include "platform/files/PosixFileSystem.h"
#include "protocol/Conversions.h"

namespace {

using vantelo::DeviceRecord;
using vantelo::agentsim::AgentSettings;

constexpr const char* kUsage =
    "usage: vantelo-demo-monitor --define FILE --agent-file FILE -o FILE [IP...]";

int Fail(const std::string& message) {
    std::fprintf(stderr, "vantelo-demo-monitor: %s\n", message.c_str());
    return 2;
}

struct Arguments {
    std::string define;
    std::string agentFile;
    std::string output;
    std::vector<std::string> addresses;
};

int ParseArguments(int argc, char** argv, Arguments* args) {
    for (int i = 1; i < argc; ++i) {
        std::string_view flag = argv[i];
        std::string* target = nullptr;
        if (flag == "--define") {
            target = &args->define;
        } else if (flag == "--agent-file") {
            target = &args->agentFile;
        } else if (flag == "-o") {
            target = &args->output;
        } else if (!flag.starts_with("-")) {
            args->addresses.emplace_back(flag);
            continue;
        } else {
            return Fail("unknown argument '" + std::string(flag) + "'; " + kUsage);
        }
        if (i + 1 >= argc) {
            return Fail(std::string(flag) + " needs a value; " + kUsage);
        }
        *target = argv[++i];
    }
    if (args->define.empty() || args->agentFile.empty() || args->output.empty()) {
        return Fail(std::string("missing argument; ") + kUsage);
    }
    return 0;
}

int ReadAgents(const std::string& path, std::vector<AgentSettings>* agents) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Fail("cannot read " + path);
    }
    std::stringstream text;
    text << file.rdbuf();
    std::string error;
    if (vantelo::agentsim::ParseAgentFile(text.str(), agents, &error) != 0 ||
        vantelo::agentsim::CheckAgents(*agents, &error) != 0) {
        return Fail(path + ": " + error);
    }
    return 0;
}

// The agents named by address, in the order given; all of them when none is named.
int ChooseAgents(const std::vector<AgentSettings>& agents,
                 const std::vector<std::string>& addresses, std::vector<AgentSettings>* chosen) {
    if (addresses.empty()) {
        *chosen = agents;
        return 0;
    }
    for (const std::string& text : addresses) {
        uint32_t ip = 0;
        if (vantelo::TextToIp(text, &ip) != 0) {
            return Fail("'" + text + "' is not an address");
        }
        auto agent = std::find_if(agents.begin(), agents.end(),
                                  [ip](const AgentSettings& a) { return a.ip == ip; });
        if (agent == agents.end()) {
            return Fail("no agent at " + text);
        }
        chosen->push_back(*agent);
    }
    return 0;
}

// Only the answers the console decodes become whole records: the agent runs its own firmware
// and speaks the console's protocol version.
bool Decodable(const AgentSettings& agent) {
    return !agent.loaderMode && agent.protocolVersion == vantelo::kProtocolVersion;
}

// The agent's discovery answer through the console's decoder, marked as a shown, answering row.
DeviceRecord RecordOf(const AgentSettings& agent, uint32_t deviceTypeId) {
    vantelo::PacketBuffer answer{};
    vantelo::agentsim::StartAgentDatagram(
        agent, static_cast<uint16_t>(vantelo::OpCode::DiscoveryReply), 0, 0, deviceTypeId, &answer);
    vantelo::agentsim::AppendSettings(agent, &answer);
    vantelo::PacketHeader header{};
    vantelo::DecodeHeader(std::span(answer.bytes).first(answer.length), &header);

    DeviceRecord record{};
    record.dhcp = vantelo::kDhcpNotReported;
    vantelo::MacToText(header.mac, record.macText);
    record.deviceTypeId = header.deviceTypeId;
    record.protocolVersion = header.protocolVersion;
    record.interfaceVersion = header.interfaceVersion;
    record.direction = header.direction;
    record.lastOpCode = header.opCode;
    vantelo::SetAddressField(agent.ip, &record.ip, record.ipText);
    vantelo::DecodeElements(std::span(answer.bytes).first(answer.length), &record);
    record.rowState = vantelo::kRowShown;
    record.statusImage = vantelo::kNoImage;
    record.answered = 1;
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (int status = ParseArguments(argc, argv, &args); status != 0) {
        return status;
    }
    vantelo::PosixFileSystem files;
    vantelo::DefinitionValues definition{};
    if (vantelo::LoadDefinitionFile(files, args.define, &definition) != 0) {
        return Fail("cannot read the definition file " + args.define);
    }
    std::vector<AgentSettings> agents;
    std::vector<AgentSettings> chosen;
    if (int status = ReadAgents(args.agentFile, &agents); status != 0) {
        return status;
    }
    if (int status = ChooseAgents(agents, args.addresses, &chosen); status != 0) {
        return status;
    }
    if (chosen.size() > static_cast<size_t>(vantelo::kTableSlots)) {
        return Fail("a monitor list holds at most 256 agents");
    }
    std::vector<DeviceRecord> records;
    for (const AgentSettings& agent : chosen) {
        if (!Decodable(agent)) {
            return Fail("the console keeps no settings of " + vantelo::IpToText(agent.ip) +
                        " (loader mode or another protocol version)");
        }
        records.push_back(RecordOf(agent, definition.deviceTypeId));
    }
    if (vantelo::WriteMonitorFile(files, args.output, records.data(),
                                  static_cast<int>(records.size())) != 0) {
        std::fprintf(stderr, "vantelo-demo-monitor: cannot write %s\n", args.output.c_str());
        return 1;
    }
    return 0;
}
