#pragma once

namespace vantelo {

// The windows' control, menu command and bitmap ids. Each control carries its id as its object
// name, so tests and accessibility tools find it; dialogs hand their fields to the engine by id.
enum class ControlId : int {
    // Main window.
    DiscoveryList = 1000,
    Discovery = 1001,
    AddToMonitorList = 1002,
    MonitorList = 1003,
    DeleteItem = 1004,
    AddItem = 1005,
    TrapIndicator = 1006,
    ViewTrap = 1007,
    PasswordChange = 1008,
    ConfigurationSetting = 1009,
    WebAccess = 1015,
    FirmwareUpgrade = 1042,
    Exit = 1053,
    // Remote IP dialog.
    RemoteIpAddress = 1010,
    RemoteIpLabel = 1115,
    RemoteIpApply = 1,  // the dialog's OK button
    RemoteIpCancel = 2,
    // Configuration setting dialog.
    ConfigProductName = 1024,
    ConfigMacAddress = 1028,
    ConfigIpAddress = 1033,
    ConfigSubnetMask = 1036,
    ConfigGateway = 1034,
    ConfigTrapIp = 1035,
    ConfigSystemName = 1027,
    ConfigLocation = 1031,
    ConfigPassword = 1022,
    ConfigDhcpEnable = 1130,
    ConfigDhcpDisable = 1131,
    ConfigSet = 1011,
    // Password change dialog.
    NewPassword = 1021,
    ConfirmPassword = 1023,
    OriginalPassword = 1016,
    PasswordSet = 1032,
    // The Cancel button of both settings dialogs.
    SettingsCancel = 1015,
    // Trap information dialog.
    TrapOk = 1,
    TrapList = 1014,
    TrapClearAll = 1015,
    // Firmware Upgrade dialog.
    UpgradeDeviceIp = 1060,
    UpgradeDeviceMac = 1061,
    UpgradeFirmwarePath = 1045,
    UpgradeBrowse = 1074,
    UpgradePassword = 1070,
    UpgradeState = 1073,
    UpgradeStart = 1015,
    UpgradeCancel = 2,
    UpgradeProgress = 1130,  // the bar under the Upgrade State field, not in the template
    UpgradeDeviceIpLabel = 1115,
    UpgradeDeviceMacLabel = 1116,
    UpgradeFirmwarePathLabel = 1117,
    UpgradePasswordLabel = 1118,
    UpgradeStateLabel = 1119,
    UpgradeDeviceGroup = 1120,
    UpgradeSettingGroup = 1121,
    // About box.
    AboutOk = 1,
    AboutProgram = 1115,
    AboutProtocol = 1116,
    AboutCopyright = 1117,
    // Main menu commands.
    MonitorSave = 32771,
    MonitorLoad = 32773,
    FileExit = 32774,
    MonitorSaveAs = 32775,
    ViewLog = 32776,
    RefreshTime15Secs = 32778,
    RefreshTime30Secs = 32779,
    RefreshTime1Min = 32780,
    RefreshTime2Mins = 32781,
    RefreshTime5Mins = 32782,
    About = 32783,
    ClearLog = 32791,
};

}  // namespace vantelo
