#pragma once

#include <cstdint>
#include <string>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "ports/DialogRunner.h"

namespace vantelo {

// The operator's changes to the monitor list: agents moved from the discovery list, entries
// added by address in the Remote IP dialog, and deletions.
class MonitorListEditor {
public:
    MonitorListEditor(AgentLists& lists, Boxes& boxes, DialogRunner& dialogs)
        : lists_(lists), boxes_(boxes), dialogs_(dialogs) {}

    // "Add to monitor list": moves the selected discovery agents to the end of the monitor list.
    void AddToMonitorList();
    // A double click in the discovery list: moves the one selected agent.
    void MoveDoubleClicked();
    // "Add item": runs the Remote IP dialog for a new entry at the end of the monitor list.
    void AddItem();
    // "Delete item": removes the selected monitor rows and their slots after a confirmation.
    void DeleteItem();

private:
    enum class MoveResult { Moved, Gone, Duplicate, MonitorFull };

    MoveResult MoveToMonitor(const std::string& macText);
    int CountSharingIp(uint32_t ip) const;
    int ApplyRemoteIp(const DialogFields& fields, DeviceRecord* added);

    AgentLists& lists_;
    Boxes& boxes_;
    DialogRunner& dialogs_;
};

}  // namespace vantelo
