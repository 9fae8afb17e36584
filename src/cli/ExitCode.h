#pragma once

#include "ports/Outcomes.h"

namespace vantelo::cli {

// The tool's exit codes, one a cause, as its help, manual page and README list them. When
// several things went wrong (several targets, or a start with two faults) the tool exits with
// the largest code of them.
enum ExitCode : int {
    kExitDone = 0,
    kExitRefused = 1,     // the agent answered no; its result text is on stderr
    kExitBadInput = 2,    // bad arguments, or a form or choice the rules refuse; nothing was sent
    kExitNoAnswer = 3,    // the agent did not answer in time
    kExitAgentUnfit = 4,  // the agent cannot take it: loader mode, protocol or interface version
    kExitNetwork = 5,     // the network cannot be used: ports held, no interface, a send failed
    kExitFile = 6,        // a file could not be read or written, standard output included
};

// The exit code of an outcome's cause.
int ExitCodeOf(OutcomeCause cause);

}  // namespace vantelo::cli
