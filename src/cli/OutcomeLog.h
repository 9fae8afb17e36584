#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "ports/Outcomes.h"

namespace vantelo::cli {

// The outcomes the engine told, in order, so that a command can tell how what it started ended.
// Outcomes are counted from a mark: the count before the command's step.
class OutcomeLog final : public OutcomeListener {
public:
    void Told(const Outcome& outcome) override { outcomes_.push_back(outcome); }

    size_t Count() const { return outcomes_.size(); }
    // True when an outcome of one of kinds was told since outcome number from.
    bool ToldSince(size_t from, std::initializer_list<OutcomeKind> kinds) const;
    // True when an outcome of kind about the agent with this IP text was told since from.
    bool ToldAboutSince(size_t from, OutcomeKind kind, std::string_view ipText) const;

    // The exit code of the console's start: 2 after a file error, 1 after anything else.
    int StartCode(size_t from) const;
    // The exit code of a monitor list command's step: 2 after anything that was not done or
    // skipped by the rules.
    int MonitorCode(size_t from) const;

private:
    std::span<const Outcome> Since(size_t from) const;

    std::vector<Outcome> outcomes_;
};

}  // namespace vantelo::cli
