#include "cli/UpgradeProgress.h"

#include <unistd.h>

namespace vantelo::cli {

namespace {

constexpr int kBarWidth = 40;

}  // namespace

UpgradeProgress::UpgradeProgress(FILE* out) : out_(out), terminal_(isatty(fileno(out)) != 0) {}

void UpgradeProgress::Progress(int value, int maximum) {
    if (maximum <= 0 || value <= 0) {
        return;
    }
    long long percent = 100LL * value / maximum;
    if (terminal_) {
        DrawBar(value, maximum, percent);
    } else {
        PrintLine(value, maximum, percent);
    }
}

// A redraw for every block would flood a slow terminal: once a percent is enough.
void UpgradeProgress::DrawBar(int value, int maximum, long long percent) {
    if (percent == lastPercent_) {
        return;
    }
    lastPercent_ = percent;
    int filled = static_cast<int>(kBarWidth * static_cast<long long>(value) / maximum);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(out_, "\r[%s] %3lld%% %d/%d bytes", bar.c_str(), percent, value, maximum);
    std::fflush(out_);
    barShown_ = true;
}

void UpgradeProgress::PrintLine(int value, int maximum, long long percent) {
    if (percent / 10 == lastPercent_ / 10 && lastPercent_ >= 0) {
        return;
    }
    lastPercent_ = percent;
    std::fprintf(out_, "vantelo-cli: upgrade %lld%% %d/%d bytes\n", percent, value, maximum);
}

void UpgradeProgress::State(const std::string& text) {
    // The byte counts are the bar's; the other states are news.
    if (text.rfind("Upgrade...", 0) == 0 || text.rfind("Complete...", 0) == 0 ||
        text.find_first_not_of(' ') == std::string::npos) {
        return;
    }
    Finish();
    std::fprintf(out_, "vantelo-cli: Upgrade State: %s\n", text.c_str());
}

void UpgradeProgress::Finish() {
    if (barShown_) {
        std::fprintf(out_, "\n");
        barShown_ = false;
    }
}

}  // namespace vantelo::cli
