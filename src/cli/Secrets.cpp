#include "cli/Secrets.h"

#include <cstdio>
#include <cstdlib>

#include "cli/ExitCode.h"

namespace vantelo::cli {

namespace {

// One password of a command and the three places it may come from.
struct Secret {
    std::string CliOptions::*value;
    std::optional<std::string> CliOptions::*file;
    const char* option;
    const char* fileOption;
    const char* variable;
};

constexpr Secret kPassword = {&CliOptions::password, &CliOptions::passwordFile, "--password",
                              "--password-file", "VANTELO_PASSWORD"};
constexpr Secret kNewPassword = {&CliOptions::newPassword, &CliOptions::newPasswordFile,
                                 "--new-password", "--new-password-file", "VANTELO_NEW_PASSWORD"};

int Resolve(const Secret& secret, const char* command, CliOptions* options,
            const SecretSources& sources, std::string* error) {
    std::string& value = options->*secret.value;
    const std::optional<std::string>& file = options->*secret.file;
    if (file) {
        if (sources.firstLine(*file, &value) != 0) {
            *error = std::string("cannot read ") + secret.fileOption + " " +
                     (*file == "-" ? std::string("from standard input") : *file);
            return kExitFile;
        }
        if (value.empty()) {
            *error =
                std::string("the first line of ") + secret.fileOption + " " + *file + " is empty";
            return kExitBadInput;
        }
        return kExitDone;
    }
    if (value.empty()) {
        value = sources.environment(secret.variable).value_or("");
    }
    if (value.empty()) {
        *error = std::string(command) + " needs " + secret.fileOption + " FILE, " +
                 secret.variable + " or " + secret.option;
        return kExitBadInput;
    }
    return kExitDone;
}

// Reads up to the first line end; a last line without one counts.
int ReadFirstLine(std::FILE* file, std::string* line) {
    line->clear();
    for (int c = std::fgetc(file); c != EOF && c != '\n'; c = std::fgetc(file)) {
        line->push_back(static_cast<char>(c));
    }
    if (std::ferror(file) != 0) {
        return -1;
    }
    if (!line->empty() && line->back() == '\r') {
        line->pop_back();
    }
    return 0;
}

}  // namespace

SecretSources ProcessSecretSources() {
    SecretSources sources;
    sources.environment = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    };
    sources.firstLine = [](const std::string& path, std::string* line) {
        if (path == "-") {
            return ReadFirstLine(stdin, line);
        }
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            return -1;
        }
        int result = ReadFirstLine(file, line);
        std::fclose(file);
        return result;
    };
    return sources;
}

int ResolveSecrets(CliOptions* options, const SecretSources& sources, std::string* error) {
    switch (options->command) {
        case Command::Password:
            if (int code = Resolve(kPassword, "password", options, sources, error)) {
                return code;
            }
            return Resolve(kNewPassword, "password", options, sources, error);
        case Command::Set:
            return Resolve(kPassword, "set", options, sources, error);
        case Command::Upgrade:
            return Resolve(kPassword, "upgrade", options, sources, error);
        default:
            return kExitDone;
    }
}

}  // namespace vantelo::cli
