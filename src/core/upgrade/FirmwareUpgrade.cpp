#include "upgrade/FirmwareUpgrade.h"

#include <algorithm>

#include "protocol/AgentKeyOf.h"
#include "protocol/Conversions.h"
#include "protocol/RecordText.h"
#include "settings/AddressRules.h"
#include "upgrade/UpgradeForm.h"
#include "upgrade/UpgradeOutcome.h"
#include "upgrade/UpgradeTrigger.h"

namespace vantelo {

namespace {

MessageBoxRequest DialogError(const char* text) {
    return MessageBoxRequest{text, "Error", BoxIcon::Error, BoxButtons::Ok, BoxOwner::Dialog};
}

std::string FieldText(const DialogFields& fields, ControlId control) {
    auto field = fields.find(control);
    return field == fields.end() ? std::string() : field->second;
}

}  // namespace

FirmwareUpgrade::FirmwareUpgrade(const Parts& parts)
    : p_(parts),
      client_(TftpClient::Parts{parts.sockets, parts.timers, parts.files, parts.boxes,
                                parts.upgrade, parts.log, parts.clock},
              *this),
      verification_(VerificationRun::Parts{parts.transport, parts.lists, parts.boxes, parts.timers,
                                           parts.rediscovery, parts.upgrade}) {}

FirmwareUpgrade::~FirmwareUpgrade() {
    p_.timers.Stop(triggerWait_);
}

void FirmwareUpgrade::Open(const SelectionTarget& target) {
    if (Precheck(target) == 0) {
        target_ = target;
        RunDialog();
    }
}

int FirmwareUpgrade::Precheck(const SelectionTarget& target) {
    const DeviceTable& table =
        target.inMonitorTable ? p_.lists.MonitorTable() : p_.lists.DiscoveryTable();
    const int rows = target.inMonitorTable ? p_.lists.MonitorCount() : p_.lists.DiscoveryCount();
    if (target.slotIndex < 0 || target.slotIndex >= static_cast<int>(table.size())) {
        return -1;
    }
    // Copied: the boxes below run event loops in which the table may change.
    const DeviceRecord record = table[static_cast<size_t>(target.slotIndex)];
    auto used = table.begin() + std::clamp(rows, 0, static_cast<int>(table.size()));
    if (std::count_if(table.begin(), used,
                      [&](const DeviceRecord& r) { return r.ip == record.ip; }) >= 2) {
        p_.boxes.Report(OutcomeKind::DuplicateAddress, ErrorBox("Duplicate IP"), KeyOf(record));
        return -1;
    }
    std::vector<InterfaceAddress> addresses;
    if (int error = p_.addresses.Read(&addresses); error != 0) {
        p_.boxes.Report(
            OutcomeKind::AddressTableUnreadable,
            MessageBoxRequest{"Error " + std::to_string(error), "", BoxIcon::Exclamation,
                              BoxButtons::Ok, BoxOwner::Application},
            KeyOf(record));
        return -1;
    }
    if (std::none_of(addresses.begin(), addresses.end(), [&](const InterfaceAddress& local) {
            return IsSameSubnet(record.ip, local.address, local.mask);
        })) {
        p_.boxes.Report(OutcomeKind::NotSameSubnet,
                        ErrorBox("The device IP and manager IP are not in the same subnet"),
                        KeyOf(record));
        return -1;
    }
    p_.upgrade.SetDeviceMac(record.macText);
    p_.upgrade.SetDeviceIp(record.ip);
    return 0;
}

void FirmwareUpgrade::RunDialog() {
    DialogRequest request{
        DialogId::FirmwareUpgrade,
        {{ControlId::UpgradeDeviceIp, IpToText(p_.upgrade.DeviceIp())},
         {ControlId::UpgradeDeviceMac, p_.upgrade.DeviceMac().data()},
         {ControlId::UpgradeFirmwarePath, p_.upgrade.FirmwarePath().data()},
         {ControlId::UpgradePassword, ""},
         {ControlId::UpgradeState, ""}},
        {{ControlId::UpgradeBrowse, [this](const DialogFields&) { return OnBrowse(); }},
         {ControlId::UpgradeStart, [this](const DialogFields& fields) { return OnStart(fields); }}},
        {},
        [this](OpenDialog* dialog) { dialog_ = dialog; }};
    p_.dialogs.Run(request);
    dialog_ = nullptr;
    OnDialogClosed();
}

// Cancel, the close box, an error packet or a finished transfer: nothing of the transfer or
// of the trigger wait outlives the dialog, except the pause after the final acknowledgement,
// which ends in the verification run.
void FirmwareUpgrade::OnDialogClosed() {
    p_.timers.Stop(triggerWait_);
    triggerWait_ = kNoTimer;
    client_.Abort();
}

int FirmwareUpgrade::OnBrowse() {
    std::string path;
    if (!p_.ui.AskFileName(FileDialogRequest{false, "hex File (*.hex)|*.hex||", "*.hex", "*.hex"},
                           &path)) {
        path.clear();
    }
    if (!FitsFirmwarePath(path)) {
        p_.boxes.Ask(DialogError(kPathTooLong));
        return -1;
    }
    p_.upgrade.SetFirmwarePath(path.c_str());
    if (dialog_ != nullptr) {
        dialog_->SetText(ControlId::UpgradeFirmwarePath, path);
    }
    return -1;
}

int FirmwareUpgrade::OnStart(const DialogFields& fields) {
    // Start is held disabled meanwhile; a press that still comes through changes nothing.
    if (TriggerWaiting() || client_.IsRunning()) {
        return -1;
    }
    const std::string password = FieldText(fields, ControlId::UpgradePassword);
    if (!IsUpgradePasswordLength(password)) {
        RefuseStart(OutcomeKind::UpgradePasswordLength, "Password lengths between 1-20");
        return -1;
    }
    const std::string path = FieldText(fields, ControlId::UpgradeFirmwarePath);
    if (!FitsFirmwarePath(path)) {
        RefuseStart(OutcomeKind::FirmwarePathTooLong, kPathTooLong);
        return -1;
    }
    uint64_t size = 0;
    if (p_.files.FileSize(path, &size) != 0) {
        RefuseStart(OutcomeKind::FirmwareFileNotFound, "Firmware file not found");
        return -1;
    }
    if (!FitsBlockNumbers(size)) {
        RefuseStart(OutcomeKind::FirmwareFileTooLarge, kFileTooLarge);
        return -1;
    }
    p_.upgrade.SetFirmwarePath(path.c_str());
    return SendTrigger(password);
}

int FirmwareUpgrade::SendTrigger(const std::string& password) {
    const DeviceTable& table =
        target_.inMonitorTable ? p_.lists.MonitorTable() : p_.lists.DiscoveryTable();
    const DeviceRecord& record = table[static_cast<size_t>(target_.slotIndex)];
    PacketBuffer packet{};
    int error = 0;
    if (BuildUpgradeTrigger(record.macText, p_.transport.DeviceTypeId(),
                            p_.transport.RequestSequence(), password, &packet) != 0 ||
        (target_.inMonitorTable
             ? p_.transport.SendToAgent(record.ip, packet.bytes, packet.length, &error)
             : p_.transport.SendBroadcast(p_.transport.Routes().ForAgent(TextOf(record.macText)),
                                          packet.bytes, packet.length, &error)) != 0) {
        RefuseStart(OutcomeKind::TriggerSendFailed, "Upgrade trigger send error");
        return -1;
    }
    triggerWait_ = p_.timers.StartSingleShot(kTriggerWaitMs, [this] { OnTriggerWait(); });
    EnableStart();
    return -1;
}

void FirmwareUpgrade::OnTriggerWait() {
    triggerWait_ = kNoTimer;
    if (p_.upgrade.TriggerAcknowledged() != 1) {
        const char* failed = "Trigger fail";
        p_.boxes.Tell(Outcome{OutcomeKind::TriggerFailed, failed, UpgradeTargetKey(p_.upgrade)});
        ShowUpgradeState(failed);
        EnableStart();
        return;
    }
    // "Wait...." comes first: a box that the start shows runs an event loop in which the
    // transfer goes on, and what it shows meanwhile must not be covered afterwards.
    ShowUpgradeState("Wait....");
    if (client_.Start() == 0) {
        p_.upgrade.SetTriggerAcknowledged(0);
    }
    EnableStart();
}

// Start ends without a transfer: the dialog stays open for another try.
void FirmwareUpgrade::RefuseStart(OutcomeKind kind, const char* text) {
    p_.boxes.Report(kind, DialogError(text), UpgradeTargetKey(p_.upgrade));
}

void FirmwareUpgrade::EnableStart() {
    if (dialog_ != nullptr) {
        dialog_->SetEnabled(ControlId::UpgradeStart, !TriggerWaiting() && !client_.IsRunning());
    }
}

void FirmwareUpgrade::ShowUpgradeState(const std::string& text) {
    if (dialog_ != nullptr) {
        dialog_->SetText(ControlId::UpgradeState, text);
    }
}

void FirmwareUpgrade::ShowProgress(uint32_t bytesSent, uint32_t fileSize) {
    if (dialog_ != nullptr) {
        dialog_->SetProgress(ControlId::UpgradeProgress, static_cast<int>(bytesSent),
                             static_cast<int>(fileSize));
    }
}

// The agent has the whole file: Cancel and the close box are refused until the pause is over,
// so that the verification and its result always follow.
void FirmwareUpgrade::FinalAcknowledged() {
    if (dialog_ != nullptr) {
        dialog_->SetEnabled(ControlId::UpgradeCancel, false);
    }
}

void FirmwareUpgrade::TransferEnded(TransferEnd end) {
    if (end == TransferEnd::Complete) {
        const UpgradeContext::MacField deviceMac = p_.upgrade.DeviceMac();
        verification_.Start(deviceMac.data());
    }
    if (dialog_ == nullptr) {
        return;
    }
    if (end == TransferEnd::Complete || end == TransferEnd::Refused) {
        dialog_->Close(true);
    } else {
        EnableStart();
    }
}

}  // namespace vantelo
