#pragma once

#include <string>
#include <string_view>

namespace vantelo {

// The directory of the console's files: the program's directory followed by "/cfg", without a
// trailing separator. A path without a directory part gives "./cfg".
std::string ConfigDirectoryFor(std::string_view programPath);

// dir + "/" + name.
std::string JoinPath(std::string_view dir, std::string_view name);

}  // namespace vantelo
