#pragma once

#include <functional>
#include <optional>
#include <string>

#include "cli/CommandLine.h"

namespace vantelo::cli {

// Where passwords come from besides the command line.
struct SecretSources {
    // The environment variable's value, or nothing when it is not set.
    std::function<std::optional<std::string>(const char* name)> environment;
    // The first line of the file at path ("-": standard input) without its line end; returns 0,
    // or -1 when the file cannot be read.
    std::function<int(const std::string& path, std::string* line)> firstLine;
};

// The process's own environment, files and standard input.
SecretSources ProcessSecretSources();

// Fills options->password (and newPassword for the password command) from, in this order, the
// file named by --password-file, --password, or VANTELO_PASSWORD (VANTELO_NEW_PASSWORD). Returns
// 0, or the exit code of what is wrong (2: no password or an empty one; 6: the file cannot be
// read) with a one-line reason in *error.
int ResolveSecrets(CliOptions* options, const SecretSources& sources, std::string* error);

}  // namespace vantelo::cli
