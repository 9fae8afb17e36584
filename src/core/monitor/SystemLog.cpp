#include "monitor/SystemLog.h"

#include <cstdio>

namespace vantelo {

std::string TimestampText(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", time.month, time.day,
                  time.year, time.hour, time.minute, time.second);
    return text;
}

int SystemLog::Append(std::string_view bytes) {
    if (files_.AppendToFile(path_, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) ==
        0) {
        return 0;
    }
    boxes_.Notify(MessageBoxRequest{"syslog.log not exit", "Error", BoxIcon::Error, BoxButtons::Ok,
                                    BoxOwner::None});
    return -1;
}

}  // namespace vantelo
