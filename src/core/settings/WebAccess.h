#pragma once

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "ports/UserInteraction.h"

namespace vantelo {

// Where a request for an agent's web page came from: the Web access button refuses while a
// discovery row is selected, a double click in the monitor list does not look.
enum class WebAccessSource { Button, MonitorDoubleClick };

// Opens the page of the one selected monitored agent in the browser, without waiting for it.
void OpenAgentPage(const AgentLists& lists, Boxes& boxes, UserInteraction& ui,
                   WebAccessSource source);

}  // namespace vantelo
