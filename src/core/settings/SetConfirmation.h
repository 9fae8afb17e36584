#pragma once

#include "protocol/DeviceRecord.h"

namespace vantelo {

// The configuration or password request waiting for its answer. The last step of storing a
// reply comes here, to tell the operator when it answers the pending request.
class SetConfirmation {
public:
    void ConfirmSetReply(const DeviceRecord& reply) { static_cast<void>(reply); }
};

}  // namespace vantelo
