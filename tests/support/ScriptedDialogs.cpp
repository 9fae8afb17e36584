#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace vantelo::test {

ScriptedDialogRunner::~ScriptedDialogRunner() {
    if (!expected_.empty()) {
        ADD_FAILURE() << expected_.size() << " expected Remote IP dialog(s) never opened";
    }
}

void ScriptedDialogRunner::ExpectAddRemoteIp(std::vector<uint32_t> applies) {
    expected_.push_back(std::move(applies));
}

bool ScriptedDialogRunner::RunAddRemoteIp() {
    if (expected_.empty() || console_ == nullptr) {
        ADD_FAILURE() << "unexpected Remote IP dialog";
        return false;
    }
    std::vector<uint32_t> applies = std::move(expected_.front());
    expected_.pop_front();
    for (uint32_t address : applies) {
        int result = console_->ApplyRemoteIp(address);
        applyResults_.push_back(result);
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
