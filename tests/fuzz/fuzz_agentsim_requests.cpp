// The simulator's request handling under arbitrary input: a sequence of management datagrams
// (addressed or broadcast), TFTP packets (on port 69 and on the transfer port), control lines and
// clock steps. Each record of the input is a kind byte, a 16-bit length and that many bytes.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ControlCommands.h"
#include "Simulator.h"

using namespace vantelo::agentsim;

namespace {

constexpr uint32_t kAgent = 0x0A4D000A;    // 10.77.0.10
constexpr uint32_t kConsole = 0x0A4D0001;  // 10.77.0.1

class CheckingNetwork : public Network {
public:
    void Send(Endpoint, Endpoint, const uint8_t*, size_t size) override {
        // No agent ever sends more than a datagram holds.
        if (size > vantelo::kMaxDatagram) {
            __builtin_trap();
        }
    }
    int OpenTransferPort(uint32_t ip, uint16_t* port) override {
        *port = next++;
        open.push_back({ip, *port});
        return 0;
    }
    void CloseTransferPort(Endpoint local) override { std::erase(open, local); }

    std::vector<Endpoint> open;
    uint16_t next = 40000;
};

// Where completed uploads land; removed when the fuzzer ends. A plain array, which no static
// destructor can take away before the removal runs.
const char* StoreDir() {
    static char dir[] = "/tmp/fuzz-agentsim-XXXXXX";
    static const bool made = [] {
        std::atexit([] { std::filesystem::remove_all(dir); });
        return mkdtemp(dir) != nullptr;
    }();
    return made ? dir : "/tmp";
}

std::vector<AgentSettings> Agents() {
    std::vector<AgentSettings> agents(3);
    for (uint32_t i = 0; i < agents.size(); ++i) {
        AgentSettings& a = agents[i];
        a.ip = kAgent + i;
        a.mac[0] = 0x02;
        a.mac[5] = static_cast<uint8_t>(i);
        a.subnetMask = 0xFFFF0000;
        a.trapIp = kConsole;
        a.password = "admin";
        a.interfaceVersion = static_cast<uint16_t>(i + 1);
        a.loaderMode = i == 2;
    }
    return agents;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SimulatorConfig config;
    config.deviceTypeId = 0x03B27F16;
    config.basePort = 5000;
    config.storeDir = StoreDir();
    config.restartSeconds = 1;
    config.trapEverySeconds = 2;
    CheckingNetwork network;
    Simulator simulator(config, Agents(), network, [](const std::string&) {});
    int64_t now = 0;
    simulator.Start(now);
    simulator.FindAgent(kAgent)->upgradeArmedUntilMs = 1 << 30;
    const Endpoint console{kConsole, 5000};
    const Endpoint tftpClient{kConsole, 64517};
    size_t at = 0;
    while (size - at >= 3) {
        uint8_t kind = data[at];
        size_t length =
            std::min(static_cast<size_t>((data[at + 1] << 8) | data[at + 2]), size - at - 3);
        // An exact-size copy, so that any read past a datagram is caught.
        std::vector<uint8_t> record(data + at + 3, data + at + 3 + length);
        at += 3 + length;
        switch (kind % 6) {
            case 0:
                simulator.OnManagementDatagram(record.data(), record.size(), kAgent, console, now);
                break;
            case 1:
                simulator.OnManagementDatagram(record.data(), record.size(), 0xFFFFFFFF, console,
                                               now);
                break;
            case 2:
                simulator.OnTftpDatagram(record.data(), record.size(), {kAgent, 69}, tftpClient,
                                         now);
                break;
            case 3:
                if (!network.open.empty()) {
                    simulator.OnTftpDatagram(record.data(), record.size(), network.open[0],
                                             tftpClient, now);
                }
                break;
            case 4:
                RunControlCommand(
                    simulator,
                    std::string_view(reinterpret_cast<const char*>(record.data()), record.size()),
                    now, [](const std::string&) {});
                break;
            default:
                now += record.empty() ? 1 : record[0] * 100;
                simulator.Tick(now);
                break;
        }
    }
    return 0;
}
