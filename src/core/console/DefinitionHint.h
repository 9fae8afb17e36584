#pragma once

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "ports/Timers.h"

namespace vantelo {

// An installed console starts with the shipped definition file, which holds the simulator's
// example values. Real switches of another device type or base port never answer it, and the
// window alone does not say why; so once a run, when a discovery made with those values found
// nothing and the monitor list is empty, the operator is told how to write the switches' own.
// A console whose definition file holds any other values never shows it.
class DefinitionHint {
public:
    // How long replies to a discovery are awaited before it counts as unanswered.
    static constexpr int kAnswerWaitMs = 3000;

    DefinitionHint(Timers& timers, Boxes& boxes, const AgentLists& lists)
        : timers_(timers), boxes_(boxes), lists_(lists) {}
    ~DefinitionHint();
    DefinitionHint(const DefinitionHint&) = delete;
    DefinitionHint& operator=(const DefinitionHint&) = delete;

    // The definition file in use holds the shipped values.
    void Arm() { armed_ = true; }
    // A discovery broadcast went out.
    void DiscoverySent();

private:
    void Check();

    Timers& timers_;
    Boxes& boxes_;
    const AgentLists& lists_;
    bool armed_ = false;
    TimerHandle wait_ = kNoTimer;
};

}  // namespace vantelo
