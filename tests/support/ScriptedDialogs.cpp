#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include "protocol/Conversions.h"

namespace vantelo::test {

ScriptedDialogRunner::~ScriptedDialogRunner() {
    if (!expected_.empty()) {
        ADD_FAILURE() << expected_.size() << " expected dialog(s) never opened";
    }
}

void ScriptedDialogRunner::Expect(DialogId id, std::vector<ScriptedPress> presses) {
    expected_.push_back(Expected{id, std::move(presses)});
}

void ScriptedDialogRunner::ExpectAddRemoteIp(const std::vector<uint32_t>& applies) {
    std::vector<ScriptedPress> presses;
    for (uint32_t address : applies) {
        presses.push_back(ScriptedPress{ControlId::RemoteIpApply,
                                        {{ControlId::RemoteIpAddress, IpToText(address)}}});
    }
    Expect(DialogId::RemoteIp, std::move(presses));
}

bool ScriptedDialogRunner::Run(const DialogRequest& request) {
    if (expected_.empty() || expected_.front().id != request.id) {
        ADD_FAILURE() << "unexpected dialog " << static_cast<int>(request.id);
        return false;
    }
    Expected dialog = std::move(expected_.front());
    expected_.pop_front();
    opened_.push_back(request.initial);
    changes.closed = false;
    changes.enabled.clear();
    if (request.attach) {
        request.attach(&changes);
    }
    bool ok = false;
    for (const ScriptedPress& press : dialog.presses) {
        auto action = request.buttons.find(press.button);
        if (action == request.buttons.end()) {
            ADD_FAILURE() << "the dialog has no button " << static_cast<int>(press.button);
            break;
        }
        if (changes.enabled.count(press.button) != 0 && !changes.enabled[press.button]) {
            ADD_FAILURE() << "button " << static_cast<int>(press.button) << " is disabled";
            break;
        }
        if (press.before) {
            press.before();
        }
        int result = action->second(press.fields);
        buttonResults_.push_back(result);
        if (result == 0 || changes.closed) {
            ok = result == 0 || changes.closedOk;
            break;
        }
        if (press.then) {
            press.then();
        }
        if (changes.closed) {
            ok = changes.closedOk;
            break;
        }
    }
    if (request.attach) {
        request.attach(nullptr);
    }
    return ok;
}

void DialogChanges::SetText(ControlId control, const std::string& text) {
    texts[control].push_back(text);
}

void DialogChanges::SetProgress(ControlId, int value, int maximum) {
    progress.emplace_back(value, maximum);
}

void DialogChanges::SetEnabled(ControlId control, bool on) {
    enabled[control] = on;
}

void DialogChanges::Close(bool ok) {
    closed = true;
    closedOk = ok;
}

int FixedAddressTable::Read(std::vector<InterfaceAddress>* out) {
    if (error != 0) {
        return error;
    }
    *out = addresses;
    return 0;
}

}  // namespace vantelo::test
