#include "cli/OutcomeLog.h"

#include <algorithm>

#include "cli/ExitCode.h"

namespace vantelo::cli {

std::span<const Outcome> OutcomeLog::Since(size_t from) const {
    return std::span<const Outcome>(outcomes_).subspan(std::min(from, outcomes_.size()));
}

bool OutcomeLog::ToldSince(size_t from, std::initializer_list<OutcomeKind> kinds) const {
    std::span<const Outcome> told = Since(from);
    return std::any_of(told.begin(), told.end(), [&](const Outcome& outcome) {
        return std::find(kinds.begin(), kinds.end(), outcome.kind) != kinds.end();
    });
}

bool OutcomeLog::ToldAboutSince(size_t from, OutcomeKind kind, std::string_view ipText) const {
    std::span<const Outcome> told = Since(from);
    return std::any_of(told.begin(), told.end(), [&](const Outcome& outcome) {
        return outcome.kind == kind && outcome.agent.ipText == ipText;
    });
}

int OutcomeLog::StartCode(size_t from) const {
    int code = kExitDone;
    for (const Outcome& outcome : Since(from)) {
        code = std::max(code, CauseOf(outcome.kind) == OutcomeCause::FileError ? int{kExitBadInput}
                                                                               : int{kExitRefused});
    }
    return code;
}

int OutcomeLog::MonitorCode(size_t from) const {
    std::span<const Outcome> told = Since(from);
    bool refused = std::any_of(told.begin(), told.end(), [](const Outcome& outcome) {
        OutcomeCause cause = CauseOf(outcome.kind);
        return cause != OutcomeCause::Done && cause != OutcomeCause::Skipped;
    });
    return refused ? kExitBadInput : kExitDone;
}

}  // namespace vantelo::cli
