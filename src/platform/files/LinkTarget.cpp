#include "platform/files/LinkTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace vantelo {

namespace {

// As many links as the kernel follows in one path before it reports a loop.
constexpr int kMaxLinks = 40;
constexpr size_t kMaxLinkText = 64 * 1024;

int ReadLink(const std::string& path, std::string* text) {
    for (size_t size = 256; size <= kMaxLinkText; size *= 2) {
        std::vector<char> buffer(size);
        ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            return -1;
        }
        // A text that fills the buffer may have been cut.
        if (static_cast<size_t>(length) < buffer.size()) {
            text->assign(buffer.data(), static_cast<size_t>(length));
            return 0;
        }
    }
    errno = ENAMETOOLONG;
    return -1;
}

}  // namespace

int FollowLinks(const std::string& path, std::string* target) {
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat status {};
        bool missing = ::lstat(current.c_str(), &status) != 0;
        if (missing && errno != ENOENT) {
            return -1;
        }
        if (missing || !S_ISLNK(status.st_mode)) {
            *target = current;
            return 0;
        }
        std::string link;
        if (ReadLink(current, &link) != 0 || link.empty()) {
            return -1;
        }
        current = link.front() == '/' ? link : DirectoryOf(current) + "/" + link;
    }
    errno = ELOOP;
    return -1;
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace vantelo
