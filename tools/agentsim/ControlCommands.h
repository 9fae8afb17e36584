#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "Simulator.h"

namespace vantelo::agentsim {

using ControlReply = std::function<void(const std::string&)>;

enum class ControlResult { Continue, Quit };

// Runs one line of the control channel. Every command answers with one final line, "ok ..." or
// "error ..."; "list" writes one "agent ..." line per agent before its final line.
ControlResult RunControlCommand(Simulator& simulator, std::string_view line, int64_t nowMs,
                                const ControlReply& reply);

}  // namespace vantelo::agentsim
