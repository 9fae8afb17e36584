#pragma once

#include <string>
#include <vector>

#include "ports/AddressTable.h"
#include "ports/ConsoleView.h"
#include "ports/DialogRunner.h"
#include "ports/UserInteraction.h"

namespace vantelo::test {

// Ports for runs that have no operator: fuzzing and benchmarks. Every box is answered OK and
// counted, every dialog is cancelled, and the address table cannot be read.
class QuietUserInteraction : public UserInteraction {
public:
    BoxAnswer ShowMessage(const MessageBoxRequest&) override {
        ++boxes;
        return BoxAnswer::Ok;
    }
    bool AskFileName(const FileDialogRequest&, std::string*) override { return false; }
    int OpenUrl(const std::string&) override { return 0; }
    void OpenTextFile(const std::string&) override {}

    long boxes = 0;
};

class CancelledDialogs : public DialogRunner {
public:
    bool Run(const DialogRequest&) override { return false; }
};

class QuietView : public ConsoleView {
public:
    void ShowTrapIndicator(TrapIndicator) override {}
    void ShowRefreshTime(int) override {}
};

class UnreadableAddressTable : public AddressTable {
public:
    int Read(std::vector<InterfaceAddress>*) override { return 1; }
};

}  // namespace vantelo::test
