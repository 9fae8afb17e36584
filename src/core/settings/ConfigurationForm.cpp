#include "settings/ConfigurationForm.h"

#include <string>
#include <string_view>

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"
#include "settings/AddressRules.h"

namespace vantelo {

namespace {

constexpr size_t kNameLimit = 20;
constexpr size_t kPasswordLimit = 20;
constexpr size_t kMacTextLength = 12;
constexpr const char* kChecked = "1";

template <size_t N>
void CopyText(char (&field)[N], std::string_view text) {
    CopyField(field, text.data(), text.size());
}

std::string ShownAddress(std::string_view text) {
    uint32_t address = 0;
    return TextToIp(text, &address) == 0 ? IpToText(address) : std::string();
}

// Names, location and password; 0 when they pass.
int ReadTexts(const DialogFields& fields, DeviceRecord* request, FormFault* fault) {
    CopyText(request->productName, FieldText(fields, ControlId::ConfigProductName));
    std::string_view systemName = FieldText(fields, ControlId::ConfigSystemName);
    if (systemName.size() > kNameLimit) {
        *fault = FormFault{"System name lengths between 0-20"};
        return -1;
    }
    CopyText(request->systemName, systemName);
    std::string_view location = FieldText(fields, ControlId::ConfigLocation);
    if (location.size() > kNameLimit) {
        *fault = FormFault{"Location lengths between 0-20"};
        return -1;
    }
    CopyText(request->location, location);
    std::string_view password = FieldText(fields, ControlId::ConfigPassword);
    if (password.empty() || password.size() > kPasswordLimit) {
        *fault = FormFault{"Password lengths between 1-20"};
        return -1;
    }
    CopyText(request->password, password);
    CopyText(request->macText,
             FieldText(fields, ControlId::ConfigMacAddress).substr(0, kMacTextLength));
    return 0;
}

// The fixed address, mask and gateway; 0 when they pass.
int ReadFixedAddresses(const DialogFields& fields, const AddressesInUse& inUse,
                       DeviceRecord* request, FormFault* fault) {
    uint32_t ip = AddressFieldValue(fields, ControlId::ConfigIpAddress);
    if (ip == 0) {
        *fault = FormFault{"Illegal ip address"};
        return -1;
    }
    if (IsAddressInUse(ip, inUse)) {
        *fault = FormFault{"The setting IP have already existed ", "Setting fail"};
        return -1;
    }
    uint32_t mask = AddressFieldValue(fields, ControlId::ConfigSubnetMask);
    uint32_t gateway = AddressFieldValue(fields, ControlId::ConfigGateway);
    if (!IsHostPartValid(ip, mask)) {
        *fault = FormFault{"Subnet mask is illegal"};
        return -1;
    }
    if (!IsGatewayInSubnet(ip, gateway, mask)) {
        *fault = FormFault{"Gateway and ip address are not in the same net "};
        return -1;
    }
    if (!IsMaskContiguous(mask)) {
        *fault = FormFault{"Invalid subnet"};
        return -1;
    }
    SetAddressField(ip, &request->ip, request->ipText);
    SetAddressField(mask, &request->subnetMask, request->subnetMaskText);
    SetAddressField(gateway, &request->gateway, request->gatewayText);
    return 0;
}

}  // namespace

bool IsAddressInUse(uint32_t address, const AddressesInUse& inUse) {
    for (size_t slot = 0; slot < inUse.monitor.size(); ++slot) {
        if (static_cast<int>(slot) != inUse.ownMonitorSlot && inUse.monitor[slot].ip == address) {
            return true;
        }
    }
    for (const DeviceRecord& record : inUse.discovery) {
        if (record.ip == address) {
            return true;
        }
    }
    return false;
}

uint16_t DhcpChoice(const DialogFields& fields) {
    if (FieldText(fields, ControlId::ConfigDhcpEnable) == kChecked) {
        return 1;
    }
    return FieldText(fields, ControlId::ConfigDhcpDisable) == kChecked ? 0 : kDhcpNotReported;
}

uint32_t AddressFieldValue(const DialogFields& fields, ControlId control) {
    uint32_t address = 0;
    return TextToIp(FieldText(fields, control), &address) == 0 ? address : 0;
}

DialogFields ConfigurationFields(const DeviceRecord& target) {
    DialogFields fields{
        {ControlId::ConfigProductName, std::string(TextOf(target.productName))},
        {ControlId::ConfigMacAddress, std::string(TextOf(target.macText))},
        {ControlId::ConfigSystemName, std::string(TextOf(target.systemName))},
        {ControlId::ConfigLocation, std::string(TextOf(target.location))},
        {ControlId::ConfigIpAddress, IpToText(target.ip)},
        {ControlId::ConfigSubnetMask, ShownAddress(TextOf(target.subnetMaskText))},
        {ControlId::ConfigGateway, ShownAddress(TextOf(target.gatewayText))},
        {ControlId::ConfigTrapIp, ShownAddress(TextOf(target.trapIpText))},
        {ControlId::ConfigPassword, std::string()},
    };
    if (target.dhcp != kDhcpNotReported) {
        bool enabled = target.dhcp != 0;
        fields[ControlId::ConfigDhcpEnable] = enabled ? "1" : "0";
        fields[ControlId::ConfigDhcpDisable] = enabled ? "0" : "1";
    }
    return fields;
}

int ReadConfigurationForm(const DialogFields& fields, const DeviceRecord& target,
                          const AddressesInUse& inUse, DeviceRecord* request, FormFault* fault) {
    DeviceRecord built{};
    built.dhcp = DhcpChoice(fields);
    built.interfaceVersion = target.interfaceVersion;
    if (ReadTexts(fields, &built, fault) != 0) {
        return -1;
    }
    // With DHCP the agent chooses its own addresses: the three controls are not read.
    if (built.dhcp != 1 && ReadFixedAddresses(fields, inUse, &built, fault) != 0) {
        return -1;
    }
    uint32_t trapIp = AddressFieldValue(fields, ControlId::ConfigTrapIp);
    SetAddressField(trapIp, &built.trapIp, built.trapIpText);
    *request = built;
    return 0;
}

}  // namespace vantelo
