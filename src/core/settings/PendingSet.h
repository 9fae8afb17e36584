#pragma once

#include <cstdint>
#include <string_view>

#include "protocol/DeviceRecord.h"

namespace vantelo {

// The last configuration or password request, remembered until a set reply answers it or the
// next request replaces it. It never times out.
class PendingSet {
public:
    static constexpr int kMacCapacity = 16;

    // Every send records the target's MAC text; a text longer than 15 characters is cut.
    void RecordTarget(std::string_view macText);
    // The address the request asks the agent to take.
    void RecordRequestedIp(uint32_t ip) { requestedIp_ = ip; }
    // True when a request waits and the reply carries its MAC text or its requested address.
    bool IsAnsweredBy(const DeviceRecord& reply) const;
    void Clear();

    bool Waiting() const { return waiting_; }
    std::string_view TargetMac() const;
    uint32_t RequestedIp() const { return requestedIp_; }

private:
    char targetMac_[kMacCapacity] = {};
    uint32_t requestedIp_ = 0;
    bool waiting_ = false;
};

}  // namespace vantelo
