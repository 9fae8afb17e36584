#pragma once

namespace vantelo {

// Runs the console's modal dialogs. The engine asks for a dialog; the dialog calls back into the
// engine for its buttons and returns once closed. Each returns true when it closed with OK.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // "Remote IP": its Apply button calls Console::ApplyRemoteIp and closes when that accepts.
    virtual bool RunAddRemoteIp() = 0;
};

}  // namespace vantelo
