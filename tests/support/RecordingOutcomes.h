#pragma once

#include <vector>

#include "ports/Outcomes.h"

namespace vantelo::test {

// Every outcome the engine told, in order.
class RecordingOutcomes : public OutcomeListener {
public:
    void Told(const Outcome& outcome) override { told.push_back(outcome); }

    std::vector<Outcome> told;
};

}  // namespace vantelo::test
