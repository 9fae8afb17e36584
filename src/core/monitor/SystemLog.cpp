#include "monitor/SystemLog.h"

#include "persistence/ConfigDirectory.h"

namespace vantelo {

namespace {

MessageBoxRequest LogMissingBox() {
    return MessageBoxRequest{"syslog.log not exit", "Error", BoxIcon::Error, BoxButtons::Ok,
                             BoxOwner::None};
}

}  // namespace

SystemLog::SystemLog(FileSystem& files, Boxes& boxes, UserInteraction& ui,
                     std::string_view configDirectory)
    : files_(files), boxes_(boxes), ui_(ui), path_(JoinPath(configDirectory, kLogFileName)) {}

int SystemLog::AppendLine(std::initializer_list<std::string_view> pieces) {
    // The boxes wait until every piece was written: a box's event loop may run a tick that
    // writes a line of its own, which must not land inside this one.
    int failures = 0;
    for (std::string_view piece : pieces) {
        if (files_.AppendFile(path_, reinterpret_cast<const uint8_t*>(piece.data()),
                              piece.size()) != 0) {
            ++failures;
        }
    }
    for (int i = 0; i < failures; ++i) {
        boxes_.Notify(LogMissingBox());
    }
    return failures == 0 ? 0 : -1;
}

int SystemLog::AppendEvent(const LogEvent& event, std::initializer_list<std::string_view> pieces) {
    // Told first: a box about the file runs an event loop in which later lines are written.
    activity_->LogLineWritten(event);
    return AppendLine(pieces);
}

void SystemLog::View() {
    ui_.OpenTextFile(path_);
}

void SystemLog::Clear() {
    files_.EmptyFile(path_);
}

}  // namespace vantelo
