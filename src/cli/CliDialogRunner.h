#pragma once

#include <functional>
#include <map>
#include <string>

#include "ports/DialogRunner.h"

namespace vantelo::cli {

// What a command does in one dialog: the fields it types over the dialog's own, the button it
// presses, and, for a dialog that works on after the press (the upgrade), how long to keep it
// open.
struct DialogScript {
    DialogFields typed;
    ControlId press = ControlId::RemoteIpApply;
    // Called with every change the engine makes to the open dialog.
    std::function<void(ControlId, const std::string&)> onText;
    std::function<void(int value, int maximum)> onProgress;
    // After a press that keeps the dialog open: true while the command waits on in it. Empty:
    // the press was refused and the dialog is cancelled.
    std::function<bool()> keepOpen;
};

// Runs the engine's dialogs without a window: the fields the dialog opens with, overlaid by
// what the command typed, go to the engine's own button handler, so the form is checked by the
// same functions, in the same order, with the same texts as in the window.
class CliDialogRunner final : public DialogRunner {
public:
    // The script for every later run of dialog id.
    void Script(DialogId id, DialogScript script) { scripts_[id] = std::move(script); }

    bool Run(const DialogRequest& request) override;

    // The dialogs that were opened, and whether the last press of each closed it.
    int Opened(DialogId id) const;
    bool Accepted(DialogId id) const;

private:
    std::map<DialogId, DialogScript> scripts_;
    std::map<DialogId, int> opened_;
    std::map<DialogId, bool> accepted_;
};

}  // namespace vantelo::cli
