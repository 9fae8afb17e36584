#pragma once

namespace vantelo {

// Polling and liveness of the monitored agents: the polling interval chosen in the Refresh time
// menu. The polling round and the liveness tick join here.
class Polling {
public:
    static constexpr int kDefaultIntervalSeconds = 15;

    // Start-up, after both sockets exist: the polling round, then the 5 s liveness tick.
    void Start() { intervalSeconds_ = kDefaultIntervalSeconds; }

    int IntervalSeconds() const { return intervalSeconds_; }
    // A Refresh time command: the interval applies when the next wait begins.
    void SetIntervalSeconds(int seconds) { intervalSeconds_ = seconds; }

private:
    int intervalSeconds_ = kDefaultIntervalSeconds;
};

}  // namespace vantelo
