#include "persistence/MonitorFileCommands.h"

#include <memory>
#include <string>

#include "lists/ListRows.h"
#include "monitor/MonitorList.h"
#include "persistence/ConfigDirectory.h"
#include "persistence/MonitorFile.h"
#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr const char* kFilter = "config File (*.cfg)|*.cfg||";
constexpr const char* kConfigFileError = "Config File Error";
constexpr const char* kSaveFailed = "Monitor list save fail";

std::string MonitorFilePath(const ConsoleState& state) {
    return JoinPath(state.ports.configDirectory, kMonitorFileName);
}

// A loaded record has answered and waits for its first counted poll.
void MarkLoaded(DeviceRecord& record) {
    record.rowState = kRowNotShown;
    record.answered = 1;
    record.missedPolls = 0;
}

// Appends one loaded record unless its address or MAC text is already listed; returns -1 when
// the monitor list is full.
int AppendLoaded(ConsoleState& state, DeviceRecord record) {
    MarkLoaded(record);
    int count = state.MonitorCount();
    if (FindInMonitorTable(state.monitorTable, count, TextOf(record.ipText), true).found) {
        ShowBox(state, "Duplicate ip in monitor list", "Warning", BoxIcon::Warning);
        return 0;
    }
    TableLookup byMac =
        FindInMonitorTable(state.monitorTable, count, TextOf(record.macText), false);
    if (byMac.found) {
        ShowBox(state, "Duplicate device in monitor list", "Warning", BoxIcon::Warning);
        return 0;
    }
    if (byMac.index >= kTableSlots) {
        return -1;
    }
    state.monitorTable[static_cast<size_t>(byMac.index)] = record;
    ShowMonitorRow(state, byMac.index);
    return 0;
}

// Writes the first count records to path; tells the operator when they could not be written
// whole.
void SaveTo(ConsoleState& state, const std::string& path, int count) {
    if (WriteMonitorFile(*state.ports.files, path, state.monitorTable.data(), count) != 0) {
        ShowBox(state, kSaveFailed, "file error");
    }
}

}  // namespace

void LoadMonitorListAtStartup(ConsoleState& state) {
    int count = ReadMonitorFile(*state.ports.files, MonitorFilePath(state), &state.monitorTable);
    if (count < 0) {
        ShowBox(state, kConfigFileError);
        return;
    }
    for (int slot = 0; slot < count; ++slot) {
        DeviceRecord& record = state.monitorTable[static_cast<size_t>(slot)];
        MarkLoaded(record);
        // An agent saved as not alive keeps its icon until it answers.
        if (record.statusImage != kNotAliveImage) {
            record.statusImage = kNoImage;
        }
        ShowMonitorRow(state, slot);
    }
}

void SaveMonitorList(ConsoleState& state) {
    SaveTo(state, MonitorFilePath(state), state.MonitorCount());
}

void SaveMonitorListAs(ConsoleState& state) {
    int count = state.MonitorCount();
    std::string path;
    if (!state.ports.ui->AskFileName(FileDialogRequest{true, kFilter, "*.cfg", "Default.cfg"},
                                     &path)) {
        return;
    }
    SaveTo(state, path, count);
}

void LoadMonitorList(ConsoleState& state) {
    std::string path;
    if (!state.ports.ui->AskFileName(FileDialogRequest{false, kFilter, "monitor.cfg", "*.cfg"},
                                     &path)) {
        return;
    }
    auto records = std::make_unique<DeviceTable>();
    int count = ReadMonitorFile(*state.ports.files, path, records.get());
    if (count < 0) {
        ShowBox(state, kConfigFileError);
        return;
    }
    for (int k = 0; k < count; ++k) {
        if (AppendLoaded(state, (*records)[static_cast<size_t>(k)]) != 0) {
            ShowBox(state, kMonitorListFull);
            return;
        }
    }
}

}  // namespace vantelo
