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
    for (const ScriptedPress& press : dialog.presses) {
        auto action = request.buttons.find(press.button);
        if (action == request.buttons.end()) {
            ADD_FAILURE() << "the dialog has no button " << static_cast<int>(press.button);
            return false;
        }
        if (press.before) {
            press.before();
        }
        int result = action->second(press.fields);
        buttonResults_.push_back(result);
        if (result == 0) {
            return true;
        }
    }
    return false;
}

int FixedAddressTable::Read(std::vector<InterfaceAddress>* out) {
    if (error != 0) {
        return error;
    }
    *out = addresses;
    return 0;
}

}  // namespace vantelo::test
