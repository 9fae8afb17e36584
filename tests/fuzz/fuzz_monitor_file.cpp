// Arbitrary monitor list files: loaded at start-up, loaded again through "Monitor load" on top,
// then saved. Neither load may leave a table that disagrees with its list, and the save writes
// exactly the records the monitor list shows. The files live in memory: on disk, the fsync of
// every save makes the runs per second more than ten times fewer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console/Console.h"
#include "persistence/DefinitionWriter.h"
#include "support/MemoryFileSystem.h"
#include "support/QuietPorts.h"
#include "support/TableInvariants.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {
namespace {

constexpr const char* kConfigDirectory = "cfg";
constexpr const char* kLoaded = "loaded.cfg";

// Answers every file dialog with one file.
class FileAnswering : public QuietUserInteraction {
public:
    bool AskFileName(const FileDialogRequest&, std::string* path) override {
        *path = kLoaded;
        return true;
    }
};

}  // namespace
}  // namespace vantelo::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantelo;
    using namespace vantelo::test;
    static const std::vector<uint8_t> kDefinition = BuildDefinitionFile(0x03B27F16, 8000);
    MemoryFileSystem files;
    files.files["cfg/define.ecf"] = kDefinition;
    files.files["cfg/monitor.cfg"].assign(data, data + size);
    files.files[kLoaded].assign(data, data + size);

    VirtualNetwork network;
    VirtualClock clock;
    FileAnswering ui;
    CancelledDialogs dialogs;
    QuietView view;
    UnreadableAddressTable addresses;
    ConsolePorts ports{&network,   &clock,   &clock, &ui,
                       &addresses, &dialogs, &files, kConfigDirectory};
    Console console(ports);
    console.Initialize(view);
    console.OnMonitorLoad();
    if (!TableListMismatch(console).empty()) {
        __builtin_trap();
    }
    console.OnMonitorSave();
    size_t rows = static_cast<size_t>(console.MonitorList().RowCount());
    if (files.files["cfg/monitor.cfg"].size() != rows * sizeof(DeviceRecord)) {
        __builtin_trap();
    }
    return 0;
}
