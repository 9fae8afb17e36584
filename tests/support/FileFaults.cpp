#include "support/FileFaults.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantelo::test {

namespace {

constexpr int kCannotDrop = 101;

}  // namespace

FifoWatchdog::FifoWatchdog(std::string path, std::chrono::milliseconds patience)
    : path_(std::move(path)), patience_(patience), thread_([this] { Watch(); }) {}

FifoWatchdog::~FifoWatchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    done_.notify_all();
    thread_.join();
}

void FifoWatchdog::Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    auto wait = patience_;
    while (!done_.wait_for(lock, wait, [this] { return stopping_; })) {
        fired_ = true;
        // Each end opens without waiting only while the other end is open, as it is for one
        // who waits.
        for (int flags : {O_WRONLY, O_RDONLY}) {
            int fd = ::open(path_.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                ::close(fd);
            }
        }
        wait = std::chrono::milliseconds(100);
    }
}

FileSizeLimit::FileSizeLimit(size_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit tight = saved_;
    tight.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &tight);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &savedAction_);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::sigaction(SIGXFSZ, &savedAction_, nullptr);
}

int RunUnprivileged(const std::function<int()>& fn) {
    if (::geteuid() != 0) {
        return fn();
    }
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 ||
            ::setuid(kUnprivilegedId) != 0) {
            ::_exit(kCannotDrop);
        }
        ::_exit(static_cast<unsigned char>(fn()));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return kCannotDrop;
    }
    return static_cast<signed char>(WEXITSTATUS(status));
}

}  // namespace vantelo::test
