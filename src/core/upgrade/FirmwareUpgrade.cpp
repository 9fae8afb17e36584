#include "upgrade/FirmwareUpgrade.h"

#include <algorithm>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"
#include "settings/AddressRules.h"
#include "upgrade/UpgradeForm.h"
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
                                           parts.rediscovery}) {}

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
        p_.boxes.Ask(ErrorBox("Duplicate IP"));
        return -1;
    }
    std::vector<InterfaceAddress> addresses;
    if (int error = p_.addresses.Read(&addresses); error != 0) {
        p_.boxes.Ask(MessageBoxRequest{"Error " + std::to_string(error), "", BoxIcon::Exclamation,
                                       BoxButtons::Ok, BoxOwner::Application});
        return -1;
    }
    if (std::none_of(addresses.begin(), addresses.end(), [&](const InterfaceAddress& local) {
            return IsSameSubnet(record.ip, local.address, local.mask);
        })) {
        p_.boxes.Ask(ErrorBox("The device IP and manager IP are not in the same subnet"));
        return -1;
    }
    p_.upgrade.SetDeviceMac(record.macText);
    p_.upgrade.SetDeviceIp(record.ip);
    return 0;
}

void FirmwareUpgrade::RunDialog() {
    uint32_t ip = 0;
    char mac[UpgradeContext::kMacCapacity];
    char path[UpgradeContext::kPathCapacity];
    p_.upgrade.GetDeviceIp(&ip);
    p_.upgrade.GetDeviceMac(mac);
    p_.upgrade.GetFirmwarePath(path);
    client_.Reset();
    DialogRequest request{
        DialogId::FirmwareUpgrade,
        {{ControlId::UpgradeDeviceIp, IpToText(ip)},
         {ControlId::UpgradeDeviceMac, mac},
         {ControlId::UpgradeFirmwarePath, path},
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
// of the trigger wait outlives the dialog.
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
        p_.boxes.Ask(DialogError("Password lengths between 1-20"));
        return -1;
    }
    const std::string path = FieldText(fields, ControlId::UpgradeFirmwarePath);
    if (!FitsFirmwarePath(path)) {
        p_.boxes.Ask(DialogError(kPathTooLong));
        return -1;
    }
    uint64_t size = 0;
    if (p_.files.FileSize(path, &size) != 0) {
        p_.boxes.Ask(DialogError("Firmware file not found"));
        return -1;
    }
    if (!FitsBlockNumbers(size)) {
        p_.boxes.Ask(DialogError(kFileTooLarge));
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
        p_.boxes.Ask(DialogError("Upgrade trigger send error"));
        return -1;
    }
    triggerWait_ = p_.timers.StartSingleShot(kTriggerWaitMs, [this] { OnTriggerWait(); });
    EnableStart();
    return -1;
}

void FirmwareUpgrade::OnTriggerWait() {
    triggerWait_ = kNoTimer;
    uint16_t acknowledged = 0;
    p_.upgrade.GetTriggerAcknowledged(&acknowledged);
    if (acknowledged == 1) {
        if (client_.Start() == 0) {
            p_.upgrade.SetTriggerAcknowledged(0);
        }
        ShowUpgradeState("Wait....");
    } else {
        ShowUpgradeState("Trigger fail");
    }
    EnableStart();
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

void FirmwareUpgrade::TransferEnded(TransferEnd end) {
    if (end == TransferEnd::Complete) {
        char deviceMac[UpgradeContext::kMacCapacity];
        p_.upgrade.GetDeviceMac(deviceMac);
        verification_.Start(TextOf(deviceMac));
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
