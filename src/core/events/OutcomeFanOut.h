#pragma once

#include <vector>

#include "ports/Outcomes.h"

namespace vantelo {

// Tells every subscribed listener each outcome, in the order they subscribed.
class OutcomeFanOut {
public:
    // The listener outlives its subscription.
    void Subscribe(OutcomeListener* listener);
    void Unsubscribe(OutcomeListener* listener);
    void Tell(const Outcome& outcome) const;

private:
    std::vector<OutcomeListener*> listeners_;
};

}  // namespace vantelo
