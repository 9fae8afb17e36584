#include "persistence/ConfigDirectory.h"

namespace vantelo {

std::string ConfigDirectoryFor(std::string_view programPath) {
    size_t slash = programPath.rfind('/');
    if (slash == std::string_view::npos) {
        return "./cfg";
    }
    return std::string(programPath.substr(0, slash)) + "/cfg";
}

std::string JoinPath(std::string_view dir, std::string_view name) {
    std::string path(dir);
    path += '/';
    path += name;
    return path;
}

}  // namespace vantelo
