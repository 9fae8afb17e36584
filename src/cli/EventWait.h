#pragma once

#include <functional>

namespace vantelo::cli {

inline constexpr int kNoLimit = -1;

// Runs the event loop (datagrams, timers) until done() holds or timeoutMs have passed
// (kNoLimit: no time limit); returns done(). done is looked at every few milliseconds.
bool RunUntil(const std::function<bool()>& done, int timeoutMs);

// Runs the event loop for ms milliseconds.
void RunFor(int ms);

}  // namespace vantelo::cli
