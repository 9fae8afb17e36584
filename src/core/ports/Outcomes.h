#pragma once

#include <string>

#include "ports/AgentKey.h"

namespace vantelo {

// How an operation that someone waits on ended, each told once, at the moment the engine knows
// it (a box that says so may still wait behind another box).
enum class OutcomeKind {
    // Start-up.
    DefinitionFileBad,  // define.ecf is missing, unreadable or fails its checksum
    MonitorFileBad,     // a monitor list file whose size is no whole number of records
    SocketOpenFailed,   // one of the console's two sockets could not be created or bound

    // Discovery.
    DiscoverySendFailed,  // the broadcast could not be sent

    // The selection and version checks before a settings, web or upgrade command.
    NothingSelected,
    SeveralSelected,
    ProtocolVersionUnsupported,
    InterfaceVersionUnsupported,
    LoaderMode,  // the agent runs its loader and takes no settings

    // Set requests (configuration and password).
    SetConfirmed,   // the agent's set reply answered the pending request
    SetSendFailed,  // the request could not be handed to the socket
    ResultRefused,  // the agent answered a request with a non-zero result code

    // The upgrade precheck.
    DuplicateAddress,        // the target's address is in two rows of its list
    AddressTableUnreadable,  // the workstation's own addresses could not be read
    NotSameSubnet,           // no address of the workstation is in the target's subnet
    // The upgrade dialog's Start.
    UpgradePasswordLength,
    FirmwarePathTooLong,
    FirmwareFileNotFound,
    FirmwareFileTooLarge,
    TriggerSendFailed,
    TriggerFailed,  // no acknowledgement of the trigger in time
    // The transfer.
    TransferSocketFailed,  // the transfer's socket could not be created or bound
    DeviceNotFound,        // the write request was never answered
    TransferStalled,       // a block was never acknowledged
    TransferRefused,       // the agent sent an error packet
    // The verification after a finished transfer.
    VerificationSendFailed,  // the discovery broadcasts could not be sent
    UpgradeSuccessful,       // the agent answered again after its restart
    UpgradeFailed,           // the agent was not seen again

    // The monitor list commands.
    EntryDeleted,  // Delete item removed this entry (one outcome per entry)
    MonitorListFull,
    DuplicateRefused,   // the agent is listed already: it was not added
    DuplicateSkipped,   // a loaded record was listed already: skipped, the load goes on
    IllegalAddress,     // the typed address is no host address
    MonitorSaveFailed,  // the list file was not written whole
};

// What a later choice (an exit code, a metric's label) groups the outcomes by.
enum class OutcomeCause {
    Done,             // the operation did what was asked
    Skipped,          // a part was left out as the rules say; the rest was done
    AgentRefused,     // the agent answered no
    NoAnswer,         // the agent did not answer in time
    AgentUnfit,       // the agent cannot take the operation: loader mode, versions
    NetworkUnusable,  // sockets, sends or the workstation's addresses
    FileError,        // a file that could not be read, written or used
    InputRefused,     // the operator's choice or form was refused
};

OutcomeCause CauseOf(OutcomeKind kind);

struct Outcome {
    OutcomeKind kind;
    std::string
        text;        // the text of its box or of the upgrade state field; empty when none shows it
    AgentKey agent;  // the agent it concerns; empty where there is none
};

// Whoever waits on operations: the command-line tool, tests, a metrics exporter. Told on the
// engine's thread; must not unsubscribe while it is being told.
class OutcomeListener {
public:
    virtual ~OutcomeListener() = default;
    virtual void Told(const Outcome& outcome) = 0;
};

}  // namespace vantelo
