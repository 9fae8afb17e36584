#include "persistence/ConfigDirectory.h"

#include <unistd.h>

#include <climits>

namespace vantelo {

std::string ConfigDirectoryFor(std::string_view programPath) {
    size_t slash = programPath.rfind('/');
    if (slash == std::string_view::npos) {
        return "./cfg";
    }
    return std::string(programPath.substr(0, slash)) + "/cfg";
}

int ConfigDirectory(std::string* out) {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path) {
        return -1;
    }
    *out = ConfigDirectoryFor(std::string_view(path, static_cast<size_t>(length)));
    return 0;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
    std::string path(dir);
    path += '/';
    path += name;
    return path;
}

}  // namespace vantelo
