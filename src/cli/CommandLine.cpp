#include "cli/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include "protocol/Conversions.h"

namespace vantelo::cli {

namespace {

constexpr int kMostTimeoutMs = 600000;
constexpr size_t kMacDigits = 12;

const std::map<std::string, Command> kCommands = {
    {"discover", Command::Discover}, {"watch", Command::Watch},     {"set", Command::Set},
    {"password", Command::Password}, {"upgrade", Command::Upgrade},
};

const std::map<std::string, Command> kMonitorCommands = {
    {"list", Command::MonitorList},     {"add", Command::MonitorAdd},
    {"remove", Command::MonitorRemove}, {"import", Command::MonitorImport},
    {"export", Command::MonitorExport},
};

const char* CommandName(Command command) {
    switch (command) {
        case Command::Discover:
            return "discover";
        case Command::Watch:
            return "watch";
        case Command::Set:
            return "set";
        case Command::Password:
            return "password";
        case Command::Upgrade:
            return "upgrade";
        case Command::MonitorList:
            return "monitor list";
        case Command::MonitorAdd:
            return "monitor add";
        case Command::MonitorRemove:
            return "monitor remove";
        case Command::MonitorImport:
            return "monitor import";
        case Command::MonitorExport:
            return "monitor export";
        default:
            return "vantelo-cli";
    }
}

// Takes one option's value into the options; returns 0, or -1 with the reason.
using ValueReader = std::function<int(const std::string& value, CliOptions*, std::string*)>;

struct OptionSpec {
    std::set<Command> commands;
    ValueReader read;  // empty for a flag
    std::function<void(CliOptions*)> flag;
};

bool IsAddress(const std::string& text) {
    uint32_t address = 0;
    return TextToIp(text, &address) == 0;
}

ValueReader Address(std::optional<std::string> SettingOptions::*field, const char* name) {
    return [field, name](const std::string& value, CliOptions* options, std::string* error) {
        if (!IsAddress(value)) {
            *error = std::string(name) + " takes a dotted IPv4 address, not '" + value + "'";
            return -1;
        }
        options->settings.*field = value;
        return 0;
    };
}

ValueReader Text(std::optional<std::string> SettingOptions::*field) {
    return [field](const std::string& value, CliOptions* options, std::string*) {
        options->settings.*field = value;
        return 0;
    };
}

ValueReader Path(std::optional<std::string> CliOptions::*field, const char* name) {
    return [field, name](const std::string& value, CliOptions* options, std::string* error) {
        if (value.empty()) {
            *error = std::string(name) + " needs a file name, or - for standard input";
            return -1;
        }
        options->*field = value;
        return 0;
    };
}

ValueReader Plain(std::string CliOptions::*field) {
    return [field](const std::string& value, CliOptions* options, std::string*) {
        options->*field = value;
        return 0;
    };
}

// A whole decimal number from low to high.
bool ReadNumber(const std::string& text, int low, int high, int* number) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    int value = std::stoi(text);
    if (value < low || value > high) {
        return false;
    }
    *number = value;
    return true;
}

int ReadTimeout(const std::string& value, CliOptions* options, std::string* error) {
    if (!ReadNumber(value, 1, kMostTimeoutMs, &options->timeoutMs)) {
        *error = "--timeout takes milliseconds from 1 to 600000, not '" + value + "'";
        return -1;
    }
    return 0;
}

// The Refresh time menu's intervals.
int ReadInterval(const std::string& value, CliOptions* options, std::string* error) {
    int seconds = 0;
    const std::set<int> allowed = {15, 30, 60, 120, 300};
    if (!ReadNumber(value, 1, 300, &seconds) || allowed.count(seconds) == 0) {
        *error = "--interval takes 15, 30, 60, 120 or 300 seconds, not '" + value + "'";
        return -1;
    }
    options->intervalSeconds = seconds;
    return 0;
}

int ReadMetrics(const std::string& value, CliOptions* options, std::string* error) {
    ListenAddress address;
    if (ReadListenAddress(value, &address, error) != 0) {
        return -1;
    }
    options->metrics = address;
    return 0;
}

int ReadSyslog(const std::string& value, CliOptions* options, std::string* error) {
    SyslogTarget target;
    if (ReadSyslogTarget(value, &target, error) != 0) {
        return -1;
    }
    options->syslog = target;
    return 0;
}

int ReadDhcp(const std::string& value, CliOptions* options, std::string* error) {
    if (value != "on" && value != "off") {
        *error = "--dhcp takes on or off, not '" + value + "'";
        return -1;
    }
    options->settings.dhcp = value == "on";
    return 0;
}

// The options that have a one-letter name besides.
const std::map<std::string, std::string> kShortOptions = {{"-q", "--quiet"}};

// Options of which a command line may give one only.
const std::pair<const char*, const char*> kExclusive[] = {
    {"--json", "--csv"},
    {"--password", "--password-file"},
    {"--new-password", "--new-password-file"},
};

const std::set<Command> kAgentCommands = {Command::Set, Command::Password, Command::Upgrade};

const std::map<std::string, OptionSpec>& Options() {
    static const std::map<std::string, OptionSpec> options = {
        {"--timeout",
         {{Command::Discover, Command::Set, Command::Password, Command::Upgrade,
           Command::MonitorAdd},
          ReadTimeout,
          {}}},
        {"--json",
         {{Command::Discover, Command::Watch, Command::MonitorList, Command::Set, Command::Password,
           Command::Upgrade},
          {},
          [](CliOptions* o) { o->format = OutputFormat::Json; }}},
        {"--csv",
         {{Command::MonitorList}, {}, [](CliOptions* o) { o->format = OutputFormat::Csv; }}},
        {"--interval", {{Command::Watch}, ReadInterval, {}}},
        {"--metrics", {{Command::Watch}, ReadMetrics, {}}},
        {"--syslog", {{Command::Watch}, ReadSyslog, {}}},
        {"--ip", {{Command::Set}, Address(&SettingOptions::ip, "--ip"), {}}},
        {"--mask", {{Command::Set}, Address(&SettingOptions::mask, "--mask"), {}}},
        {"--gateway", {{Command::Set}, Address(&SettingOptions::gateway, "--gateway"), {}}},
        {"--trap-ip", {{Command::Set}, Address(&SettingOptions::trapIp, "--trap-ip"), {}}},
        {"--system-name", {{Command::Set}, Text(&SettingOptions::systemName), {}}},
        {"--location", {{Command::Set}, Text(&SettingOptions::location), {}}},
        {"--dhcp", {{Command::Set}, ReadDhcp, {}}},
        {"--password", {kAgentCommands, Plain(&CliOptions::password), {}}},
        {"--new-password", {{Command::Password}, Plain(&CliOptions::newPassword), {}}},
        {"--password-file",
         {kAgentCommands, Path(&CliOptions::passwordFile, "--password-file"), {}}},
        {"--new-password-file",
         {{Command::Password}, Path(&CliOptions::newPasswordFile, "--new-password-file"), {}}},
        {"--no-wait", {{Command::MonitorAdd}, {}, [](CliOptions* o) { o->noWait = true; }}},
        {"--quiet", {{Command::Upgrade}, {}, [](CliOptions* o) { o->quiet = true; }}},
        {"--monitored", {kAgentCommands, {}, [](CliOptions* o) { o->monitored = true; }}},
        {"--stop-on-failure", {kAgentCommands, {}, [](CliOptions* o) { o->stopOnFailure = true; }}},
        {"--file", {{Command::Upgrade}, Plain(&CliOptions::path), {}}},
    };
    return options;
}

// A MAC text in 12 hexadecimal digits, pairs optionally separated by ':' or '-'.
bool ReadMac(const std::string& text, std::string* macText) {
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (std::isxdigit(static_cast<unsigned char>(c))) {
            digits.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        } else if ((c != ':' && c != '-') || i % 3 != 2) {
            return false;
        }
    }
    bool separated = text.size() == kMacDigits + 5;
    if (digits.size() != kMacDigits || (text.size() != kMacDigits && !separated)) {
        return false;
    }
    *macText = digits;
    return true;
}

int ReadAgent(const std::string& text, CliOptions* options, std::string* error) {
    AgentKey key;
    if (IsAddress(text) || ReadMac(text, &key.macText)) {
        key.ipText = key.macText.empty() ? text : "";
        options->agents.push_back(key);
        options->agent = options->agents.front();
        return 0;
    }
    *error = "not a MAC address or an IPv4 address: '" + text + "'";
    return -1;
}

// The positional argument of the command: the agent, the address or the file.
int ReadOperand(const std::string& text, CliOptions* options, std::string* error) {
    switch (options->command) {
        case Command::Set:
        case Command::Password:
        case Command::Upgrade:
            return ReadAgent(text, options, error);
        case Command::MonitorAdd:
        case Command::MonitorRemove:
            if (!IsAddress(text)) {
                *error = "not an IPv4 address: '" + text + "'";
                return -1;
            }
            options->ipText = text;
            return 0;
        default:
            options->path = text;
            return 0;
    }
}

bool TakesOperand(Command command) {
    return kAgentCommands.count(command) != 0 || command == Command::MonitorAdd ||
           command == Command::MonitorRemove || command == Command::MonitorImport ||
           command == Command::MonitorExport;
}

const char* OperandName(Command command) {
    if (kAgentCommands.count(command) != 0) {
        return "the agent's MAC or IP address";
    }
    return command == Command::MonitorImport || command == Command::MonitorExport ? "a file name"
                                                                                  : "an IP address";
}

// What every command needs once all arguments are read.
int CheckRequired(const CliOptions& options, bool operandSeen, std::string* error) {
    std::string name = CommandName(options.command);
    if (options.monitored && operandSeen) {
        *error = "--monitored and named agents exclude each other";
        return -1;
    }
    if (options.settings.ip && (options.monitored || options.agents.size() > 1)) {
        *error = "--ip fits one agent only: name a single target";
        return -1;
    }
    if (TakesOperand(options.command) && !operandSeen && !options.monitored) {
        *error = name + " needs " + OperandName(options.command);
        return -1;
    }
    if (options.passwordFile == std::string("-") && options.newPasswordFile == std::string("-")) {
        *error = "--password-file and --new-password-file cannot both read standard input";
        return -1;
    }
    if (options.command == Command::Upgrade && options.path.empty()) {
        *error = "upgrade needs --file";
        return -1;
    }
    return 0;
}

// Reads the command word (and the monitor subcommand) at arguments[*next].
int ReadCommand(const std::vector<std::string>& arguments, size_t* next, CliOptions* options,
                std::string* error) {
    const std::string& word = arguments[*next];
    ++*next;
    if (word == "monitor") {
        if (*next >= arguments.size()) {
            *error = "monitor needs list, add, remove, import or export";
            return -1;
        }
        auto sub = kMonitorCommands.find(arguments[*next]);
        if (sub == kMonitorCommands.end()) {
            *error = "unknown monitor command '" + arguments[*next] +
                     "': use list, add, remove, import or export";
            return -1;
        }
        ++*next;
        options->command = sub->second;
        return 0;
    }
    auto command = kCommands.find(word);
    if (command == kCommands.end()) {
        *error = "unknown command '" + word + "'; see vantelo-cli --help";
        return -1;
    }
    options->command = command->second;
    return 0;
}

}  // namespace

int ParseCommandLine(const std::vector<std::string>& arguments, CliOptions* options,
                     std::string* error) {
    CliOptions parsed;
    bool commandSeen = false;
    bool operandSeen = false;
    std::set<std::string> given;
    for (size_t next = 0; next < arguments.size();) {
        std::string argument = arguments[next];
        auto shortName = kShortOptions.find(argument);
        if (shortName != kShortOptions.end()) {
            argument = shortName->second;
        }
        if (argument == "--help" || argument == "-h" || argument == "--version" ||
            argument == "-v") {
            const bool version = argument == "--version" || argument == "-v";
            options->command = version ? Command::Version : Command::Help;
            return 0;
        }
        if (argument.rfind("--", 0) != 0 || argument == "--") {
            if (!commandSeen) {
                if (ReadCommand(arguments, &next, &parsed, error) != 0) {
                    return -1;
                }
                commandSeen = true;
                continue;
            }
            bool several = kAgentCommands.count(parsed.command) != 0;
            if (!TakesOperand(parsed.command) || (operandSeen && !several)) {
                *error = "unexpected argument '" + argument + "'";
                return -1;
            }
            if (ReadOperand(argument, &parsed, error) != 0) {
                return -1;
            }
            operandSeen = true;
            ++next;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (size_t equals = argument.find('='); equals != std::string::npos) {
            inlineValue = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        ++next;
        if (!given.insert(argument).second) {
            *error = argument + " is given twice";
            return -1;
        }
        // The options of every command, before or after it.
        if (argument == "--cfg" || argument == "--interface") {
            const bool cfg = argument == "--cfg";
            const std::string value = inlineValue               ? *inlineValue
                                      : next < arguments.size() ? arguments[next++]
                                                                : "";
            if (value.empty()) {
                *error = cfg ? "--cfg needs a directory" : "--interface needs a name or an address";
                return -1;
            }
            (cfg ? parsed.configDirectory : parsed.interfaceText) = value;
            continue;
        }
        auto option = Options().find(argument);
        if (option == Options().end()) {
            *error = "unknown option " + argument;
            return -1;
        }
        if (!commandSeen || option->second.commands.count(parsed.command) == 0) {
            *error = argument + " is not an option of " + CommandName(parsed.command);
            return -1;
        }
        if (!option->second.read) {
            if (inlineValue) {
                *error = argument + " takes no value";
                return -1;
            }
            option->second.flag(&parsed);
            continue;
        }
        if (!inlineValue && next >= arguments.size()) {
            *error = argument + " needs a value";
            return -1;
        }
        if (option->second.read(inlineValue ? *inlineValue : arguments[next++], &parsed, error) !=
            0) {
            return -1;
        }
    }
    if (!commandSeen) {
        *error = "no command given; see vantelo-cli --help";
        return -1;
    }
    for (const auto& [one, other] : kExclusive) {
        if (given.count(one) != 0 && given.count(other) != 0) {
            *error = std::string(one) + " and " + other + " exclude each other";
            return -1;
        }
    }
    if (CheckRequired(parsed, operandSeen, error) != 0) {
        return -1;
    }
    *options = parsed;
    return 0;
}

}  // namespace vantelo::cli
