#pragma once

#include <cstddef>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "lists/Selection.h"
#include "protocol/DeviceRecord.h"
#include "protocol/TlvElements.h"
#include "settings/PendingSet.h"
#include "transport/Transport.h"

namespace vantelo {

// Appends the elements of a set request built from the request record: Password, ProductName,
// SystemName, Location, IpAddress, Gateway, TrapIp, SubnetMask, then NewPassword when there is
// one and Dhcp unless the agent reported none. Records the requested address in pending and
// returns the bytes appended.
size_t BuildSetTlv(PacketBuffer& packet, const DeviceRecord& request, PendingSet& pending);

struct SetRequestParts {
    Transport& transport;
    AgentLists& lists;
    Boxes& boxes;
    PendingSet& pending;
};

// Sends one set request for the target: by unicast to a monitored agent's recorded address,
// by broadcast to a discovered one (its MAC in the header names it). Returns 0, or -1 after
// showing unicastError or the broadcast's error in a box without owner.
int SendSetRequest(const SetRequestParts& parts, const DeviceRecord& request,
                   SelectionTarget target, const char* unicastError);

}  // namespace vantelo
