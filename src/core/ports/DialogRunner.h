#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "ports/ControlId.h"

namespace vantelo {

class ListModel;

enum class DialogId { RemoteIp, Configuration, PasswordChange, TrapInfo, FirmwareUpgrade };

// The texts of a dialog's fields by control id: an address control gives its dotted text, empty
// when the operator left it blank; a radio button gives "1" when checked and "0" when not, and
// has no entry in `initial` when it starts disabled.
using DialogFields = std::map<ControlId, std::string>;

// A list in a dialog: the rows the engine keeps for it, and what the operator's selections,
// clicks on the rows and clicks on a column heading do. The rows outlive the dialog.
struct DialogList {
    ControlId control;
    ListModel* rows = nullptr;
    std::function<void(int row, bool selected)> select;
    std::function<void()> click;
    std::function<void(int column)> columnClick;
};

// An open dialog as the engine changes it between button presses: a transfer's state text and
// progress, a button held disabled while work runs, and the end the engine decides.
class OpenDialog {
public:
    virtual ~OpenDialog() = default;
    virtual void SetText(ControlId control, const std::string& text) = 0;
    virtual void SetProgress(ControlId control, int value, int maximum) = 0;
    virtual void SetEnabled(ControlId control, bool enabled) = 0;
    // Ends the dialog as its OK would (ok) or as Cancel would.
    virtual void Close(bool ok) = 0;
};

// A modal dialog as the engine asks for it: what its fields show when it opens and what its
// buttons do. A button's action returns 0 to close the dialog with OK, -1 to keep it open.
// attach, when set, gets the dialog once it is open and nullptr once it has closed.
struct DialogRequest {
    DialogId id;
    DialogFields initial;
    std::map<ControlId, std::function<int(const DialogFields&)>> buttons;
    std::optional<DialogList> list;
    std::function<void(OpenDialog*)> attach;
};

// Runs the console's modal dialogs, one generic way for every dialog.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Runs the dialog until it closes; true when it closed with OK.
    virtual bool Run(const DialogRequest& request) = 0;
};

}  // namespace vantelo
