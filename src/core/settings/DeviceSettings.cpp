#include "settings/DeviceSettings.h"

#include "protocol/AgentKeyOf.h"
#include "settings/ConfigurationForm.h"
#include "settings/PasswordForm.h"
#include "settings/SetRequest.h"

namespace vantelo {

namespace {

std::span<const DeviceRecord> FirstSlots(const DeviceTable& table, int count) {
    return std::span<const DeviceRecord>(table).first(static_cast<size_t>(count));
}

}  // namespace

const DeviceRecord& DeviceSettings::Target(SelectionTarget target) const {
    const DeviceTable& table =
        target.inMonitorTable ? p_.lists.MonitorTable() : p_.lists.DiscoveryTable();
    return table[static_cast<size_t>(target.slotIndex)];
}

bool DeviceSettings::RefuseLoaderMode(SelectionTarget target) {
    if (Target(target).loaderMark != kLoaderMark) {
        return false;
    }
    p_.boxes.Report(
        OutcomeKind::LoaderMode,
        ErrorBox(target.inMonitorTable
                     ? "Agent is in loader mode, it can't set"
                     : "Agent is in loader mode, it can't set \n it needs firmware upgrade"),
        KeyOf(Target(target)));
    return true;
}

void DeviceSettings::Refuse(const FormFault& fault) {
    p_.boxes.Ask(MessageBoxRequest{fault.text, fault.caption, BoxIcon::Error, BoxButtons::Ok,
                                   BoxOwner::Dialog});
}

// The target's record is read when Set is pressed: replies stored while the dialog was open
// count, as the agent's interface version for one.
int DeviceSettings::ApplyConfiguration(const DialogFields& fields, SelectionTarget target,
                                       RowCounts counts) {
    AddressesInUse inUse{FirstSlots(p_.lists.MonitorTable(), counts.monitor), {}, -1};
    if (target.inMonitorTable) {
        inUse.discovery = FirstSlots(p_.lists.DiscoveryTable(), counts.discovery);
        inUse.ownMonitorSlot = target.slotIndex;
    }
    DeviceRecord request{};
    FormFault fault{};
    if (ReadConfigurationForm(fields, Target(target), inUse, &request, &fault) != 0) {
        Refuse(fault);
        return -1;
    }
    SendSetRequest(SetRequestParts{p_.transport, p_.lists, p_.boxes, p_.pending}, request, target,
                   "Unicast set send error");
    return 0;
}

int DeviceSettings::ApplyPassword(const DialogFields& fields, SelectionTarget target) {
    DeviceRecord request{};
    FormFault fault{};
    if (ReadPasswordForm(fields, Target(target), &request, &fault) != 0) {
        Refuse(fault);
        return -1;
    }
    SendSetRequest(SetRequestParts{p_.transport, p_.lists, p_.boxes, p_.pending}, request, target,
                   "unicast set send error");
    return 0;
}

void DeviceSettings::Configure(SelectionTarget target, RowCounts counts) {
    if (RefuseLoaderMode(target)) {
        return;
    }
    DialogRequest request{DialogId::Configuration, ConfigurationFields(Target(target)), {}, {}, {}};
    request.buttons[ControlId::ConfigSet] = [this, target, counts](const DialogFields& fields) {
        return ApplyConfiguration(fields, target, counts);
    };
    p_.dialogs.Run(request);
}

void DeviceSettings::ChangePassword(SelectionTarget target) {
    if (RefuseLoaderMode(target)) {
        return;
    }
    DialogRequest request{DialogId::PasswordChange, {}, {}, {}, {}};
    request.buttons[ControlId::PasswordSet] = [this, target](const DialogFields& fields) {
        return ApplyPassword(fields, target);
    };
    p_.dialogs.Run(request);
}

}  // namespace vantelo
