#pragma once

#include <QSettings>
#include <string>

namespace vantelo {

// The console's own settings between runs: vantelo.conf (INI) in the configuration directory.
// The monitor list files are not among them.
class ConsoleSettings {
public:
    static constexpr const char* kFileName = "vantelo.conf";

    explicit ConsoleSettings(const std::string& configDirectory);

    // The interface broadcasts to every agent go out of, by name; empty for all of them.
    std::string NetworkInterface() const;
    void SetNetworkInterface(const std::string& name);

private:
    QSettings file_;
};

}  // namespace vantelo
