// set and password: the Configuration setting and Password change dialogs of the window, typed
// from the command line, then the wait for the agent's set reply.

#include <cstdio>

#include "cli/AgentTarget.h"
#include "cli/CliSession.h"
#include "cli/Commands.h"
#include "cli/EventWait.h"
#include "cli/ExitCode.h"

namespace vantelo::cli {

namespace {

constexpr int kDefaultTimeoutMs = 5000;

int TimeoutOf(const CliOptions& options) {
    return options.timeoutMs > 0 ? options.timeoutMs : kDefaultTimeoutMs;
}

void Type(DialogFields& typed, ControlId control, const std::optional<std::string>& value) {
    if (value) {
        typed[control] = *value;
    }
}

DialogScript ConfigurationScript(const CliOptions& options) {
    const SettingOptions& s = options.settings;
    DialogScript script;
    Type(script.typed, ControlId::ConfigIpAddress, s.ip);
    Type(script.typed, ControlId::ConfigSubnetMask, s.mask);
    Type(script.typed, ControlId::ConfigGateway, s.gateway);
    Type(script.typed, ControlId::ConfigTrapIp, s.trapIp);
    Type(script.typed, ControlId::ConfigSystemName, s.systemName);
    Type(script.typed, ControlId::ConfigLocation, s.location);
    script.typed[ControlId::ConfigPassword] = options.password;
    if (s.dhcp) {
        script.typed[ControlId::ConfigDhcpEnable] = *s.dhcp ? "1" : "0";
        script.typed[ControlId::ConfigDhcpDisable] = *s.dhcp ? "0" : "1";
    }
    script.press = ControlId::ConfigSet;
    return script;
}

DialogScript PasswordScript(const CliOptions& options) {
    DialogScript script;
    script.typed[ControlId::NewPassword] = options.newPassword;
    script.typed[ControlId::ConfirmPassword] = options.newPassword;
    script.typed[ControlId::OriginalPassword] = options.password;
    script.press = ControlId::PasswordSet;
    return script;
}

// The window's radio buttons are disabled for an agent that does not report DHCP.
bool DhcpReported(const Console& console) {
    const SelectionTarget& target = console.CurrentSelection();
    const DeviceTable& table =
        target.inMonitorTable ? console.MonitorTable() : console.DiscoveryTable();
    return table[static_cast<size_t>(target.slotIndex)].dhcp != kDhcpNotReported;
}

// Opens the dialog through the window's command and, once the request went out, waits for the
// agent's answer.
int RunSettingsDialog(CliSession& session, DialogId dialog, void (Console::*command)(),
                      const CliOptions& options) {
    Console& console = session.Engine();
    const OutcomeLog& outcomes = session.Outcomes();
    size_t told = outcomes.Count();
    (console.*command)();
    if (session.Dialogs().Opened(dialog) == 0) {
        // The selection, version or loader checks said why.
        return outcomes.CodeSinceOr(told, kExitBadInput);
    }
    if (!session.Dialogs().Accepted(dialog)) {
        // The form was refused with the dialog's own text, or the request could not be sent.
        return outcomes.CodeSinceOr(told, kExitBadInput);
    }
    bool answered = RunUntil(
        [&] {
            return outcomes.ToldSince(told,
                                      {OutcomeKind::SetConfirmed, OutcomeKind::ResultRefused});
        },
        TimeoutOf(options));
    if (!answered) {
        std::fprintf(stderr, "vantelo-cli: no answer from %s within %d ms\n",
                     AgentName(options.agent).c_str(), TimeoutOf(options));
        return kExitNoAnswer;
    }
    return outcomes.CodeSince(told);
}

// Finds and selects the agent, then runs its dialog.
int RunSettings(CliSession& session, DialogId dialog, void (Console::*command)(),
                const CliOptions& options) {
    Console& console = session.Engine();
    if (SelectAgent(session, options.agent, TimeoutOf(options)) != 0) {
        return kExitNoAnswer;
    }
    if (dialog == DialogId::Configuration && options.settings.dhcp) {
        size_t told = session.Outcomes().Count();
        if (console.SelectTarget() != 0) {
            return session.Outcomes().CodeSinceOr(told, kExitBadInput);
        }
        if (DhcpReported(console)) {
            return RunSettingsDialog(session, dialog, command, options);
        }
        std::fprintf(stderr, "vantelo-cli: %s does not report DHCP: --dhcp cannot be set\n",
                     AgentName(options.agent).c_str());
        return kExitAgentUnfit;
    }
    return RunSettingsDialog(session, dialog, command, options);
}

}  // namespace

int RunSet(const CliOptions& options, const std::string& configDirectory) {
    CliSession session(configDirectory, Network::Live, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    session.Dialogs().Script(DialogId::Configuration, ConfigurationScript(options));
    return RunSettings(session, DialogId::Configuration, &Console::OnConfigurationSetting, options);
}

int RunPassword(const CliOptions& options, const std::string& configDirectory) {
    CliSession session(configDirectory, Network::Live, options.interfaceName);
    if (int code = session.Start(); code != kExitDone) {
        return code;
    }
    session.Dialogs().Script(DialogId::PasswordChange, PasswordScript(options));
    return RunSettings(session, DialogId::PasswordChange, &Console::OnPasswordChange, options);
}

}  // namespace vantelo::cli
