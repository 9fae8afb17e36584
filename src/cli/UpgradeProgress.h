#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

namespace vantelo::cli {

// Shows an upgrade by its phases on standard error: the trigger, the transfer (a bar redrawn in
// place on a terminal, else one plain line at every tenth of the file, each with the rate and
// the time left) and the verification's attempts; and the upgrade state texts other than the
// byte counts. Quiet: no progress at all, only the state texts.
class UpgradeProgress {
public:
    UpgradeProgress(FILE* out, bool quiet);

    void Triggered();
    void Progress(int value, int maximum);
    // The verification's attempt number attempt of most; 0 while it waits for the restart.
    void Verifying(int attempt, int most);
    void State(const std::string& text);
    // Ends the bar's line, if one is drawn.
    void Finish();

private:
    // " at 85 KiB/s, 3 s left" once a rate can be told; empty before.
    std::string RateText(int value, int maximum) const;
    void DrawBar(int value, int maximum, long long percent);
    void PrintLine(int value, int maximum, long long percent);

    FILE* out_;
    bool terminal_;
    bool quiet_;
    bool barShown_ = false;
    long long lastPercent_ = -1;  // the last percent shown
    int lastAttempt_ = -1;
    std::optional<std::chrono::steady_clock::time_point> transferStart_;
};

}  // namespace vantelo::cli
