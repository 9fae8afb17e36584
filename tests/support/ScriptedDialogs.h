#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ports/AddressTable.h"
#include "ports/ConsoleView.h"
#include "ports/DialogRunner.h"

namespace vantelo::test {

// A button the script presses in a dialog, with what the dialog's fields hold at that moment;
// then runs while the dialog stays open after it (datagrams arrive, time passes), and before
// runs first, as the events of the dialog's loop would while the operator types.
struct ScriptedPress {
    ControlId button;
    DialogFields fields;
    std::function<void()> then = {};
    std::function<void()> before = {};
};

// What the engine did to the open dialogs, in order.
struct DialogChanges : public OpenDialog {
    void SetText(ControlId control, const std::string& text) override;
    void SetProgress(ControlId control, int value, int maximum) override;
    void SetEnabled(ControlId control, bool enabled) override;
    void Close(bool ok) override;

    // Every text set, by control.
    std::map<ControlId, std::vector<std::string>> texts;
    std::vector<std::pair<int, int>> progress;
    std::map<ControlId, bool> enabled;
    bool closed = false;
    bool closedOk = false;
};

// Modal dialogs run from a script: each expected dialog presses its buttons in turn until one
// closes it with OK or the engine closes it, and is cancelled when none does. A dialog that was not
// expected, or of another kind, fails the test; so does an expected one that never opened.
class ScriptedDialogRunner : public DialogRunner {
public:
    ~ScriptedDialogRunner() override;

    void Expect(DialogId id, std::vector<ScriptedPress> presses);
    // The Remote IP dialog, Apply pressed with each address in turn.
    void ExpectAddRemoteIp(const std::vector<uint32_t>& applies);
    bool Run(const DialogRequest& request) override;

    // What each button's action returned, over every dialog.
    const std::vector<int>& ButtonResults() const { return buttonResults_; }
    // The fields each dialog showed when it opened.
    const std::vector<DialogFields>& Opened() const { return opened_; }
    // What the engine changed in the dialogs while they were open.
    DialogChanges changes;

private:
    struct Expected {
        DialogId id;
        std::vector<ScriptedPress> presses;
    };

    std::deque<Expected> expected_;
    std::vector<int> buttonResults_;
    std::vector<DialogFields> opened_;
};

// Records what the engine shows in the main window.
class RecordingView : public ConsoleView {
public:
    void ShowTrapIndicator(TrapIndicator indicator) override { indicators.push_back(indicator); }
    void ShowRefreshTime(int seconds) override { refreshTimes.push_back(seconds); }
    void ShowAgentLiveness(std::string_view ipText, bool alive) override {
        liveness.push_back((alive ? "alive " : "not alive ") + std::string(ipText));
    }
    void ShowTrapStored(std::string_view time, std::string_view agent,
                        std::string_view event) override {
        traps.push_back(std::string(time) + "|" + std::string(agent) + "|" + std::string(event));
    }

    std::vector<TrapIndicator> indicators;
    std::vector<int> refreshTimes;
    std::vector<std::string> liveness;
    std::vector<std::string> traps;
};

// The workstation's address table as the test sets it; a non-zero error makes Read fail.
class FixedAddressTable : public AddressTable {
public:
    int Read(std::vector<InterfaceAddress>* addresses) override;

    std::vector<InterfaceAddress> addresses;
    int error = 0;
};

}  // namespace vantelo::test
