#pragma once

#include <string>

namespace vantelo {

// What the process's environment says about the operator's configuration directory.
struct ConfigEnvironment {
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME, empty when unset
    std::string home;           // $HOME, empty when unset
};

ConfigEnvironment ProcessConfigEnvironment();

// The running program's own path, links resolved, whatever it was started as; the program's
// name alone when the system does not tell it.
std::string RunningProgramPath(const std::string& fallback);

// The directory of the console's files (define.ecf, monitor.cfg, syslog.log) for the program at
// programPath (an absolute path, links resolved), shared by every program that reads or writes
// them:
// 1. "cfg" beside the program when it is a directory: a build tree or a copy unpacked anywhere
//    keeps its files with the program.
// 2. Otherwise, for an installed program (a "share/vantelo" beside its "bin" directory), the
//    operator's own directory: $XDG_CONFIG_HOME/vantelo when that variable is an absolute path,
//    else $HOME/.config/vantelo. It is made (mode 0700) when missing, and a missing define.ecf
//    is copied from share/vantelo; nothing the operator has there is ever replaced. A directory
//    that cannot be made is still returned: the console then reports the missing definition
//    file as it does for any other.
// 3. Otherwise "cfg" beside the program, as in 1.
std::string ConsoleConfigDirectory(const std::string& programPath, const ConfigEnvironment& env);

// The definition file that case 2 above copies for an installed program, or an empty text for a
// program that keeps its files beside it.
std::string ShippedDefinitionPath(const std::string& programPath);

}  // namespace vantelo
