#include "settings/PendingSet.h"

#include "protocol/RecordText.h"

namespace vantelo {

void PendingSet::RecordTarget(std::string_view macText) {
    CopyField(targetMac_, macText.data(), macText.size());
    waiting_ = true;
}

// Only a waiting request can be answered: once cleared, a reply that reports 0.0.0.0 or an
// empty MAC text must not count as an answer to nothing.
bool PendingSet::IsAnsweredBy(const DeviceRecord& reply) const {
    return waiting_ && (TextOf(reply.macText) == TargetMac() || reply.ip == requestedIp_);
}

void PendingSet::Clear() {
    *this = PendingSet{};
}

std::string_view PendingSet::TargetMac() const {
    return TextOf(targetMac_);
}

}  // namespace vantelo
