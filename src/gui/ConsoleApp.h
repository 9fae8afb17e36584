#pragma once

#include <string>

namespace vantelo {

// The application: runs the main dialog and ends when it closes.
class CVanteloApp {
public:
    explicit CVanteloApp(std::string configDirectory);

    // Builds the platform's ports and the engine, runs the main dialog modally and returns
    // false, so that the application ends with the dialog.
    bool InitInstance();

private:
    std::string configDirectory_;
};

}  // namespace vantelo
