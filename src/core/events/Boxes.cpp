#include "events/Boxes.h"

#include <algorithm>

namespace vantelo {

Boxes::~Boxes() {
    timers_.Stop(scheduled_);
}

BoxAnswer Boxes::Ask(const MessageBoxRequest& request) {
    return Show(request);
}

void Boxes::Notify(const MessageBoxRequest& request) {
    if (open_ == 0 && waiting_.empty()) {
        Show(request);
        return;
    }
    bool alreadyWaiting = std::any_of(waiting_.begin(), waiting_.end(), [&](const auto& box) {
        return box.text == request.text && box.caption == request.caption;
    });
    if (!alreadyWaiting) {
        waiting_.push_back(request);
    }
    ScheduleWaiting();
}

void Boxes::Report(OutcomeKind kind, const MessageBoxRequest& box, AgentKey agent) {
    outcomes_.Tell(Outcome{kind, box.text, std::move(agent)});
    Ask(box);
}

void Boxes::ReportLater(OutcomeKind kind, const MessageBoxRequest& box, AgentKey agent) {
    outcomes_.Tell(Outcome{kind, box.text, std::move(agent)});
    Notify(box);
}

BoxAnswer Boxes::Show(const MessageBoxRequest& request) {
    ++open_;
    BoxAnswer answer = ui_.ShowMessage(request);
    --open_;
    ScheduleWaiting();
    return answer;
}

// The waiting notices are shown from a timer of their own, never from inside the handler whose
// box just closed, so that handler's remaining work is not held up by them.
void Boxes::ScheduleWaiting() {
    if (open_ > 0 || waiting_.empty() || scheduled_ != kNoTimer) {
        return;
    }
    scheduled_ = timers_.StartSingleShot(0, [this] {
        scheduled_ = kNoTimer;
        ShowNextWaiting();
    });
}

void Boxes::ShowNextWaiting() {
    if (open_ > 0 || waiting_.empty()) {
        return;
    }
    MessageBoxRequest next = std::move(waiting_.front());
    waiting_.pop_front();
    Show(next);
}

MessageBoxRequest ErrorBox(const char* text, const char* caption) {
    return MessageBoxRequest{text, caption, BoxIcon::Error, BoxButtons::Ok, BoxOwner::MainWindow};
}

}  // namespace vantelo
