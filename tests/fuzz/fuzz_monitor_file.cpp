// Arbitrary monitor list files: loaded at start-up, loaded again through "Monitor load" on top,
// then saved. Neither load may leave a table that disagrees with its list, and the save writes
// exactly the records the monitor list shows.

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

// Answers every file dialog with one file.
class FileAnswering : public QuietUserInteraction {
public:
    explicit FileAnswering(std::string path) : path_(std::move(path)) {}
    bool AskFileName(const FileDialogRequest&, std::string* path) override {
        *path = path_;
        return true;
    }

private:
    std::string path_;
};

const TempDirectory& ConfigDirectory() {
    static TempDirectory* dir = [] {
        auto* made = new TempDirectory();
        WriteBytes(made->File("define.ecf"), BuildDefinitionFile(0x03B27F16, 8000));
        std::atexit([] { delete dir; });
        return made;
    }();
    return *dir;
}

}  // namespace
}  // namespace vantelo::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantelo;
    using namespace vantelo::test;
    const TempDirectory& dir = ConfigDirectory();
    std::string loaded = dir.File("loaded.cfg");
    WriteBytes(dir.File("monitor.cfg"), std::vector<uint8_t>(data, data + size));
    WriteBytes(loaded, std::vector<uint8_t>(data, data + size));

    VirtualNetwork network;
    VirtualClock clock;
    FileAnswering ui(loaded);
    CancelledDialogs dialogs;
    UnreadableAddressTable addresses;
    PosixFileSystem files;
    ConsolePorts ports{&network, &clock, &clock, &ui, &addresses, &dialogs, &files, dir.Path()};
    Console console(ports);
    console.Initialize();
    console.OnMonitorLoad();
    if (!TableListMismatch(console).empty()) {
        __builtin_trap();
    }
    console.OnMonitorSave();
    size_t rows = static_cast<size_t>(console.MonitorList().RowCount());
    if (ReadBytes(dir.File("monitor.cfg")).size() != rows * sizeof(DeviceRecord)) {
        __builtin_trap();
    }
    return 0;
}
