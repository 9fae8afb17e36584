#include "settings/SetConfirmation.h"

#include "protocol/PacketHeader.h"

namespace vantelo {

void SetConfirmation::ConfirmSetReply(const DeviceRecord& reply) {
    auto code = static_cast<OpCode>(reply.lastOpCode);
    if (code != OpCode::BroadcastSetReply && code != OpCode::UnicastSetReply) {
        return;
    }
    if (!pending_.IsAnsweredBy(reply)) {
        return;
    }
    pending_.Clear();
    boxes_.Notify(MessageBoxRequest{"Set Succesful", "Information", BoxIcon::Information,
                                    BoxButtons::Ok, BoxOwner::MainWindow});
}

}  // namespace vantelo
