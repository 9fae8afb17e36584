#pragma once

#include <cstdint>
#include <string>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "lists/Selection.h"
#include "monitor/SystemLog.h"
#include "ports/AddressTable.h"
#include "ports/DialogRunner.h"
#include "ports/FileSystem.h"
#include "ports/Timers.h"
#include "ports/UserInteraction.h"
#include "transport/Transport.h"
#include "upgrade/TftpClient.h"
#include "upgrade/UpgradeContext.h"
#include "upgrade/VerificationRun.h"

namespace vantelo {

// The firmware upgrade of one agent: the precheck of the selected agent, the "Firmware Upgrade"
// dialog with its trigger and transfer, and the verification run after a finished transfer.
// The target, the firmware path and the marks live in the UpgradeContext.
class FirmwareUpgrade : private TransferListener {
public:
    static constexpr int kTriggerWaitMs = 2000;

    struct Parts {
        Transport& transport;
        AgentLists& lists;
        Boxes& boxes;
        UserInteraction& ui;
        AddressTable& addresses;
        DialogRunner& dialogs;
        Timers& timers;
        FileSystem& files;
        SocketFactory& sockets;
        UpgradeContext& upgrade;
        RediscoveryMark& rediscovery;
        SystemLog& log;
        Clock& clock;
    };

    explicit FirmwareUpgrade(const Parts& parts);
    FirmwareUpgrade(const FirmwareUpgrade&) = delete;
    FirmwareUpgrade& operator=(const FirmwareUpgrade&) = delete;
    ~FirmwareUpgrade() override;

    // The target passed the selection and version checks: check that the workstation can reach
    // it, record it and run the dialog until it closes.
    void Open(const SelectionTarget& target);

    // Read-only state, for tests.
    const TftpClient& Transfer() const { return client_; }
    const VerificationRun& Verification() const { return verification_; }
    bool TriggerWaiting() const { return triggerWait_ != kNoTimer; }

private:
    int Precheck(const SelectionTarget& target);
    void RunDialog();
    int OnBrowse();
    int OnStart(const DialogFields& fields);
    int SendTrigger(const std::string& password);
    void OnTriggerWait();
    void OnDialogClosed();
    void RefuseStart(OutcomeKind kind, const char* text);
    void EnableStart();

    void ShowUpgradeState(const std::string& text) override;
    void ShowProgress(uint32_t bytesSent, uint32_t fileSize) override;
    void TransferEnded(TransferEnd end) override;
    void FinalAcknowledged() override;

    Parts p_;
    TftpClient client_;
    VerificationRun verification_;
    SelectionTarget target_;
    OpenDialog* dialog_ = nullptr;
    TimerHandle triggerWait_ = kNoTimer;
};

}  // namespace vantelo
