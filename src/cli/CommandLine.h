#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/ExporterOptions.h"
#include "ports/AgentKey.h"

namespace vantelo::cli {

enum class Command {
    Help,
    Version,
    Discover,
    Watch,
    Set,
    Password,
    Upgrade,
    MonitorList,
    MonitorAdd,
    MonitorRemove,
    MonitorImport,
    MonitorExport,
};

enum class OutputFormat { Text, Json, Csv };

// An agent named on the command line: by its MAC text or by its dotted IP address.
using AgentKey = vantelo::AgentKey;

// The settings of the set command that the operator gave; the others keep the agent's values.
struct SettingOptions {
    std::optional<std::string> ip;
    std::optional<std::string> mask;
    std::optional<std::string> gateway;
    std::optional<std::string> trapIp;
    std::optional<std::string> systemName;
    std::optional<std::string> location;
    std::optional<bool> dhcp;
};

struct CliOptions {
    Command command = Command::Help;
    std::optional<std::string> configDirectory;  // --cfg
    AgentKey agent;                // the one agent a step works on: the first target as parsed
    std::vector<AgentKey> agents;  // set, password and upgrade: every target named, in order
    bool monitored = false;        // --monitored: every agent of the monitor list
    bool stopOnFailure = false;    // --stop-on-failure
    std::string path;              // monitor import/export, upgrade --file
    std::string ipText;            // monitor add/remove
    SettingOptions settings;
    // The passwords as given with --password and --new-password, or, after ResolveSecrets, from
    // wherever they came.
    std::string password;
    std::string newPassword;
    std::optional<std::string> passwordFile;     // --password-file; "-" is standard input
    std::optional<std::string> newPasswordFile;  // --new-password-file
    bool noWait = false;                         // monitor add --no-wait
    bool quiet = false;                          // upgrade -q, --quiet: no progress
    int timeoutMs = 0;                           // 0: the command's own default
    std::optional<int> intervalSeconds;
    OutputFormat format = OutputFormat::Text;
    std::optional<ListenAddress> metrics;      // watch --metrics
    std::optional<SyslogTarget> syslog;        // watch --syslog
    std::optional<std::string> interfaceText;  // --interface as given: a name or an address
    std::string interfaceName;  // the interface it names, once resolved; empty for all
};

// Reads the arguments after the program name. Returns 0 and fills *options, or -1 with a
// one-line reason in *error. Nothing outside the arguments is looked at.
int ParseCommandLine(const std::vector<std::string>& arguments, CliOptions* options,
                     std::string* error);

// The text of --help: usage, commands, options and exit codes.
const char* HelpText();

}  // namespace vantelo::cli
