#pragma once

#include "ports/Outcomes.h"
#include "protocol/DeviceRecord.h"

namespace vantelo {

// The key texts of the agent a record describes.
AgentKey KeyOf(const DeviceRecord& record);

}  // namespace vantelo
