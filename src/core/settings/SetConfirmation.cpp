#include "settings/SetConfirmation.h"

#include "protocol/AgentKeyOf.h"
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
    boxes_.ReportLater(OutcomeKind::SetConfirmed,
                       MessageBoxRequest{"Set Succesful", "Information", BoxIcon::Information,
                                         BoxButtons::Ok, BoxOwner::MainWindow},
                       KeyOf(reply));
}

}  // namespace vantelo
