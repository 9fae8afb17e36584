#pragma once

#include <cstdint>
#include <span>

#include "ports/DialogRunner.h"
#include "protocol/DeviceRecord.h"
#include "settings/FormFields.h"

namespace vantelo {

// The records an address chosen in the form must not collide with: the monitor slots and the
// discovery slots counted when the command began (none for a discovered target), without the
// target's own monitor slot (-1 for a discovered target).
struct AddressesInUse {
    std::span<const DeviceRecord> monitor;
    std::span<const DeviceRecord> discovery;
    int ownMonitorSlot = -1;
};

bool IsAddressInUse(uint32_t address, const AddressesInUse& inUse);

// The DHCP choice of the two radio buttons: 1 "Enable", 0 "Disable", 2 neither.
uint16_t DhcpChoice(const DialogFields& fields);

// An address control's text; empty or not dotted decimal reads as 0.0.0.0.
uint32_t AddressFieldValue(const DialogFields& fields, ControlId control);

// The fields the dialog opens with, from the target's record. An address text that is empty or
// not dotted decimal shows as an empty control.
DialogFields ConfigurationFields(const DeviceRecord& target);

// Checks the form in its fixed order and, when it passes, fills *request from a cleared record
// and returns 0; else returns -1 with the first fault.
int ReadConfigurationForm(const DialogFields& fields, const DeviceRecord& target,
                          const AddressesInUse& inUse, DeviceRecord* request, FormFault* fault);

}  // namespace vantelo
