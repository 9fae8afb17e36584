#pragma once

#include <string>
#include <string_view>

#include "events/Boxes.h"
#include "ports/FileSystem.h"
#include "ports/Timers.h"

namespace vantelo {

inline constexpr const char* kSystemLogName = "syslog.log";

// "MM/DD/YYYY hh:mm:ss", 19 characters.
std::string TimestampText(const LocalTime& time);

// The system log "syslog.log" in the configuration directory: lines are only ever appended.
class SystemLog {
public:
    SystemLog(FileSystem& files, Clock& clock, Boxes& boxes, std::string path)
        : files_(files), clock_(clock), boxes_(boxes), path_(std::move(path)) {}

    // Appends exactly the bytes; 0, or -1 after the "syslog.log not exit" notice.
    int Append(std::string_view bytes);
    // The timestamp text of now.
    std::string Timestamp() { return TimestampText(clock_.Now()); }

private:
    FileSystem& files_;
    Clock& clock_;
    Boxes& boxes_;
    std::string path_;
};

}  // namespace vantelo
