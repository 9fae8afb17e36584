// monitor: the window's monitor list commands on monitor.cfg: Add item, Delete item, Monitor
// load and Monitor save as, each followed by Monitor save where it changes the list.

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "cli/AgentOutput.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"
#include "protocol/RecordText.h"

namespace vantelo::cli {

namespace {

// A step that was refused (its box said why) leaves the file as it was; otherwise the list is
// saved, which may fail in turn.
int SaveIfDone(CliSession& session, size_t told) {
    const OutcomeLog& outcomes = session.Outcomes();
    if (int code = outcomes.CodeSince(told); code != kExitDone) {
        return code;
    }
    session.Engine().OnMonitorSave();
    return outcomes.CodeSince(told);
}

int Add(CliSession& session, const std::string& ipText) {
    DialogScript script;
    script.typed[ControlId::RemoteIpAddress] = ipText;
    script.press = ControlId::RemoteIpApply;
    session.Dialogs().Script(DialogId::RemoteIp, script);
    size_t told = session.Outcomes().Count();
    session.Engine().OnAddItem();
    return SaveIfDone(session, told);
}

constexpr int kDefaultAskMs = 2000;

// Asks the agent just added for its details: the console's start polls every monitored agent
// once, as the window's does. Its answer is saved when it comes within the time-out; a silent
// agent stays in the list with its address alone.
int AskAdded(const std::string& configDirectory, const CliOptions& options, int timeoutMs) {
    const std::string& ipText = options.ipText;
    CliSession session(configDirectory, Network::Live, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        std::fprintf(stderr, "vantelo-cli: %s was added but could not be asked\n", ipText.c_str());
        return code;
    }
    const Console& console = session.Engine();
    bool answered = RunUntil(
        [&] {
            for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
                const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(slot)];
                if (TextOf(record.ipText) == ipText) {
                    return record.answered == 1;
                }
            }
            return false;
        },
        timeoutMs);
    if (!answered) {
        std::fprintf(stderr, "vantelo-cli: no answer from %s within %d ms: added by its address\n",
                     ipText.c_str(), timeoutMs);
        return kExitDone;
    }
    size_t told = session.Outcomes().Count();
    session.Engine().OnMonitorSave();
    return session.Outcomes().CodeSince(told);
}

int Remove(CliSession& session, const std::string& ipText) {
    Console& console = session.Engine();
    const ListModel& list = console.MonitorList();
    int found = -1;
    for (int row = 0; row < list.RowCount() && found < 0; ++row) {
        found = list.Text(row, 1) == ipText ? row : -1;
    }
    if (found < 0) {
        std::fprintf(stderr, "vantelo-cli: %s is not in the monitor list\n", ipText.c_str());
        return kExitBadInput;
    }
    console.OnSelect(ListId::Monitor, found, true);
    size_t told = session.Outcomes().Count();
    console.OnDeleteItem();
    // The confirmation is no outcome: only the entry's deletion says the command was done.
    if (!session.Outcomes().ToldAboutSince(told, OutcomeKind::EntryDeleted, ipText)) {
        return kExitBadInput;
    }
    return SaveIfDone(session, told);
}

// "-" names standard input or output: the engine reads and writes files by name, so the bytes
// pass through a file in a directory of our own.
class StandardStream {
public:
    bool Usable() const { return directory_.isValid(); }
    std::string Path() const {
        return directory_.filePath(QStringLiteral("monitor.cfg")).toStdString();
    }

    // Copies standard input into the file; false when either cannot be used.
    bool FromStdin() {
        QFile in;
        QFile out(QString::fromStdString(Path()));
        if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
            return false;
        }
        QByteArray bytes = in.readAll();
        return out.write(bytes) == bytes.size() && out.flush();
    }

    // Copies the file to standard output; a write fault shows when standard output is flushed.
    bool ToStdout() {
        QFile in(QString::fromStdString(Path()));
        if (!in.open(QIODevice::ReadOnly)) {
            return false;
        }
        QByteArray bytes = in.readAll();
        return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) ==
               static_cast<size_t>(bytes.size());
    }

private:
    QTemporaryDir directory_;
};

int ImportStdin(CliSession& session) {
    StandardStream stream;
    if (!stream.Usable() || !stream.FromStdin()) {
        std::fputs("vantelo-cli: cannot read standard input\n", stderr);
        return kExitFile;
    }
    session.Ui().SetFileName(stream.Path());
    size_t told = session.Outcomes().Count();
    session.Engine().OnMonitorLoad();
    return SaveIfDone(session, told);
}

int ExportStdout(CliSession& session) {
    StandardStream stream;
    if (!stream.Usable()) {
        std::fputs("vantelo-cli: cannot make a temporary directory\n", stderr);
        return kExitFile;
    }
    session.Ui().SetFileName(stream.Path());
    size_t told = session.Outcomes().Count();
    session.Engine().OnMonitorSaveAs();
    if (int code = session.Outcomes().CodeSince(told); code != kExitDone) {
        return code;
    }
    if (!stream.ToStdout()) {
        std::fputs("vantelo-cli: cannot write standard output\n", stderr);
        return kExitFile;
    }
    return kExitDone;
}

int Import(CliSession& session, const std::string& path) {
    if (path == "-") {
        return ImportStdin(session);
    }
    // The window's file dialog offers only files that exist; a missing one cannot be read.
    QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || !file.isReadable()) {
        std::fprintf(stderr, "vantelo-cli: cannot read %s\n", path.c_str());
        return kExitFile;
    }
    session.Ui().SetFileName(path);
    size_t told = session.Outcomes().Count();
    session.Engine().OnMonitorLoad();
    return SaveIfDone(session, told);
}

int Export(CliSession& session, const std::string& path) {
    if (path == "-") {
        return ExportStdout(session);
    }
    session.Ui().SetFileName(path);
    size_t told = session.Outcomes().Count();
    session.Engine().OnMonitorSaveAs();
    return session.Outcomes().CodeSince(told);
}

}  // namespace

int RunMonitor(const CliOptions& options, const std::string& configDirectory) {
    if (options.command == Command::MonitorAdd && !options.noWait) {
        int code = kExitDone;
        {
            CliSession session(configDirectory, Network::Offline, options.interfaceName);
            code = session.Start();
            code = code != kExitDone ? code : Add(session, options.ipText);
        }
        int timeoutMs = options.timeoutMs > 0 ? options.timeoutMs : kDefaultAskMs;
        return code != kExitDone ? code : AskAdded(configDirectory, options, timeoutMs);
    }
    CliSession session(configDirectory, Network::Offline, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    switch (options.command) {
        case Command::MonitorAdd:
            return Add(session, options.ipText);
        case Command::MonitorRemove:
            return Remove(session, options.ipText);
        case Command::MonitorImport:
            return Import(session, options.path);
        case Command::MonitorExport:
            return Export(session, options.path);
        default:
            PrintAgents(ListId::Monitor, MonitoredAgents(session), options.format);
            return kExitDone;
    }
}

}  // namespace vantelo::cli
