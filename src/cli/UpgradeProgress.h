#pragma once

#include <cstdio>
#include <string>

namespace vantelo::cli {

// Shows a transfer on standard error: a bar redrawn in place on a terminal, else one plain line
// at every tenth of the file; and the upgrade state texts other than the byte counts.
class UpgradeProgress {
public:
    explicit UpgradeProgress(FILE* out);

    void Progress(int value, int maximum);
    void State(const std::string& text);
    // Ends the bar's line, if one is drawn.
    void Finish();

private:
    void DrawBar(int value, int maximum, long long percent);
    void PrintLine(int value, int maximum, long long percent);

    FILE* out_;
    bool terminal_;
    bool barShown_ = false;
    long long lastPercent_ = -1;  // the last percent shown
};

}  // namespace vantelo::cli
