#pragma once

#include <cstdint>
#include <span>

#include "lists/AgentLists.h"
#include "lists/ListModel.h"
#include "monitor/SystemLog.h"
#include "monitor/TrapInfo.h"
#include "monitor/TrapStore.h"
#include "ports/ConsoleActivity.h"
#include "ports/ConsoleView.h"
#include "ports/DialogRunner.h"
#include "ports/Timers.h"

namespace vantelo {

// Traps from monitored agents: the trap indicator, the sign of life, the log line and the store
// that the trap dialog shows.
class Traps {
public:
    Traps(AgentLists& lists, SystemLog& log, Clock& clock, DialogRunner& dialogs);

    // The window whose trap indicator traps and "View trap" switch.
    void ShowOn(ConsoleView& view) { view_ = &view; }
    // The watcher told of every accepted trap; the part keeps a reference.
    void TellActivity(ConsoleActivity& activity) { activity_ = &activity; }

    // A trap datagram from the receive path, whole, as long as it was received. Its agent is the
    // address after the header, not the sender; an agent not in the monitor list leaves no
    // trace. The event text runs to its zero byte or to the end of the datagram.
    void HandleTrap(std::span<const uint8_t> datagram);

    // "View trap": the indicator turns green and the dialog shows the store as it is now.
    void ViewTrap();

    const TrapStore& Store() const { return store_; }
    const TrapSortState& Sort() const { return sort_; }

private:
    AgentLists& lists_;
    SystemLog& log_;
    Clock& clock_;
    DialogRunner& dialogs_;
    ConsoleView* view_ = nullptr;
    ConsoleActivity* activity_ = &NoActivity();
    TrapStore store_;
    TrapSortState sort_;
    ListModel rows_{kTrapColumns};
};

}  // namespace vantelo
