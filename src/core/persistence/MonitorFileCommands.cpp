#include "persistence/MonitorFileCommands.h"

#include <memory>

#include "persistence/ConfigDirectory.h"
#include "persistence/MonitorFile.h"
#include "protocol/AgentKeyOf.h"
#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr const char* kFilter = "config File (*.cfg)|*.cfg||";
constexpr const char* kConfigFileError = "Config File Error";

// A loaded record has answered and waits for its first counted poll.
void MarkLoaded(DeviceRecord& record) {
    record.rowState = kRowNotShown;
    record.answered = 1;
    record.missedPolls = 0;
}

MessageBoxRequest DuplicateWarning(const char* text) {
    return MessageBoxRequest{text, "Warning", BoxIcon::Warning, BoxButtons::Ok,
                             BoxOwner::MainWindow};
}

}  // namespace

std::string MonitorFiles::MonitorFilePath() const {
    return JoinPath(configDirectory_, kMonitorFileName);
}

// Appends one loaded record unless its address or MAC text is already listed; returns -1 when
// the monitor list is full.
int MonitorFiles::AppendLoaded(DeviceRecord record) {
    MarkLoaded(record);
    const DeviceTable& table = lists_.MonitorTable();
    int count = lists_.MonitorCount();
    if (FindInMonitorTable(table, count, TextOf(record.ipText), true).found) {
        boxes_.Report(OutcomeKind::DuplicateSkipped,
                      DuplicateWarning("Duplicate ip in monitor list"), KeyOf(record));
        return 0;
    }
    TableLookup byMac = FindInMonitorTable(table, count, TextOf(record.macText), false);
    if (byMac.found) {
        boxes_.Report(OutcomeKind::DuplicateSkipped,
                      DuplicateWarning("Duplicate device in monitor list"), KeyOf(record));
        return 0;
    }
    // A box above let datagrams in, which may have changed the count; the record goes at the end.
    return lists_.StoreMonitor(lists_.MonitorCount(), record);
}

void MonitorFiles::LoadAtStartup() {
    auto records = std::make_unique<DeviceTable>();
    int count = ReadMonitorFile(files_, MonitorFilePath(), records.get());
    if (count < 0) {
        boxes_.Report(OutcomeKind::MonitorFileBad, ErrorBox(kConfigFileError));
        return;
    }
    for (int slot = 0; slot < count; ++slot) {
        DeviceRecord record = (*records)[static_cast<size_t>(slot)];
        MarkLoaded(record);
        // An agent saved as not alive keeps its icon until it answers.
        if (record.statusImage != kNotAliveImage) {
            record.statusImage = kNoImage;
        }
        lists_.StoreMonitor(slot, record);
    }
}

// Writes the first count records to path; tells the operator when they could not be written
// whole.
void MonitorFiles::SaveTo(const std::string& path, int count) {
    if (WriteMonitorFile(files_, path, lists_.MonitorTable().data(), count) != 0) {
        boxes_.Report(OutcomeKind::MonitorSaveFailed,
                      ErrorBox("Monitor list save fail", "file error"));
    }
}

void MonitorFiles::Save() {
    SaveTo(MonitorFilePath(), lists_.MonitorCount());
}

void MonitorFiles::SaveAs() {
    int count = lists_.MonitorCount();
    std::string path;
    if (!ui_.AskFileName(FileDialogRequest{true, kFilter, "*.cfg", "Default.cfg"}, &path)) {
        return;
    }
    SaveTo(path, count);
}

void MonitorFiles::Load() {
    std::string path;
    if (!ui_.AskFileName(FileDialogRequest{false, kFilter, "monitor.cfg", "*.cfg"}, &path)) {
        return;
    }
    auto records = std::make_unique<DeviceTable>();
    int count = ReadMonitorFile(files_, path, records.get());
    if (count < 0) {
        boxes_.Report(OutcomeKind::MonitorFileBad, ErrorBox(kConfigFileError));
        return;
    }
    for (int k = 0; k < count; ++k) {
        if (AppendLoaded((*records)[static_cast<size_t>(k)]) != 0) {
            boxes_.Report(OutcomeKind::MonitorListFull, ErrorBox(kMonitorListFull));
            return;
        }
    }
}

}  // namespace vantelo
