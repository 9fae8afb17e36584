// watch: the console left running on its monitor list, its news printed as they come.

#include <unistd.h>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSysInfo>
#include <csignal>
#include <cstdio>
#include <memory>

#include "cli/ActivityRecorder.h"
#include "cli/AgentJson.h"
#include "cli/AgentOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"
#include "cli/MetricsServer.h"
#include "cli/SyslogMessage.h"
#include "cli/SyslogSender.h"
#include "monitor/Timestamp.h"
#include "platform/QtTimers.h"
#include "protocol/Conversions.h"
#include "protocol/RecordText.h"

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

    // The session whose monitor list the events are about; set before it starts.
    void Watch(const CliSession* session) { session_ = session; }

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
    // The time of an event in JSON is when it was told, in ISO 8601; the line of text keeps the
    // time the log and the trap dialog show.
    void Print(std::string_view time, const char* kind, std::string_view agent,
               std::string_view text) {
        if (json_) {
            QJsonObject object{{"time", IsoTime(QDateTime::currentDateTime())},
                               {"event", QString::fromLatin1(kind)},
                               {"agent", AgentObject(agent)}};
            if (std::string_view(kind) == "trap") {
                object.insert(QStringLiteral("text"), Latin1(text));
            }
            std::printf("%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
        } else {
            std::printf("%.*s %s %.*s%s%.*s\n", static_cast<int>(time.size()), time.data(), kind,
                        static_cast<int>(agent.size()), agent.data(), text.empty() ? "" : " ",
                        static_cast<int>(text.size()), text.data());
        }
        std::fflush(stdout);
    }

    // The monitored agent with this IP text as the one agent schema has it.
    QJsonObject AgentObject(std::string_view ipText) const {
        const Console& console = session_->Engine();
        for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
            const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(slot)];
            if (TextOf(record.ipText) == ipText) {
                return AgentJson(record, {true, MonitoredAlive(record), session_->LastSeen(record),
                                          session_->InterfaceOf(record)});
            }
        }
        // Told of an agent the list no longer holds: all that is known is its address.
        DeviceRecord record{};
        uint32_t address = 0;
        if (TextToIp(ipText, &address) == 0) {
            SetAddressField(address, &record.ip, record.ipText);
        }
        return AgentJson(record, {false, std::nullopt, session_->LastSeen(record), std::nullopt});
    }

    bool json_;
    const CliSession* session_ = nullptr;
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
    // A name that does not resolve now may later (the service restarts on status 5).
    if (options.syslog && forwarding.Open(*options.syslog, &error) != 0) {
        std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
        return kExitNetwork;
    }
    CliSession session(configDirectory, Network::Live, options.interfaceName, &view);
    view.Watch(&session);
    ActivityRecorder recorder(session.Engine(),
                              [&forwarding](const LogEvent& event) { forwarding.Forward(event); });
    session.Engine().TellActivity(recorder);
    std::unique_ptr<MetricsServer> metrics;
    if (options.metrics) {
        metrics = std::make_unique<MetricsServer>(
            [&recorder] { return MetricsText(recorder.Collect(VANTELO_VERSION)); });
        if (metrics->Listen(*options.metrics, &error) != 0) {
            std::fprintf(stderr, "vantelo-cli: %s\n", error.c_str());
            return kExitNetwork;
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
    // Events that cannot be written are lost: the watch ends there, and the exit code says so.
    RunUntil([] { return interrupted != 0 || std::ferror(stdout) != 0; }, kNoLimit);
    return kExitDone;
}

}  // namespace vantelo::cli
