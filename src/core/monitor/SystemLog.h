#pragma once

#include <string>
#include <string_view>

#include "events/Boxes.h"
#include "ports/ConsoleActivity.h"
#include "ports/FileSystem.h"
#include "ports/UserInteraction.h"

namespace vantelo {

// The system log "syslog.log" in the configuration directory: lines of not-alive agents and of
// traps, each ending in CR LF. The console only appends to it and empties it on command.
class SystemLog {
public:
    SystemLog(FileSystem& files, Boxes& boxes, UserInteraction& ui,
              std::string_view configDirectory);

    const std::string& Path() const { return path_; }

    // Appends the pieces of one line, each exactly as given, one after the other with nothing
    // between them. Every piece that cannot be written shows "syslog.log not exit" once the
    // whole line was tried; boxes never nest. Returns 0, or -1 when any piece was lost.
    int AppendLine(std::initializer_list<std::string_view> pieces);
    // The same for a line of an agent's event, which the watcher is told of too.
    int AppendEvent(const LogEvent& event, std::initializer_list<std::string_view> pieces);

    // The watcher told of every event line; the log keeps a reference.
    void TellActivity(ConsoleActivity& activity) { activity_ = &activity; }

    // View log: the desktop's text editor on the log; the console does not wait.
    void View();
    // Clear log: the log is deleted and made again empty, without asking.
    void Clear();

private:
    FileSystem& files_;
    Boxes& boxes_;
    UserInteraction& ui_;
    std::string path_;
    ConsoleActivity* activity_ = &NoActivity();
};

inline constexpr const char* kLogFileName = "syslog.log";

}  // namespace vantelo
