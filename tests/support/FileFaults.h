#pragma once

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vantelo::test {

// Turns a hang on a FIFO into a failure: unless destroyed first, after `patience` it opens the
// FIFO at path from both ends again and again, so that an open() or read() waiting for the
// other end returns, and Fired() tells the test that something waited.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::string path,
                          std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~FifoWatchdog();
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    bool Fired() const { return fired_; }

private:
    void Watch();

    std::string path_;
    std::chrono::milliseconds patience_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool stopping_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

// While it lives, this process writes no file past `bytes`: a longer write stops short and the
// next one fails with EFBIG, as on a full disk. SIGXFSZ is ignored meanwhile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    struct sigaction savedAction_ {};
};

// The user and group that RunUnprivileged takes on when it runs as root.
inline constexpr unsigned kUnprivilegedId = 65534;

// Runs fn where permission bits hold: as root in a child process with user and group 65534 and
// no supplementary groups, otherwise right here. Returns fn's result, which must lie in
// -1..100; 101 means the child could not drop its privileges.
int RunUnprivileged(const std::function<int()>& fn);

}  // namespace vantelo::test
