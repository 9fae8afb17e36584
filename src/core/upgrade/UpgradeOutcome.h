#pragma once

#include "ports/Outcomes.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

// The upgrade target as the outcomes name it: its MAC text and its address.
AgentKey UpgradeTargetKey(const UpgradeContext& upgrade);

}  // namespace vantelo
