// watch: the console left running on its monitor list, its news printed as they come.

#include <unistd.h>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <csignal>
#include <cstdio>
#include <memory>

#include "cli/ActivityRecorder.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"
#include "cli/MetricsServer.h"
#include "cli/SyslogMessage.h"
#include "cli/SyslogSender.h"
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

// Every log line as a syslog message, when --syslog asks for it.
class LogForwarding {
public:
    int Open(const SyslogTarget& target, std::string* error) {
        origin_ = SyslogOrigin{QSysInfo::machineHostName().toStdString(), getpid()};
        sender_ = std::make_unique<SyslogSender>();
        return sender_->Open(target, error);
    }

    void Forward(const LogEvent& event) {
        if (sender_) {
            sender_->Send(SyslogMessage(event, std::chrono::system_clock::now(), origin_));
        }
    }

private:
    std::unique_ptr<SyslogSender> sender_;
    SyslogOrigin origin_;
};

}  // namespace

int RunWatch(const CliOptions& options, const std::string& configDirectory) {
    WatchView view(options.format == OutputFormat::Json);
    LogForwarding forwarding;
    std::string error;
    // A name that does not resolve now may later (the service restarts on status 1).
    if (options.syslog && forwarding.Open(*options.syslog, &error) != 0) {
        std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
        return kExitRefused;
    }
    CliSession session(configDirectory, Network::Live, options.interfaceName, &view);
    ActivityRecorder recorder(session.Engine(),
                              [&forwarding](const LogEvent& event) { forwarding.Forward(event); });
    session.Engine().TellActivity(recorder);
    std::unique_ptr<MetricsServer> metrics;
    if (options.metrics) {
        metrics = std::make_unique<MetricsServer>(
            [&recorder] { return MetricsText(recorder.Collect(VANTELO_VERSION)); });
        if (metrics->Listen(*options.metrics, &error) != 0) {
            std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
            return kExitRefused;
        }
    }
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
