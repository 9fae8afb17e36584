#pragma once

#include "ports/DialogRunner.h"
#include "protocol/DeviceRecord.h"
#include "settings/FormFields.h"

namespace vantelo {

// Checks the password form in its fixed order and, when it passes, makes *request a copy of the
// target's record carrying the original password and the new one, and returns 0; else returns
// -1 with the first fault.
int ReadPasswordForm(const DialogFields& fields, const DeviceRecord& target, DeviceRecord* request,
                     FormFault* fault);

}  // namespace vantelo
