#pragma once

#include <string>
#include <string_view>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "ports/Timers.h"
#include "transport/Transport.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

// After a transfer: give the agent time to restart, then look for it with discovery broadcasts
// one second apart, each on an emptied discovery list, until it answers or the attempts run out.
class VerificationRun {
public:
    static constexpr int kRestartWaitMs = 12000;
    static constexpr int kAttemptMs = 1000;
    static constexpr int kMaxAttempts = 110;

    struct Parts {
        Transport& transport;
        AgentLists& lists;
        Boxes& boxes;
        Timers& timers;
        RediscoveryMark& rediscovery;
        const UpgradeContext& upgrade;
    };

    explicit VerificationRun(const Parts& parts) : p_(parts) {}
    VerificationRun(const VerificationRun&) = delete;
    VerificationRun& operator=(const VerificationRun&) = delete;
    ~VerificationRun() { p_.timers.Stop(timer_); }

    // Starts a run; one still going is given up for it.
    // The agent's MAC text tells which interface the discoveries go out of.
    void Start(std::string_view targetMac);
    bool IsRunning() const { return timer_ != kNoTimer; }
    int Attempts() const { return attempts_; }

private:
    void Begin();
    void Attempt();
    void AfterAttempt();
    void End();
    // The run ends without a result: the broadcasts cannot be sent.
    void Fail(const char* text);

    Parts p_;
    TimerHandle timer_ = kNoTimer;
    int attempts_ = 0;
    std::string targetMac_;
};

}  // namespace vantelo
