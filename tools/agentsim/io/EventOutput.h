#pragma once

#include <string>

namespace vantelo::agentsim {

// The event lines for standard output, gathered during one round of the event loop and written
// together. Control characters become '?', so that every event stays one line.
class EventOutput {
public:
    void Emit(const std::string& line);
    void Flush();

private:
    std::string pending_;
};

}  // namespace vantelo::agentsim
