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
// The verification waits for the restart, then tries once a second; a little more for the
// last answer.
constexpr int kVerificationMs = VerificationRun::kRestartWaitMs +
                                VerificationRun::kMaxAttempts * VerificationRun::kAttemptMs + 5000;

// The outcomes after which the dialog waits for the operator: the transfer is over, or never
// began. (An error packet closes the dialog itself.)
constexpr std::initializer_list<OutcomeKind> kTransferEnds = {
    OutcomeKind::TriggerFailed, OutcomeKind::TransferSocketFailed, OutcomeKind::DeviceNotFound,
    OutcomeKind::TransferStalled};
// The outcomes that end the verification run.
constexpr std::initializer_list<OutcomeKind> kVerificationEnds = {
    OutcomeKind::UpgradeSuccessful, OutcomeKind::UpgradeFailed,
    OutcomeKind::VerificationSendFailed};

struct UpgradeRun {
    explicit UpgradeRun(bool quiet) : progress(stderr, quiet) {}
    UpgradeProgress progress;
    // The outcomes are counted from the press of the Firmware upgrade button.
    size_t told = 0;
    // Whether the press of Start sent the trigger; unknown until the first look after it.
    std::optional<bool> triggered;
};

DialogScript UpgradeScript(const CliOptions& options, UpgradeRun& run, CliSession& session) {
    DialogScript script;
    script.typed[ControlId::UpgradeFirmwarePath] = options.path;
    script.typed[ControlId::UpgradePassword] = options.password;
    script.press = ControlId::UpgradeStart;
    script.onText = [&run](ControlId control, const std::string& text) {
        if (control != ControlId::UpgradeState) {
            return;
        }
        run.progress.State(text);
    };
    script.onProgress = [&run](int value, int maximum) { run.progress.Progress(value, maximum); };
    // A press that the form refused (its box said why) sent nothing; a press that sent the
    // trigger keeps the dialog open until the transfer ends or the dialog closes itself.
    script.keepOpen = [&run, &session] {
        if (!run.triggered) {
            run.triggered = session.Engine().Upgrading().TriggerWaiting();
            if (*run.triggered) {
                run.progress.Triggered();
            }
        }
        return *run.triggered && !session.Outcomes().ToldSince(run.told, kTransferEnds);
    };
    return script;
}

}  // namespace

int RunUpgrade(const CliOptions& options, const std::string& configDirectory) {
    CliSession session(configDirectory, Network::Live, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    int timeoutMs = options.timeoutMs > 0 ? options.timeoutMs : kDefaultTimeoutMs;
    if (SelectAgent(session, options.agent, timeoutMs) != 0) {
        return kExitNoAnswer;
    }
    UpgradeRun run(options.quiet);
    const OutcomeLog& outcomes = session.Outcomes();
    session.Dialogs().Script(DialogId::FirmwareUpgrade, UpgradeScript(options, run, session));
    run.told = outcomes.Count();
    session.Engine().OnFirmwareUpgrade();
    run.progress.Finish();
    if (session.Dialogs().Opened(DialogId::FirmwareUpgrade) == 0) {
        // The selection, version or subnet checks said why.
        return outcomes.CodeSinceOr(run.told, kExitBadInput);
    }
    if (!session.Dialogs().Accepted(DialogId::FirmwareUpgrade)) {
        // The form was refused, or the trigger or the transfer ended without the agent.
        bool sent = run.triggered.value_or(false);
        return outcomes.CodeSinceOr(run.told, sent ? kExitNoAnswer : kExitBadInput);
    }
    // The agent's TFTP server refused the file: the box of that closed the dialog.
    if (int code = outcomes.CodeSince(run.told); code != kExitDone) {
        return code;
    }
    const VerificationRun& verification = session.Engine().Upgrading().Verification();
    RunUntil(
        [&] {
            bool ended = outcomes.ToldSince(run.told, kVerificationEnds);
            if (!ended) {
                run.progress.Verifying(verification.Attempts(), VerificationRun::kMaxAttempts);
            }
            return ended;
        },
        kVerificationMs);
    run.progress.Finish();
    if (outcomes.ToldSince(run.told, {OutcomeKind::UpgradeSuccessful})) {
        return kExitDone;
    }
    return outcomes.CodeSinceOr(run.told, kExitNoAnswer);
}

}  // namespace vantelo::cli
