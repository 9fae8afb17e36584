#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "console/Console.h"
#include "ports/AddressTable.h"
#include "ports/DialogRunner.h"

namespace vantelo::test {

// Modal dialogs run from a script: each expected Remote IP dialog presses Apply with its
// addresses in turn until the console takes one (the dialog closes with OK), and presses Cancel
// when it takes none. A dialog that was not expected fails the test; so does an expected one
// that never opened.
class ScriptedDialogRunner : public DialogRunner {
public:
    ~ScriptedDialogRunner() override;

    void Attach(Console* console) { console_ = console; }
    void ExpectAddRemoteIp(std::vector<uint32_t> applies);
    bool RunAddRemoteIp() override;

    // What each Apply returned, over every dialog.
    const std::vector<int>& ApplyResults() const { return applyResults_; }

private:
    Console* console_ = nullptr;
    std::deque<std::vector<uint32_t>> expected_;
    std::vector<int> applyResults_;
};

// The workstation's address table as the test sets it; a non-zero error makes Read fail.
class FixedAddressTable : public AddressTable {
public:
    int Read(std::vector<InterfaceAddress>* addresses) override;

    std::vector<InterfaceAddress> addresses;
    int error = 0;
};

}  // namespace vantelo::test
