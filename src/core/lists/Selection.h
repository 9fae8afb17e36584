#pragma once

#include "events/Boxes.h"
#include "lists/AgentLists.h"

namespace vantelo {

// Codes of CheckSelection.
enum class SelectionCode { Several = 1, None = 2, Discovery = 3, Monitor = 4 };

// Codes of CheckVersion.
enum class VersionCode {
    Supported = 0,
    ProtocolUnsupported = 5,
    InterfaceUnsupported = 6,
    OlderInterface = 7,
};

// The agent that the settings, web access and upgrade commands act on.
struct SelectionTarget {
    int slotIndex = 0;
    bool inMonitorTable = false;
};

// Which list holds the selection.
SelectionCode CheckSelection(const AgentLists& lists);
// The version check of the first selected row of list, and the row's slot in *slotIndex (-1
// when its key text matches no slot).
VersionCode CheckVersion(const AgentLists& lists, ListId list, int* slotIndex);
// The selection and version checks that open a settings or upgrade command: fills *target and
// returns 0, or shows why there is none and returns -1.
int SelectTarget(const AgentLists& lists, Boxes& boxes, SelectionTarget* target);

}  // namespace vantelo
