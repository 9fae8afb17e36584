#pragma once

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "transport/Transport.h"

namespace vantelo {

// Empties the discovery list and table and broadcasts one discovery request out of each
// interface of via; the answers come in through the receive path.
void RunDiscovery(Transport& transport, AgentLists& lists, Boxes& boxes,
                  const std::vector<NetworkInterface>& via);

}  // namespace vantelo
