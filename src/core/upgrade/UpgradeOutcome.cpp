#include "upgrade/UpgradeOutcome.h"

#include "protocol/Conversions.h"

namespace vantelo {

AgentKey UpgradeTargetKey(const UpgradeContext& upgrade) {
    char mac[UpgradeContext::kMacCapacity];
    uint32_t ip = 0;
    upgrade.GetDeviceMac(mac);
    upgrade.GetDeviceIp(&ip);
    return AgentKey{mac, IpToText(ip)};
}

}  // namespace vantelo
