#include "upgrade/VerificationRun.h"

#include "protocol/TlvElements.h"
#include "upgrade/UpgradeOutcome.h"

namespace vantelo {

void VerificationRun::Start(std::string_view targetMac) {
    p_.timers.Stop(timer_);
    targetMac_ = targetMac;
    attempts_ = 0;
    timer_ = p_.timers.StartSingleShot(kRestartWaitMs, [this] { Begin(); });
}

void VerificationRun::Begin() {
    timer_ = kNoTimer;
    if (p_.transport.EnableBroadcast() != 0) {
        Fail("Set socketopt error");
        return;
    }
    Attempt();
}

void VerificationRun::Attempt() {
    ++attempts_;
    p_.lists.ClearDiscovery();
    p_.rediscovery.value = 0;
    PacketBuffer request{};
    request.length = BuildRequestHeader(std::span(request.bytes).first<kHeaderSize>(),
                                        OpCode::DiscoveryRequest, p_.transport.DeviceTypeId());
    int error = 0;
    if (p_.transport.SendBroadcast(p_.transport.Routes().ForAgent(targetMac_), request.bytes,
                                   request.length, &error) != 0) {
        attempts_ = 0;
        Fail("Discovery sento fail");
        return;
    }
    timer_ = p_.timers.StartSingleShot(kAttemptMs, [this] { AfterAttempt(); });
}

void VerificationRun::AfterAttempt() {
    timer_ = kNoTimer;
    if (p_.rediscovery.value == 1 || attempts_ >= kMaxAttempts) {
        End();
        return;
    }
    Attempt();
}

void VerificationRun::End() {
    attempts_ = 0;
    bool back = p_.rediscovery.value == 1;
    p_.boxes.ReportLater(
        back ? OutcomeKind::UpgradeSuccessful : OutcomeKind::UpgradeFailed,
        MessageBoxRequest{back ? "Upgrade successful" : "Upgrade fail", "information",
                          back ? BoxIcon::Information : BoxIcon::Exclamation, BoxButtons::Ok,
                          BoxOwner::MainWindow},
        UpgradeTargetKey(p_.upgrade));
}

void VerificationRun::Fail(const char* text) {
    p_.boxes.ReportLater(OutcomeKind::VerificationSendFailed, ErrorBox(text),
                         UpgradeTargetKey(p_.upgrade));
}

}  // namespace vantelo
