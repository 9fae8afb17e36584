#pragma once

namespace vantelo::cli {

// The tool's exit codes, as its help and the README list them.
enum ExitCode : int {
    kExitDone = 0,
    kExitRefused = 1,   // the agent refused, did not answer, or the network could not be used
    kExitBadInput = 2,  // bad arguments or files; nothing was sent
};

}  // namespace vantelo::cli
