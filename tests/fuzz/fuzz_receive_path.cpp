// Arbitrary datagrams through the console's receive path, one after another, into a busy engine
// on in-memory ports: a full monitor list of 256 agents loaded at start-up (one not alive, one
// added by hand), a discovery list answered by 32 agents, a configuration set waiting for its
// reply, and a firmware transfer in flight, its dialog open while the datagrams arrive. The
// input is a sequence of records: a flags byte, a 16-bit big-endian length, then that many
// datagram bytes (fewer when the input ends). Flags bit 0 picks the socket, bits 1 to 3 the
// sender's address, bit 4 selects a row before the datagram arrives (bit 5 picks the list),
// bit 6 sends the datagram to the transfer's port instead, and bit 7 lets a second pass first,
// so that polls, liveness and resends interleave. At the end each table must still match its
// list.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console/Console.h"
#include "persistence/DefinitionWriter.h"
#include "support/AgentDatagrams.h"
#include "support/MemoryFileSystem.h"
#include "support/QuietPorts.h"
#include "support/TableInvariants.h"
#include "support/TestFiles.h"
#include "support/TftpAgent.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"
#include "upgrade/FirmwareUpgrade.h"
#include "upgrade/TftpPackets.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kDeviceTypeId = 0x03B27F16;
constexpr uint16_t kBasePort = 8000;
constexpr int kMonitored = 256;
constexpr int kHandAddedAgent = 49;  // its slot holds the hand-added 10.77.0.50
constexpr int kFirstDiscovered = 300;
constexpr int kDiscovered = 32;
constexpr int kUpgradedAgent = 7;

// Senders: monitored agents (1, the not-alive 2, the hand-added entry, the upgraded 7), two
// agents of the discovery list, a stranger and odd addresses.
constexpr uint32_t kSenders[8] = {0x0A4D0002, 0x0A4D0003, 0x0A4D0032, 0x0A4D0008,
                                  0x0A4D012D, 0x0A4D0909, 0x00000000, 0xFFFFFFFF};

std::vector<DeviceRecord> FullMonitorList() {
    std::vector<DeviceRecord> records;
    for (int n = 1; n <= kMonitored; ++n) {
        records.push_back(n == kHandAddedAgent ? HandAddedRecord(kSenders[2])
                                               : StoredRecord(NumberedAgent(n), kDeviceTypeId));
    }
    records[1].statusImage = kNotAliveImage;
    return records;
}

const char* const kConfigDirectory = "/cfg";
const char* const kImage = "/firmware/image.hex";

// The files every run starts from, in memory: a disk's log would grow from run to run.
void WriteStartFiles(MemoryFileSystem& files) {
    static const std::vector<uint8_t> kDefinition = BuildDefinitionFile(kDeviceTypeId, kBasePort);
    static const std::vector<uint8_t> kMonitorFile = RecordBytes(FullMonitorList());
    files.files[std::string(kConfigDirectory) + "/define.ecf"] = kDefinition;
    files.files[std::string(kConfigDirectory) + "/monitor.cfg"] = kMonitorFile;
    files.files[kImage] = std::vector<uint8_t>(5000, 0x5A);
}

class LocalSubnet : public AddressTable {
public:
    int Read(std::vector<InterfaceAddress>* addresses) override {
        *addresses = {{VirtualNetwork::kConsoleAddress, 0xFFFF0000}};
        return 0;
    }
};

// The operator's dialogs: the configuration dialog is set as it opened with a new system name;
// the upgrade dialog starts a transfer, and then `whileOpen` runs inside it until the engine
// closes it or the input ends.
class BusyDialogs : public DialogRunner, public OpenDialog {
public:
    BusyDialogs(VirtualNetwork& network, VirtualClock& clock) : network_(network), clock_(clock) {}

    bool Run(const DialogRequest& request) override {
        if (request.id == DialogId::Configuration) {
            DialogFields fields = request.initial;
            fields[ControlId::ConfigSystemName] = "renamed";
            fields[ControlId::ConfigPassword] = "pw";
            return request.buttons.at(ControlId::ConfigSet)(fields) == 0;
        }
        if (request.id != DialogId::FirmwareUpgrade) {
            return false;
        }
        closed = false;
        request.attach(this);
        DialogFields fields = request.initial;
        fields[ControlId::UpgradePassword] = "secret";
        fields[ControlId::UpgradeFirmwarePath] = kImage;
        request.buttons.at(ControlId::UpgradeStart)(fields);
        network_.Deliver();
        clock_.Advance(FirmwareUpgrade::kTriggerWaitMs);
        network_.Deliver();
        whileOpen();
        request.attach(nullptr);
        return false;
    }

    void SetText(ControlId, const std::string&) override {}
    void SetProgress(ControlId, int, int) override {}
    void SetEnabled(ControlId, bool) override {}
    void Close(bool) override { closed = true; }

    std::function<void()> whileOpen;
    bool closed = false;

private:
    VirtualNetwork& network_;
    VirtualClock& clock_;
};

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

void SelectRow(Console& console, uint8_t flags, size_t length) {
    ListId id = (flags & 0x20) != 0 ? ListId::Monitor : ListId::Discovery;
    int rows = console.Lists().List(id).RowCount();
    if (rows > 0) {
        console.OnSelect(id, static_cast<int>(length % static_cast<size_t>(rows)), true);
    }
}

// Delivers the input's datagrams until it ends or *stopAt turns true.
void DeliverInput(Console& console, VirtualNetwork& network, VirtualClock& clock, Input& in,
                  const bool* stopAt) {
    while (in.at + 3 <= in.size && (stopAt == nullptr || !*stopAt)) {
        uint8_t flags = in.data[in.at];
        size_t length = (size_t{in.data[in.at + 1]} << 8) | in.data[in.at + 2];
        in.at += 3;
        length = length < in.size - in.at ? length : in.size - in.at;
        if ((flags & 0x10) != 0) {
            SelectRow(console, flags, length);
        }
        if ((flags & 0x80) != 0) {
            clock.Advance(1000);
        }
        uint16_t port = (flags & 0x40) != 0 ? kTftpClientPort
                        : (flags & 1) != 0  ? kBasePort
                                            : kBasePort + 1;
        Endpoint from{kSenders[(flags >> 1) & 7], kBasePort + 2};
        network.Queue(port, from, std::vector<uint8_t>(in.data + in.at, in.data + in.at + length));
        network.Deliver();
        network.ClearSent();
        in.at += length;
    }
}

// The discovery list fills from agents that are not monitored.
void Discover(Console& console, VirtualNetwork& network) {
    console.OnDiscovery();
    for (int n = kFirstDiscovered; n < kFirstDiscovered + kDiscovered; ++n) {
        AgentSettings agent = NumberedAgent(n);
        network.Queue(kBasePort, Endpoint{agent.ip, kBasePort + 2},
                      SettingsReply(agent, OpCode::DiscoveryReply, kDeviceTypeId));
    }
    network.Deliver();
}

}  // namespace
}  // namespace vantelo::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantelo;
    using namespace vantelo::test;
    VirtualNetwork network;
    VirtualClock clock;
    QuietUserInteraction ui;
    BusyDialogs dialogs(network, clock);
    QuietView view;
    LocalSubnet addresses;
    MemoryFileSystem files;
    WriteStartFiles(files);
    const AgentSettings upgraded = NumberedAgent(kUpgradedAgent);
    TriggerAnswer trigger(upgraded, kDeviceTypeId);
    TftpAgent tftp(upgraded.ip);
    tftp.silentFromBlock = 4;
    network.AddAgent(&trigger);
    network.AddAgent(&tftp);
    ConsolePorts ports{&network,   &clock,   &clock, &ui,
                       &addresses, &dialogs, &files, kConfigDirectory};
    Console console(ports);
    console.Initialize(view);
    Discover(console, network);

    console.OnSelect(ListId::Monitor, 0, true);
    console.OnConfigurationSetting();
    console.OnSelect(ListId::Monitor, 0, false);

    Input in{data, size};
    // The engine is as busy as promised, or the target tests less than it says.
    if (console.MonitorList().RowCount() != kMonitored ||
        console.DiscoveryList().RowCount() != kDiscovered ||
        !console.PendingSetRequest().Waiting()) {
        __builtin_trap();
    }
    dialogs.whileOpen = [&] {
        if (console.Upgrading().Transfer().CurrentBlock() == 0) {
            __builtin_trap();
        }
        DeliverInput(console, network, clock, in, &dialogs.closed);
    };
    console.OnSelect(ListId::Monitor, kUpgradedAgent - 1, true);
    console.OnFirmwareUpgrade();
    DeliverInput(console, network, clock, in, nullptr);
    if (!TableListMismatch(console).empty()) {
        __builtin_trap();
    }
    return 0;
}
