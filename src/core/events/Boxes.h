#pragma once

#include <deque>

#include "events/OutcomeFanOut.h"
#include "ports/Outcomes.h"
#include "ports/Timers.h"
#include "ports/UserInteraction.h"

namespace vantelo {

// The console's message boxes. A box runs a nested event loop in which datagrams and ticks are
// handled; if their boxes nested in turn, a stream of bad datagrams would nest boxes until the
// stack overflows. So the boxes of the receive path and of timers (notices) never nest: while any
// box is open a notice waits, an identical waiting notice (same text and caption) is not queued
// twice, and the waiting notices are shown one at a time from the event loop once no box is open.
// The operator's own commands ask at once and get their answer.
//
// A box that ends an operation someone waits on is reported: its outcome is told to the
// listeners first, at once, even when the box itself has to wait.
class Boxes {
public:
    Boxes(UserInteraction& ui, Timers& timers) : ui_(ui), timers_(timers) {}
    ~Boxes();
    Boxes(const Boxes&) = delete;
    Boxes& operator=(const Boxes&) = delete;

    // A box of an operator command: shown now, its answer returned.
    BoxAnswer Ask(const MessageBoxRequest& request);
    // A box of the receive path or a timer: shown now when no box is open, else it waits.
    void Notify(const MessageBoxRequest& request);

    // Tells the outcome of kind with the box's text, then asks the box.
    void Report(OutcomeKind kind, const MessageBoxRequest& box, AgentKey agent = {});
    // Tells the outcome of kind with the box's text, then shows the box as a notice.
    void ReportLater(OutcomeKind kind, const MessageBoxRequest& box, AgentKey agent = {});
    // An outcome that no box shows: the upgrade dialog's state field says it, or nothing does.
    void Tell(const Outcome& outcome) { outcomes_.Tell(outcome); }
    OutcomeFanOut& Outcomes() { return outcomes_; }

    int OpenBoxes() const { return open_; }
    int WaitingNotices() const { return static_cast<int>(waiting_.size()); }

private:
    BoxAnswer Show(const MessageBoxRequest& request);
    void ScheduleWaiting();
    void ShowNextWaiting();

    UserInteraction& ui_;
    Timers& timers_;
    int open_ = 0;
    std::deque<MessageBoxRequest> waiting_;
    TimerHandle scheduled_ = kNoTimer;
    OutcomeFanOut outcomes_;
};

// The error box of the main window, the console's most common box.
MessageBoxRequest ErrorBox(const char* text, const char* caption = "Error");

}  // namespace vantelo
