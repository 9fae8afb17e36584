// Arbitrary datagrams through the console's receive path, one after another, into an engine on
// in-memory ports whose monitor list was loaded at start-up. The input is a sequence of
// records: a flags byte, a 16-bit big-endian length, then that many datagram bytes (fewer when
// the input ends). Flags bit 0 picks the socket, bits 1 to 3 the sender's address, bit 4 selects
// a row before the datagram arrives. At the end each table must still match its list.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/Console.h"
#include "persistence/DefinitionWriter.h"
#include "platform/files/PosixFileSystem.h"
#include "support/QuietPorts.h"
#include "support/TableInvariants.h"
#include "support/TestFiles.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kDeviceTypeId = 0x03B27F16;
constexpr uint16_t kBasePort = 8000;

// Senders: the monitored agents, the hand-added entry, strangers and odd addresses.
constexpr uint32_t kSenders[8] = {0x0A4D0002, 0x0A4D0003, 0x0A4D0032, 0x0A4D0004,
                                  0x0A4D0005, 0x0A4D0909, 0x00000000, 0xFFFFFFFF};

// One configuration directory for the whole run: the receive path never writes files.
const std::string& ConfigDirectory() {
    static TempDirectory* dir = [] {
        auto* made = new TempDirectory();
        WriteBytes(made->File("define.ecf"), BuildDefinitionFile(kDeviceTypeId, kBasePort));
        DeviceRecord notAlive = StoredRecord(NumberedAgent(2), kDeviceTypeId);
        notAlive.statusImage = kNotAliveImage;
        WriteBytes(made->File("monitor.cfg"),
                   RecordBytes({StoredRecord(NumberedAgent(1), kDeviceTypeId), notAlive,
                                HandAddedRecord(kSenders[2]),
                                StoredRecord(NumberedAgent(7), kDeviceTypeId)}));
        std::atexit([] { delete dir; });
        return made;
    }();
    return dir->Path();
}

void SelectRow(Console& console, uint8_t flags, size_t length) {
    ListId id = (flags & 0x20) != 0 ? ListId::Monitor : ListId::Discovery;
    int rows = console.Lists().List(id).RowCount();
    if (rows > 0) {
        console.OnSelect(id, static_cast<int>(length % static_cast<size_t>(rows)), true);
    }
}

}  // namespace
}  // namespace vantelo::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantelo;
    using namespace vantelo::test;
    VirtualNetwork network;
    VirtualClock clock;
    QuietUserInteraction ui;
    CancelledDialogs dialogs;
    QuietView view;
    UnreadableAddressTable addresses;
    PosixFileSystem files;
    ConsolePorts ports{&network,   &clock,   &clock, &ui,
                       &addresses, &dialogs, &files, ConfigDirectory()};
    Console console(ports);
    console.Initialize(view);

    size_t at = 0;
    while (at + 3 <= size) {
        uint8_t flags = data[at];
        size_t length = (size_t{data[at + 1]} << 8) | data[at + 2];
        at += 3;
        length = length < size - at ? length : size - at;
        if ((flags & 0x10) != 0) {
            SelectRow(console, flags, length);
        }
        uint16_t port = (flags & 1) != 0 ? kBasePort : kBasePort + 1;
        Endpoint from{kSenders[(flags >> 1) & 7], kBasePort + 2};
        network.Queue(port, from, std::vector<uint8_t>(data + at, data + at + length));
        network.Deliver();
        at += length;
    }
    if (!TableListMismatch(console).empty()) {
        __builtin_trap();
    }
    return 0;
}
