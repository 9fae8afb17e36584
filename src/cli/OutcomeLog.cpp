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

int OutcomeLog::CodeSince(size_t from) const {
    for (const Outcome& outcome : Since(from)) {
        if (int code = ExitCodeOf(CauseOf(outcome.kind)); code != kExitDone) {
            return code;
        }
    }
    return kExitDone;
}

int OutcomeLog::CodeSinceOr(size_t from, int fallback) const {
    int code = CodeSince(from);
    return code != kExitDone ? code : fallback;
}

int ExitCodeOf(OutcomeCause cause) {
    switch (cause) {
        case OutcomeCause::Done:
        case OutcomeCause::Skipped:
            return kExitDone;
        case OutcomeCause::AgentRefused:
            return kExitRefused;
        case OutcomeCause::InputRefused:
            return kExitBadInput;
        case OutcomeCause::NoAnswer:
            return kExitNoAnswer;
        case OutcomeCause::AgentUnfit:
            return kExitAgentUnfit;
        case OutcomeCause::NetworkUnusable:
            return kExitNetwork;
        case OutcomeCause::FileError:
            return kExitFile;
    }
    return kExitBadInput;
}

}  // namespace vantelo::cli
