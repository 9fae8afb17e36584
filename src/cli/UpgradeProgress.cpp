#include "cli/UpgradeProgress.h"

#include <unistd.h>

namespace vantelo::cli {

namespace {

constexpr int kBarWidth = 40;

}  // namespace

UpgradeProgress::UpgradeProgress(FILE* out, bool quiet)
    : out_(out), terminal_(isatty(fileno(out)) != 0), quiet_(quiet) {}

void UpgradeProgress::Triggered() {
    if (!quiet_) {
        std::fprintf(out_, "vantelo-cli: trigger sent, waiting for the agent\n");
    }
}

void UpgradeProgress::Progress(int value, int maximum) {
    if (quiet_ || maximum <= 0 || value <= 0) {
        return;
    }
    if (!transferStart_) {
        transferStart_ = std::chrono::steady_clock::now();
    }
    long long percent = 100LL * value / maximum;
    if (terminal_) {
        DrawBar(value, maximum, percent);
    } else {
        PrintLine(value, maximum, percent);
    }
}

// The rate from the first block shown to now; the time left at that rate.
std::string UpgradeProgress::RateText(int value, int maximum) const {
    auto elapsed = std::chrono::steady_clock::now() - *transferStart_;
    double seconds = std::chrono::duration<double>(elapsed).count();
    if (seconds <= 0) {
        return "";
    }
    double rate = value / seconds;
    long long left = rate > 0 ? static_cast<long long>((maximum - value) / rate + 0.5) : 0;
    char text[64];
    std::snprintf(text, sizeof text, " at %.0f KiB/s, %lld s left", rate / 1024, left);
    return text;
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
    std::fprintf(out_, "\r[%s] %3lld%% %d/%d bytes%s\033[K", bar.c_str(), percent, value, maximum,
                 RateText(value, maximum).c_str());
    std::fflush(out_);
    barShown_ = true;
}

void UpgradeProgress::PrintLine(int value, int maximum, long long percent) {
    if (percent / 10 == lastPercent_ / 10 && lastPercent_ >= 0) {
        return;
    }
    lastPercent_ = percent;
    std::fprintf(out_, "vantelo-cli: upgrade %lld%% %d/%d bytes%s\n", percent, value, maximum,
                 RateText(value, maximum).c_str());
}

void UpgradeProgress::Verifying(int attempt, int most) {
    // A run that ended puts its count back to 0: the attempts only go up while it runs.
    if (quiet_ || attempt <= lastAttempt_) {
        return;
    }
    lastAttempt_ = attempt;
    if (attempt == 0) {
        Finish();
        std::fprintf(out_, "vantelo-cli: verifying: waiting for the agent to restart\n");
    } else if (terminal_) {
        std::fprintf(out_, "\rverifying %d/%d\033[K", attempt, most);
        std::fflush(out_);
        barShown_ = true;
    } else {
        std::fprintf(out_, "vantelo-cli: verifying %d/%d\n", attempt, most);
    }
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
