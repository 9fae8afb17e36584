#include "upgrade/UpgradeOutcome.h"

#include "protocol/Conversions.h"

namespace vantelo {

AgentKey UpgradeTargetKey(const UpgradeContext& upgrade) {
    const UpgradeContext::MacField mac = upgrade.DeviceMac();
    return AgentKey{mac.data(), IpToText(upgrade.DeviceIp())};
}

}  // namespace vantelo
