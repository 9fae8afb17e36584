#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"
#include "settings/ConfigurationForm.h"
#include "settings/PasswordForm.h"

namespace vantelo {
namespace {

constexpr const char* kSettingFail = "Setting fail";

uint32_t Ip(const char* text) {
    uint32_t address = 0;
    EXPECT_EQ(TextToIp(text, &address), 0) << text;
    return address;
}

DeviceRecord WithIp(const char* text) {
    DeviceRecord record{};
    SetAddressField(Ip(text), &record.ip, record.ipText);
    return record;
}

DialogFields ValidConfiguration() {
    return DialogFields{
        {ControlId::ConfigProductName, "VS-24P"},  {ControlId::ConfigMacAddress, "020a1b000001"},
        {ControlId::ConfigIpAddress, "10.77.0.2"}, {ControlId::ConfigSubnetMask, "255.255.0.0"},
        {ControlId::ConfigGateway, "10.77.0.254"}, {ControlId::ConfigTrapIp, "10.77.0.1"},
        {ControlId::ConfigSystemName, "sw1"},      {ControlId::ConfigLocation, "lab"},
        {ControlId::ConfigPassword, "secret"},     {ControlId::ConfigDhcpEnable, "0"},
        {ControlId::ConfigDhcpDisable, "1"},
    };
}

// The tables around a monitored target in slot 1: monitor slots hold 10.77.0.5, the target's
// 10.77.0.2 and 10.77.0.7 (beyond the counted rows); discovery slots hold 10.77.0.9.
struct Tables {
    std::vector<DeviceRecord> monitor{WithIp("10.77.0.5"), WithIp("10.77.0.2"),
                                      WithIp("10.77.0.7")};
    std::vector<DeviceRecord> discovery{WithIp("10.77.0.9"), WithIp("10.77.0.10")};

    AddressesInUse ForMonitorTarget() const {
        return AddressesInUse{std::span(monitor).first(2), std::span(discovery), 1};
    }
    AddressesInUse ForDiscoveryTarget() const {
        return AddressesInUse{std::span(monitor).first(2), {}, -1};
    }
};

TEST(ConfigurationForm, RefusesInItsFixedOrderAtEachBoundary) {
    const std::string twenty(20, 'x');
    const std::string twentyOne(21, 'x');
    struct Row {
        const char* name;
        DialogFields changes;
        bool discoveryTarget;
        const char* fault;  // nullptr: the form passes
        const char* caption;
    } rows[] = {
        {"system name of 20", {{ControlId::ConfigSystemName, twenty}}, false, nullptr, nullptr},
        {"system name of 21",
         {{ControlId::ConfigSystemName, twentyOne}},
         false,
         "System name lengths between 0-20",
         "Error"},
        {"empty names",
         {{ControlId::ConfigSystemName, ""}, {ControlId::ConfigLocation, ""}},
         false,
         nullptr,
         nullptr},
        {"system name before location",
         {{ControlId::ConfigSystemName, twentyOne}, {ControlId::ConfigLocation, twentyOne}},
         false,
         "System name lengths between 0-20",
         "Error"},
        {"location of 20", {{ControlId::ConfigLocation, twenty}}, false, nullptr, nullptr},
        {"location of 21, before the password",
         {{ControlId::ConfigLocation, twentyOne}, {ControlId::ConfigPassword, ""}},
         false,
         "Location lengths between 0-20",
         "Error"},
        {"password of 20", {{ControlId::ConfigPassword, twenty}}, false, nullptr, nullptr},
        {"empty password, before the address",
         {{ControlId::ConfigPassword, ""}, {ControlId::ConfigIpAddress, "0.0.0.0"}},
         false,
         "Password lengths between 1-20",
         "Error"},
        {"password of 21",
         {{ControlId::ConfigPassword, twentyOne}},
         false,
         "Password lengths between 1-20",
         "Error"},
        {"address 0.0.0.0",
         {{ControlId::ConfigIpAddress, "0.0.0.0"}},
         false,
         "Illegal ip address",
         "Error"},
        {"blank address control reads as 0.0.0.0",
         {{ControlId::ConfigIpAddress, ""}},
         false,
         "Illegal ip address",
         "Error"},
        {"neither radio checked: the address is tested",
         {{ControlId::ConfigDhcpDisable, "0"}, {ControlId::ConfigIpAddress, "0.0.0.0"}},
         false,
         "Illegal ip address",
         "Error"},
        {"another monitored agent's address, before the mask",
         {{ControlId::ConfigIpAddress, "10.77.0.5"}, {ControlId::ConfigSubnetMask, "255.0.255.0"}},
         false,
         "The setting IP have already existed ",
         kSettingFail},
        {"the target keeps its own address", {}, false, nullptr, nullptr},
        {"a discovered agent's address, monitored target",
         {{ControlId::ConfigIpAddress, "10.77.0.9"}},
         false,
         "The setting IP have already existed ",
         kSettingFail},
        {"a monitor slot beyond the counted rows",
         {{ControlId::ConfigIpAddress, "10.77.0.7"}},
         false,
         nullptr,
         nullptr},
        {"another discovered agent's address, discovered target",
         {{ControlId::ConfigIpAddress, "10.77.0.9"}},
         true,
         nullptr,
         nullptr},
        {"a monitored agent's address, discovered target",
         {{ControlId::ConfigIpAddress, "10.77.0.2"}},
         true,
         "The setting IP have already existed ",
         kSettingFail},
        {"host part all zeros, before the gateway",
         {{ControlId::ConfigIpAddress, "192.168.1.0"},
          {ControlId::ConfigSubnetMask, "255.255.255.0"},
          {ControlId::ConfigGateway, "10.0.0.1"}},
         false,
         "Subnet mask is illegal",
         "Error"},
        {"host part all ones",
         {{ControlId::ConfigIpAddress, "192.168.1.255"},
          {ControlId::ConfigSubnetMask, "255.255.255.0"},
          {ControlId::ConfigGateway, "0.0.0.0"}},
         false,
         "Subnet mask is illegal",
         "Error"},
        {"gateway in another net",
         {{ControlId::ConfigIpAddress, "192.168.1.10"},
          {ControlId::ConfigSubnetMask, "255.255.255.0"},
          {ControlId::ConfigGateway, "192.168.2.1"}},
         false,
         "Gateway and ip address are not in the same net ",
         "Error"},
        {"no gateway",
         {{ControlId::ConfigIpAddress, "192.168.1.10"},
          {ControlId::ConfigSubnetMask, "255.255.255.0"},
          {ControlId::ConfigGateway, "0.0.0.0"}},
         false,
         nullptr,
         nullptr},
        {"non-contiguous mask passes the host part test",
         {{ControlId::ConfigIpAddress, "10.1.2.3"},
          {ControlId::ConfigSubnetMask, "255.0.255.0"},
          {ControlId::ConfigGateway, "0.0.0.0"}},
         false,
         "Invalid subnet",
         "Error"},
        {"DHCP: the address controls are not read",
         {{ControlId::ConfigDhcpEnable, "1"},
          {ControlId::ConfigDhcpDisable, "0"},
          {ControlId::ConfigIpAddress, "10.77.0.5"},
          {ControlId::ConfigSubnetMask, "255.0.255.0"},
          {ControlId::ConfigGateway, "1.2.3.4"}},
         false,
         nullptr,
         nullptr},
    };
    Tables tables;
    DeviceRecord target = WithIp("10.77.0.2");
    for (const Row& row : rows) {
        DialogFields fields = ValidConfiguration();
        for (const auto& [control, text] : row.changes) {
            fields[control] = text;
        }
        DeviceRecord request{};
        FormFault fault{};
        int result = ReadConfigurationForm(
            fields, target,
            row.discoveryTarget ? tables.ForDiscoveryTarget() : tables.ForMonitorTarget(), &request,
            &fault);
        if (row.fault == nullptr) {
            EXPECT_EQ(result, 0) << row.name << ": " << (fault.text ? fault.text : "");
        } else {
            ASSERT_EQ(result, -1) << row.name;
            EXPECT_STREQ(fault.text, row.fault) << row.name;
            EXPECT_STREQ(fault.caption, row.caption) << row.name;
        }
    }
}

TEST(ConfigurationForm, APassingFormFillsACleanRequest) {
    DeviceRecord target = WithIp("10.77.0.2");
    target.interfaceVersion = 1;
    CopyField(target.newPassword, "stale", 5);
    Tables tables;
    struct Row {
        const char* name;
        const char* enable;
        const char* disable;
        uint16_t dhcp;
        const char* ip;
        const char* mask;
    } rows[] = {
        {"Disable", "0", "1", 0, "10.77.0.3", "255.255.0.0"},
        {"neither", "0", "0", 2, "10.77.0.3", "255.255.0.0"},
        {"Enable: addresses zero", "1", "0", 1, "0.0.0.0", "0.0.0.0"},
    };
    for (const Row& row : rows) {
        DialogFields fields = ValidConfiguration();
        fields[ControlId::ConfigDhcpEnable] = row.enable;
        fields[ControlId::ConfigDhcpDisable] = row.disable;
        fields[ControlId::ConfigIpAddress] = "10.77.0.3";
        fields[ControlId::ConfigMacAddress] = "020a1b000001ff";
        fields[ControlId::ConfigProductName] = std::string(45, 'p');
        fields[ControlId::ConfigTrapIp] = "0.0.0.0";
        DeviceRecord request{};
        FormFault fault{};
        ASSERT_EQ(
            ReadConfigurationForm(fields, target, tables.ForMonitorTarget(), &request, &fault), 0)
            << row.name;
        EXPECT_EQ(request.dhcp, row.dhcp) << row.name;
        EXPECT_EQ(IpToText(request.ip), row.ip) << row.name;
        EXPECT_EQ(IpToText(request.subnetMask), row.mask) << row.name;
        EXPECT_EQ(request.trapIp, 0u) << row.name;
        EXPECT_EQ(request.interfaceVersion, 1) << row.name;
        EXPECT_EQ(TextOf(request.macText), "020a1b000001") << row.name;
        EXPECT_EQ(TextOf(request.productName), std::string(40, 'p')) << row.name;
        EXPECT_EQ(TextOf(request.newPassword), "") << row.name;
    }
}

TEST(ConfigurationForm, OpensWithTheRecordAndShowsUnreadableAddressesEmpty) {
    DeviceRecord target = WithIp("10.77.0.2");
    CopyField(target.subnetMaskText, "", 0);
    CopyField(target.gatewayText, "10.77.0.300", 11);
    CopyField(target.trapIpText, "10.77.0.1", 9);
    CopyField(target.password, "remembered", 10);
    struct Row {
        uint16_t dhcp;
        const char* enable;  // nullptr: the radio buttons start disabled
        const char* disable;
    } rows[] = {{2, nullptr, nullptr}, {0, "0", "1"}, {1, "1", "0"}, {7, "1", "0"}};
    for (const Row& row : rows) {
        target.dhcp = row.dhcp;
        DialogFields fields = ConfigurationFields(target);
        EXPECT_EQ(fields[ControlId::ConfigIpAddress], "10.77.0.2");
        EXPECT_EQ(fields[ControlId::ConfigSubnetMask], "");
        EXPECT_EQ(fields[ControlId::ConfigGateway], "");
        EXPECT_EQ(fields[ControlId::ConfigTrapIp], "10.77.0.1");
        EXPECT_EQ(fields[ControlId::ConfigPassword], "");
        if (row.enable == nullptr) {
            EXPECT_FALSE(fields.contains(ControlId::ConfigDhcpEnable)) << row.dhcp;
            EXPECT_FALSE(fields.contains(ControlId::ConfigDhcpDisable)) << row.dhcp;
            EXPECT_EQ(DhcpChoice(fields), 2);
        } else {
            EXPECT_EQ(fields[ControlId::ConfigDhcpEnable], row.enable) << row.dhcp;
            EXPECT_EQ(fields[ControlId::ConfigDhcpDisable], row.disable) << row.dhcp;
        }
    }
}

TEST(PasswordForm, RefusesInItsFixedOrderAtEachBoundary) {
    const std::string twenty(20, 'n');
    const std::string twentyOne(21, 'n');
    constexpr const char* kLength = "Password length between 1-20  ";
    constexpr const char* kConfirm = "Confirm password fail";
    struct Row {
        const char* name;
        std::string original;
        std::string typed;
        std::string confirmed;
        const char* fault;
    } rows[] = {
        {"twenty characters each", "old", twenty, twenty, nullptr},
        {"new equals current", "same", "same", "same", nullptr},
        {"current of 21, before the new one", twentyOne, "", "", kLength},
        {"current empty", "", "new", "new", kLength},
        {"new empty", "old", "", "", kLength},
        {"new of 21, before the confirmation", "old", twentyOne, "x", kLength},
        {"confirmation empty", "old", "new", "", kConfirm},
        {"confirmation of 21", "old", twenty, twentyOne, kConfirm},
        {"confirmation differs in case", "old", "Secret", "secret", kConfirm},
        {"confirmation a prefix of the new", "old", "secret", "sec", kConfirm},
    };
    for (const Row& row : rows) {
        DialogFields fields{{ControlId::OriginalPassword, row.original},
                            {ControlId::NewPassword, row.typed},
                            {ControlId::ConfirmPassword, row.confirmed}};
        DeviceRecord request{};
        FormFault fault{};
        int result = ReadPasswordForm(fields, DeviceRecord{}, &request, &fault);
        if (row.fault == nullptr) {
            EXPECT_EQ(result, 0) << row.name;
        } else {
            ASSERT_EQ(result, -1) << row.name;
            EXPECT_STREQ(fault.text, row.fault) << row.name;
            EXPECT_STREQ(fault.caption, "Error") << row.name;
        }
    }
}

TEST(PasswordForm, TheRequestRepeatsTheRecordWithBothPasswords) {
    DeviceRecord target = WithIp("10.77.0.2");
    CopyField(target.password, "from a file", 11);
    CopyField(target.systemName, "sw1", 3);
    target.dhcp = 1;
    target.interfaceVersion = 1;
    DialogFields fields{{ControlId::OriginalPassword, "old"},
                        {ControlId::NewPassword, "new"},
                        {ControlId::ConfirmPassword, "new"}};
    DeviceRecord request{};
    FormFault fault{};
    ASSERT_EQ(ReadPasswordForm(fields, target, &request, &fault), 0);
    DeviceRecord expected = target;
    CopyField(expected.password, "old", 3);
    CopyField(expected.newPassword, "new", 3);
    EXPECT_EQ(std::memcmp(&request, &expected, sizeof request), 0);
}

}  // namespace
}  // namespace vantelo
