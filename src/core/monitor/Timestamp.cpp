#include "monitor/Timestamp.h"

#include <cstdio>

namespace vantelo {

std::string TimestampText(const LocalTime& time) {
    char text[64];
    int length = std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", time.month,
                               time.day, time.year, time.hour, time.minute, time.second);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace vantelo
