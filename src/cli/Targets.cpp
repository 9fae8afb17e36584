#include "cli/Targets.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/AgentTarget.h"
#include "cli/CliSession.h"
#include "cli/ExitCode.h"
#include "protocol/RecordText.h"

namespace vantelo::cli {

namespace {

// What each exit code says of a target, in the words of --help.
const char* CauseText(int code) {
    switch (code) {
        case kExitDone:
            return "done";
        case kExitRefused:
            return "the agent refused";
        case kExitBadInput:
            return "refused input";
        case kExitNoAnswer:
            return "no answer in time";
        case kExitAgentUnfit:
            return "the agent cannot take it";
        case kExitNetwork:
            return "the network cannot be used";
        default:
            return "a file could not be read or written";
    }
}

struct TargetResult {
    std::string name;
    std::optional<int> code;  // empty: not tried, after a failure with --stop-on-failure
};

// The monitor list's agents by their addresses, or an exit code when the list cannot be read.
int MonitoredTargets(const std::string& configDirectory, std::vector<AgentKey>* targets) {
    CliSession session(configDirectory, Network::Offline, std::string());
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    const Console& console = session.Engine();
    for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
        AgentKey key;
        key.ipText = std::string(TextOf(console.MonitorTable()[static_cast<size_t>(slot)].ipText));
        targets->push_back(key);
    }
    if (targets->empty()) {
        std::fputs("vantelo-cli: --monitored: the monitor list is empty\n", stderr);
        return kExitBadInput;
    }
    return kExitDone;
}

void PrintResult(const TargetResult& result, bool json) {
    const char* said = result.code ? CauseText(*result.code) : "not tried";
    if (json) {
        QJsonObject object{{"target", QString::fromStdString(result.name)},
                           {"result", QString::fromLatin1(said)},
                           {"exitCode", result.code ? QJsonValue(*result.code) : QJsonValue()}};
        std::printf("%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
    } else if (result.code) {
        std::printf("%s: %s (exit code %d)\n", result.name.c_str(), said, *result.code);
    } else {
        std::printf("%s: %s\n", result.name.c_str(), said);
    }
    std::fflush(stdout);
}

void PrintSummary(const std::vector<TargetResult>& results, int code, bool json) {
    auto count = [&](auto predicate) {
        return static_cast<int>(std::count_if(results.begin(), results.end(), predicate));
    };
    int done = count([](const TargetResult& r) { return r.code == kExitDone; });
    int notTried = count([](const TargetResult& r) { return !r.code; });
    int failed = static_cast<int>(results.size()) - done - notTried;
    if (json) {
        QJsonObject summary{{"targets", static_cast<int>(results.size())},
                            {"done", done},
                            {"failed", failed},
                            {"notTried", notTried},
                            {"exitCode", code}};
        std::printf("%s\n", QJsonDocument(QJsonObject{{"summary", summary}})
                                .toJson(QJsonDocument::Compact)
                                .constData());
    } else {
        std::printf("%zu targets: %d done, %d failed, %d not tried\n", results.size(), done, failed,
                    notTried);
    }
}

}  // namespace

int RunTargets(const CliOptions& options, const std::string& configDirectory,
               TargetCommand command) {
    std::vector<AgentKey> targets = options.agents;
    if (options.monitored) {
        if (int code = MonitoredTargets(configDirectory, &targets); code != kExitDone) {
            return code;
        }
    }
    bool json = options.format == OutputFormat::Json;
    bool report = json || options.monitored || targets.size() > 1;
    std::vector<TargetResult> results;
    int worst = kExitDone;
    for (const AgentKey& target : targets) {
        TargetResult result{AgentName(target), std::nullopt};
        if (worst == kExitDone || !options.stopOnFailure) {
            CliOptions one = options;
            one.agent = target;
            result.code = command(one, configDirectory);
            worst = std::max(worst, *result.code);
        }
        if (report) {
            PrintResult(result, json);
        }
        results.push_back(result);
    }
    if (report) {
        PrintSummary(results, worst, json);
    }
    return worst;
}

}  // namespace vantelo::cli
