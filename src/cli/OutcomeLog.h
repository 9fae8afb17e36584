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

    // The exit code of what was told since outcome number from: that of the first outcome that
    // was neither done nor skipped by the rules, as what follows comes of it (an agent that
    // refused the trigger never acknowledges it); 0 when there is none.
    int CodeSince(size_t from) const;
    // CodeSince(from), or fallback when what went wrong was told by no outcome.
    int CodeSinceOr(size_t from, int fallback) const;

private:
    std::span<const Outcome> Since(size_t from) const;

    std::vector<Outcome> outcomes_;
};

}  // namespace vantelo::cli
