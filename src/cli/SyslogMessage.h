#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "ports/ConsoleActivity.h"

namespace vantelo::cli {

// Who sends the messages: the machine's name and the watcher's process id.
struct SyslogOrigin {
    std::string hostname;
    long processId = 0;
};

// The log line as one RFC 5424 message: facility daemon, a severity and a MSGID per kind of
// line, APP-NAME "vantelo", the agent's MAC and IP text as structured data, and as MSG the line
// as the log has it after its timestamp. Control characters of the text become blanks, so one
// message is one line; texts are made valid UTF-8.
std::string SyslogMessage(const LogEvent& event, std::chrono::system_clock::time_point when,
                          const SyslogOrigin& origin);

}  // namespace vantelo::cli
