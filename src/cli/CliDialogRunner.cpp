#include "cli/CliDialogRunner.h"

#include "cli/EventWait.h"

namespace vantelo::cli {

namespace {

// The open dialog as the engine changes it: the changes go to the command, and Close ends the
// wait.
class ScriptedDialog final : public OpenDialog {
public:
    explicit ScriptedDialog(const DialogScript& script) : script_(script) {}

    void SetText(ControlId control, const std::string& text) override {
        if (script_.onText) {
            script_.onText(control, text);
        }
    }
    void SetProgress(ControlId, int value, int maximum) override {
        if (script_.onProgress) {
            script_.onProgress(value, maximum);
        }
    }
    void SetEnabled(ControlId, bool) override {}
    void Close(bool ok) override {
        closed_ = true;
        ok_ = ok;
    }

    bool Closed() const { return closed_; }
    bool Ok() const { return ok_; }

private:
    const DialogScript& script_;
    bool closed_ = false;
    bool ok_ = false;
};

}  // namespace

bool CliDialogRunner::Run(const DialogRequest& request) {
    ++opened_[request.id];
    accepted_[request.id] = false;
    auto script = scripts_.find(request.id);
    auto button = script == scripts_.end() ? request.buttons.end()
                                           : request.buttons.find(script->second.press);
    if (button == request.buttons.end()) {
        return false;
    }
    const DialogScript& steps = script->second;
    DialogFields fields = request.initial;
    for (const auto& [control, text] : steps.typed) {
        fields[control] = text;
    }
    ScriptedDialog dialog(steps);
    if (request.attach) {
        request.attach(&dialog);
    }
    bool ok = button->second(fields) == 0;
    if (!ok && steps.keepOpen) {
        RunUntil([&] { return dialog.Closed() || !steps.keepOpen(); }, kNoLimit);
        ok = dialog.Closed() && dialog.Ok();
    }
    if (request.attach) {
        request.attach(nullptr);
    }
    accepted_[request.id] = ok;
    return ok;
}

int CliDialogRunner::Opened(DialogId id) const {
    auto found = opened_.find(id);
    return found == opened_.end() ? 0 : found->second;
}

bool CliDialogRunner::Accepted(DialogId id) const {
    auto found = accepted_.find(id);
    return found != accepted_.end() && found->second;
}

}  // namespace vantelo::cli
