#pragma once

#include <string>

namespace vantelo::test {

// A flood of traps at the console's broadcast port, named for the agents of its monitor list,
// while the console runs: the longest gap between its 5 s liveness passes, its event loop's worst
// latency, what it kept and whether every log line is whole. Reports; asserts no timing.
int BenchTrapFlood(int traps, int perSecond, const std::string& config);

}  // namespace vantelo::test
