#pragma once

#include <string>

namespace vantelo {

// The path of the file that opening path reaches: symbolic links in its last component are
// followed, a relative link from the link's own directory. The file at the end need not exist,
// as a link may name a file yet to be made. Returns 0 and fills *target, or -1 for a loop of
// links or a path that cannot be looked at.
int FollowLinks(const std::string& path, std::string* target);

// The directory part of path without its last separator: "." when there is none, "/" for a
// file in the root.
std::string DirectoryOf(const std::string& path);

// The last component of path.
std::string NameOf(const std::string& path);

}  // namespace vantelo
