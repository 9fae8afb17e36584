// upgrade: the Firmware Upgrade dialog of the window, typed from the command line, the transfer
// it runs and the verification that follows it.

#include <cstdio>
#include <optional>

#include "cli/AgentTarget.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"
#include "cli/UpgradeProgress.h"
#include "upgrade/VerificationRun.h"

namespace vantelo::cli {

namespace {

constexpr int kDefaultTimeoutMs = 5000;
constexpr const char* kSuccessful = "Upgrade successful";
constexpr const char* kFailed = "Upgrade fail";
// The verification waits for the restart, then tries once a second; a little more for the
// last answer.
constexpr int kVerificationMs = VerificationRun::kRestartWaitMs +
                                VerificationRun::kMaxAttempts * VerificationRun::kAttemptMs + 5000;

// The states after which the dialog waits for the operator: the transfer is over.
bool EndsTheTransfer(const std::string& state) {
    return state == "Trigger fail" || state == "Device not found" ||
           state.rfind("Upgrade fail", 0) == 0;
}

struct UpgradeRun {
    UpgradeProgress progress{stderr};
    bool transferEnded = false;
    // Whether the press of Start sent the trigger; unknown until the first look after it.
    std::optional<bool> triggered;
};

DialogScript UpgradeScript(const CliOptions& options, UpgradeRun& run, const Console& engine) {
    DialogScript script;
    script.typed[ControlId::UpgradeFirmwarePath] = options.path;
    script.typed[ControlId::UpgradePassword] = options.password;
    script.press = ControlId::UpgradeStart;
    script.onText = [&run](ControlId control, const std::string& text) {
        if (control != ControlId::UpgradeState) {
            return;
        }
        run.progress.State(text);
        run.transferEnded = run.transferEnded || EndsTheTransfer(text);
    };
    script.onProgress = [&run](int value, int maximum) { run.progress.Progress(value, maximum); };
    // A press that the form refused (its box said why) sent nothing; a press that sent the
    // trigger keeps the dialog open until the transfer ends or the dialog closes itself.
    script.keepOpen = [&run, &engine] {
        if (!run.triggered) {
            run.triggered = engine.Upgrading().TriggerWaiting();
        }
        return *run.triggered && !run.transferEnded;
    };
    return script;
}

// The agent's TFTP server refused the file: the box of that closes the dialog.
bool RefusedByAgent(const CliUserInteraction& ui, size_t from) {
    for (size_t k = from; k < ui.BoxCount(); ++k) {
        if (ui.Boxes()[k].caption == "upgrade fail") {
            return true;
        }
    }
    return false;
}

}  // namespace

int RunUpgrade(const CliOptions& options, const std::string& configDirectory) {
    CliSession session(configDirectory, Network::Live, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    int timeoutMs = options.timeoutMs > 0 ? options.timeoutMs : kDefaultTimeoutMs;
    if (SelectAgent(session, options.agent, timeoutMs) != 0) {
        return kExitRefused;
    }
    UpgradeRun run;
    CliUserInteraction& ui = session.Ui();
    session.Dialogs().Script(DialogId::FirmwareUpgrade,
                             UpgradeScript(options, run, session.Engine()));
    size_t boxes = ui.BoxCount();
    session.Engine().OnFirmwareUpgrade();
    run.progress.Finish();
    if (session.Dialogs().Opened(DialogId::FirmwareUpgrade) == 0) {
        return kExitRefused;  // the selection, version or subnet checks said why
    }
    if (!session.Dialogs().Accepted(DialogId::FirmwareUpgrade)) {
        bool sent =
            run.triggered.value_or(false) || ui.ShownSince(boxes, "Upgrade trigger send error");
        return sent ? kExitRefused : kExitBadInput;
    }
    if (RefusedByAgent(ui, boxes)) {
        return kExitRefused;
    }
    bool verified =
        RunUntil([&] { return ui.ShownSince(boxes, kSuccessful) || ui.ShownSince(boxes, kFailed); },
                 kVerificationMs);
    return verified && ui.ShownSince(boxes, kSuccessful) ? kExitDone : kExitRefused;
}

}  // namespace vantelo::cli
