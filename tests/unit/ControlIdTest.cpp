// The numbers behind the control ids: the windows' templates and the accessibility tools know the
// controls by them, so a name must never drift to another number. The one place where the
// numbers are written out; every other test names its controls.

#include <gtest/gtest.h>

#include "ports/ControlId.h"

namespace vantelo {
namespace {

TEST(ControlId, EachNameKeepsItsNumber) {
    struct Case {
        ControlId id;
        int number;
        const char* name;
    } cases[] = {
        {ControlId::DiscoveryList, 1000, "DiscoveryList"},
        {ControlId::Discovery, 1001, "Discovery"},
        {ControlId::AddToMonitorList, 1002, "AddToMonitorList"},
        {ControlId::MonitorList, 1003, "MonitorList"},
        {ControlId::DeleteItem, 1004, "DeleteItem"},
        {ControlId::AddItem, 1005, "AddItem"},
        {ControlId::TrapIndicator, 1006, "TrapIndicator"},
        {ControlId::ViewTrap, 1007, "ViewTrap"},
        {ControlId::PasswordChange, 1008, "PasswordChange"},
        {ControlId::ConfigurationSetting, 1009, "ConfigurationSetting"},
        {ControlId::WebAccess, 1015, "WebAccess"},
        {ControlId::FirmwareUpgrade, 1042, "FirmwareUpgrade"},
        {ControlId::Exit, 1053, "Exit"},
        {ControlId::RemoteIpAddress, 1010, "RemoteIpAddress"},
        {ControlId::RemoteIpLabel, 1115, "RemoteIpLabel"},
        {ControlId::RemoteIpApply, 1, "RemoteIpApply"},
        {ControlId::RemoteIpCancel, 2, "RemoteIpCancel"},
        {ControlId::ConfigProductName, 1024, "ConfigProductName"},
        {ControlId::ConfigMacAddress, 1028, "ConfigMacAddress"},
        {ControlId::ConfigIpAddress, 1033, "ConfigIpAddress"},
        {ControlId::ConfigSubnetMask, 1036, "ConfigSubnetMask"},
        {ControlId::ConfigGateway, 1034, "ConfigGateway"},
        {ControlId::ConfigTrapIp, 1035, "ConfigTrapIp"},
        {ControlId::ConfigSystemName, 1027, "ConfigSystemName"},
        {ControlId::ConfigLocation, 1031, "ConfigLocation"},
        {ControlId::ConfigPassword, 1022, "ConfigPassword"},
        {ControlId::ConfigDhcpEnable, 1130, "ConfigDhcpEnable"},
        {ControlId::ConfigDhcpDisable, 1131, "ConfigDhcpDisable"},
        {ControlId::ConfigSet, 1011, "ConfigSet"},
        {ControlId::NewPassword, 1021, "NewPassword"},
        {ControlId::ConfirmPassword, 1023, "ConfirmPassword"},
        {ControlId::OriginalPassword, 1016, "OriginalPassword"},
        {ControlId::PasswordSet, 1032, "PasswordSet"},
        {ControlId::SettingsCancel, 1015, "SettingsCancel"},
        {ControlId::TrapOk, 1, "TrapOk"},
        {ControlId::TrapList, 1014, "TrapList"},
        {ControlId::TrapClearAll, 1015, "TrapClearAll"},
        {ControlId::UpgradeDeviceIp, 1060, "UpgradeDeviceIp"},
        {ControlId::UpgradeDeviceMac, 1061, "UpgradeDeviceMac"},
        {ControlId::UpgradeFirmwarePath, 1045, "UpgradeFirmwarePath"},
        {ControlId::UpgradeBrowse, 1074, "UpgradeBrowse"},
        {ControlId::UpgradePassword, 1070, "UpgradePassword"},
        {ControlId::UpgradeState, 1073, "UpgradeState"},
        {ControlId::UpgradeStart, 1015, "UpgradeStart"},
        {ControlId::UpgradeCancel, 2, "UpgradeCancel"},
        {ControlId::UpgradeProgress, 1130, "UpgradeProgress"},
        {ControlId::UpgradeDeviceIpLabel, 1115, "UpgradeDeviceIpLabel"},
        {ControlId::UpgradeDeviceMacLabel, 1116, "UpgradeDeviceMacLabel"},
        {ControlId::UpgradeFirmwarePathLabel, 1117, "UpgradeFirmwarePathLabel"},
        {ControlId::UpgradePasswordLabel, 1118, "UpgradePasswordLabel"},
        {ControlId::UpgradeStateLabel, 1119, "UpgradeStateLabel"},
        {ControlId::UpgradeDeviceGroup, 1120, "UpgradeDeviceGroup"},
        {ControlId::UpgradeSettingGroup, 1121, "UpgradeSettingGroup"},
        {ControlId::AboutOk, 1, "AboutOk"},
        {ControlId::AboutProgram, 1115, "AboutProgram"},
        {ControlId::AboutProtocol, 1116, "AboutProtocol"},
        {ControlId::AboutCopyright, 1117, "AboutCopyright"},
        {ControlId::MonitorSave, 32771, "MonitorSave"},
        {ControlId::MonitorLoad, 32773, "MonitorLoad"},
        {ControlId::FileExit, 32774, "FileExit"},
        {ControlId::MonitorSaveAs, 32775, "MonitorSaveAs"},
        {ControlId::ViewLog, 32776, "ViewLog"},
        {ControlId::RefreshTime15Secs, 32778, "RefreshTime15Secs"},
        {ControlId::RefreshTime30Secs, 32779, "RefreshTime30Secs"},
        {ControlId::RefreshTime1Min, 32780, "RefreshTime1Min"},
        {ControlId::RefreshTime2Mins, 32781, "RefreshTime2Mins"},
        {ControlId::RefreshTime5Mins, 32782, "RefreshTime5Mins"},
        {ControlId::About, 32783, "About"},
        {ControlId::ClearLog, 32791, "ClearLog"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<int>(c.id), c.number) << c.name;
    }
}

}  // namespace
}  // namespace vantelo
