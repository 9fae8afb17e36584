#include "platform/files/ConfigLocation.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "persistence/ConfigDirectory.h"
#include "persistence/DefinitionFile.h"
#include "platform/files/LinkTarget.h"
#include "platform/files/PosixFileSystem.h"

namespace vantelo {
namespace {

// Larger than any definition file the console accepts; a bigger one is copied cut short and
// then refused by the console with its own message.
constexpr size_t kSeedLimit = 4096;

bool IsDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 || errno != ENOENT;
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The operator's directory, or empty when the environment names none.
std::string OperatorDirectory(const ConfigEnvironment& env) {
    if (!env.xdgConfigHome.empty() && env.xdgConfigHome.front() == '/') {
        return JoinPath(env.xdgConfigHome, "vantelo");
    }
    if (!env.home.empty() && env.home.front() == '/') {
        return JoinPath(JoinPath(env.home, ".config"), "vantelo");
    }
    return std::string();
}

// mkdir -p with mode 0700 for the directories it makes.
void MakeDirectories(const std::string& path) {
    if (path.empty() || path == "/" || IsDirectory(path)) {
        return;
    }
    MakeDirectories(DirectoryOf(path));
    ::mkdir(path.c_str(), 0700);
}

void SeedDefinition(const std::string& shareDir, const std::string& dir) {
    std::string target = JoinPath(dir, kDefinitionFileName);
    if (Exists(target)) {
        return;
    }
    PosixFileSystem files;
    std::vector<uint8_t> bytes;
    if (files.ReadFile(JoinPath(shareDir, kDefinitionFileName), kSeedLimit, &bytes) == 0) {
        files.ReplaceFile(target, bytes.data(), bytes.size());
    }
}

}  // namespace

ConfigEnvironment ProcessConfigEnvironment() {
    return ConfigEnvironment{Variable("XDG_CONFIG_HOME"), Variable("HOME")};
}

std::string RunningProgramPath(const std::string& fallback) {
    std::string path;
    if (FollowLinks("/proc/self/exe", &path) != 0) {
        return fallback;
    }
    return path;
}

std::string ShippedDefinitionPath(const std::string& programPath) {
    std::string shareDir = DirectoryOf(DirectoryOf(programPath)) + "/share/vantelo";
    if (IsDirectory(ConfigDirectoryFor(programPath)) || !IsDirectory(shareDir)) {
        return {};
    }
    return JoinPath(shareDir, kDefinitionFileName);
}

std::string ConsoleConfigDirectory(const std::string& programPath, const ConfigEnvironment& env) {
    std::string besideProgram = ConfigDirectoryFor(programPath);
    std::string shareDir = DirectoryOf(DirectoryOf(programPath)) + "/share/vantelo";
    std::string operatorDir = OperatorDirectory(env);
    if (IsDirectory(besideProgram) || !IsDirectory(shareDir) || operatorDir.empty()) {
        return besideProgram;
    }
    MakeDirectories(operatorDir);
    if (IsDirectory(operatorDir)) {
        SeedDefinition(shareDir, operatorDir);
    }
    return operatorDir;
}

}  // namespace vantelo
