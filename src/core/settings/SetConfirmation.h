#pragma once

#include "events/Boxes.h"
#include "protocol/DeviceRecord.h"
#include "settings/PendingSet.h"

namespace vantelo {

// The last step of storing a reply: a set reply that answers the pending request tells the
// operator that the agent took the settings, once.
class SetConfirmation {
public:
    SetConfirmation(PendingSet& pending, Boxes& boxes) : pending_(pending), boxes_(boxes) {}

    void ConfirmSetReply(const DeviceRecord& reply);

private:
    PendingSet& pending_;
    Boxes& boxes_;
};

}  // namespace vantelo
