// vantelo-cli: the console's engine for scripts and shells.

#include <QCoreApplication>
#include <QNetworkProxyFactory>
#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConfigLocation.h"
#include "cli/ExitCode.h"
#include "cli/InterfaceOption.h"
#include "platform/QtNetworkInterfaces.h"

using namespace vantelo::cli;

namespace {

int Run(const CliOptions& options) {
    std::string directory = options.configDirectory.value_or(DefaultConfigDirectory());
    switch (options.command) {
        case Command::Discover:
            return RunDiscover(options, directory);
        case Command::Watch:
            return RunWatch(options, directory);
        case Command::Set:
            return RunSet(options, directory);
        case Command::Password:
            return RunPassword(options, directory);
        case Command::Upgrade:
            return RunUpgrade(options, directory);
        default:
            return RunMonitor(options, directory);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The arguments are read before anything else is made, so a bad one sends nothing.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (ParseCommandLine(arguments, &options, &error) != 0) {
        std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
        return kExitBadInput;
    }
    if (options.command == Command::Help) {
        std::fputs(HelpText(), stdout);
        return kExitDone;
    }
    if (options.command == Command::Version) {
        std::printf("vantelo-cli %s\n", VANTELO_VERSION);
        return kExitDone;
    }
    QCoreApplication application(argc, argv);
    // The system proxy lookup is of no use for UDP on the local network and starts a thread.
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    if (options.interfaceText &&
        ResolveInterface(*options.interfaceText, vantelo::QtNetworkInterfaces().Usable(),
                         &options.interfaceName, &error) != 0) {
        std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
        return kExitBadInput;
    }
    return Run(options);
}
