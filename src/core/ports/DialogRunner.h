#pragma once

#include <functional>
#include <map>
#include <string>

#include "ports/ControlId.h"

namespace vantelo {

enum class DialogId { RemoteIp, Configuration, PasswordChange };

// The texts of a dialog's fields by control id: an address control gives its dotted text, empty
// when the operator left it blank; a radio button gives "1" when checked and "0" when not, and
// has no entry in `initial` when it starts disabled.
using DialogFields = std::map<ControlId, std::string>;

// A modal dialog as the engine asks for it: what its fields show when it opens and what its
// buttons do. A button's action returns 0 to close the dialog with OK, -1 to keep it open.
struct DialogRequest {
    DialogId id;
    DialogFields initial;
    std::map<ControlId, std::function<int(const DialogFields&)>> buttons;
};

// Runs the console's modal dialogs, one generic way for every dialog.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Runs the dialog until it closes; true when it closed with OK.
    virtual bool Run(const DialogRequest& request) = 0;
};

}  // namespace vantelo
