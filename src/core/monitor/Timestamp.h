#pragma once

#include <string>

#include "ports/Timers.h"

namespace vantelo {

// The arrival time of a log line or a trap, month first: "03/15/2003 14:02:07".
std::string TimestampText(const LocalTime& time);

}  // namespace vantelo
