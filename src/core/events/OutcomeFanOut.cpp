#include "events/OutcomeFanOut.h"

#include <algorithm>

namespace vantelo {

void OutcomeFanOut::Subscribe(OutcomeListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void OutcomeFanOut::Unsubscribe(OutcomeListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void OutcomeFanOut::Tell(const Outcome& outcome) const {
    for (OutcomeListener* listener : listeners_) {
        listener->Told(outcome);
    }
}

}  // namespace vantelo
