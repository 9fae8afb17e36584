// vantelo-cli: the console's engine for scripts and shells.

#include <QCoreApplication>
#include <QNetworkProxyFactory>
#include <algorithm>
#include <cstdio>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/ConfigLocation.h"
#include "cli/ExitCode.h"
#include "cli/InterfaceOption.h"
#include "cli/Secrets.h"
#include "cli/Targets.h"
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
            return RunTargets(options, directory, RunSet);
        case Command::Password:
            return RunTargets(options, directory, RunPassword);
        case Command::Upgrade:
            return RunTargets(options, directory, RunUpgrade);
        default:
            return RunMonitor(options, directory);
    }
}

// Standard output is buffered: what could not be written shows only when it is flushed, so the
// exit code is decided after that.
int Finish(int code) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("vantelo-cli: cannot write standard output\n", stderr);
        return std::max(code, int{kExitFile});
    }
    return code;
}

int RunArguments(int argc, char** argv) {
    // The arguments are read before anything else is made, so a bad one sends nothing.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (ParseCommandLine(arguments, &options, &error) != 0) {
        std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
        return kExitBadInput;
    }
    if (int code = ResolveSecrets(&options, ProcessSecretSources(), &error); code != kExitDone) {
        std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
        return code;
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

}  // namespace

int main(int argc, char** argv) {
    return Finish(RunArguments(argc, argv));
}
