#pragma once

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "lists/Selection.h"
#include "ports/DialogRunner.h"
#include "settings/FormFields.h"
#include "settings/PendingSet.h"
#include "transport/Transport.h"

namespace vantelo {

// The list rows counted when a configuration command began; the duplicate-address test of its
// dialog looks no further, whatever arrives while the dialog is open.
struct RowCounts {
    int monitor = 0;
    int discovery = 0;
};

// The configuration and password dialogs of the agent chosen by the selection checks, and the
// set request each sends.
class DeviceSettings {
public:
    struct Parts {
        Transport& transport;
        AgentLists& lists;
        Boxes& boxes;
        DialogRunner& dialogs;
        PendingSet& pending;
    };

    explicit DeviceSettings(const Parts& parts) : p_(parts) {}

    // Each refuses an agent in loader mode, else runs its dialog until the operator cancels or a
    // valid form has been sent.
    void Configure(SelectionTarget target, RowCounts counts);
    void ChangePassword(SelectionTarget target);

private:
    bool RefuseLoaderMode(SelectionTarget target);
    const DeviceRecord& Target(SelectionTarget target) const;
    int ApplyConfiguration(const DialogFields& fields, SelectionTarget target, RowCounts counts);
    int ApplyPassword(const DialogFields& fields, SelectionTarget target);
    void Refuse(const FormFault& fault);

    Parts p_;
};

}  // namespace vantelo
