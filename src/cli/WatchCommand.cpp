// watch: the console left running on its monitor list, its news printed as they come.

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <cstdio>

#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"
#include "monitor/Timestamp.h"
#include "platform/QtTimers.h"

namespace vantelo::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

// Prints each event of the monitor list on standard output, one line or one JSON object a line.
class WatchView final : public ConsoleView {
public:
    explicit WatchView(bool json) : json_(json) {}

    void ShowTrapIndicator(TrapIndicator) override {}
    void ShowRefreshTime(int) override {}

    void ShowAgentLiveness(std::string_view ipText, bool alive) override {
        Print(TimestampText(clock_.Now()), alive ? "alive" : "not-alive", ipText, {});
    }
    void ShowTrapStored(std::string_view time, std::string_view agent,
                        std::string_view event) override {
        Print(time, "trap", agent, event);
    }

private:
    void Print(std::string_view time, const char* kind, std::string_view agent,
               std::string_view text) {
        if (json_) {
            QJsonObject object{
                {"time", Text(time)}, {"event", QString::fromLatin1(kind)}, {"agent", Text(agent)}};
            if (std::string_view(kind) == "trap") {
                object.insert(QStringLiteral("text"), Text(text));
            }
            std::printf("%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
        } else {
            std::printf("%.*s %s %.*s%s%.*s\n", static_cast<int>(time.size()), time.data(), kind,
                        static_cast<int>(agent.size()), agent.data(), text.empty() ? "" : " ",
                        static_cast<int>(text.size()), text.data());
        }
        std::fflush(stdout);
    }

    static QString Text(std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

    bool json_;
    QtClock clock_;
};

}  // namespace

int RunWatch(const CliOptions& options, const std::string& configDirectory) {
    WatchView view(options.format == OutputFormat::Json);
    CliSession session(configDirectory, Network::Live, options.interfaceName, &view);
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    if (options.intervalSeconds) {
        session.Engine().OnRefreshTime(*options.intervalSeconds);
    }
    RunUntil([] { return interrupted != 0; }, kNoLimit);
    return kExitDone;
}

}  // namespace vantelo::cli
