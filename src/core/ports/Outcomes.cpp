#include "ports/Outcomes.h"

namespace vantelo {

OutcomeCause CauseOf(OutcomeKind kind) {
    switch (kind) {
        case OutcomeKind::SetConfirmed:
        case OutcomeKind::EntryDeleted:
        case OutcomeKind::UpgradeSuccessful:
            return OutcomeCause::Done;
        case OutcomeKind::DuplicateSkipped:
            return OutcomeCause::Skipped;
        case OutcomeKind::ResultRefused:
        case OutcomeKind::TransferRefused:
            return OutcomeCause::AgentRefused;
        case OutcomeKind::TriggerFailed:
        case OutcomeKind::DeviceNotFound:
        case OutcomeKind::TransferStalled:
        case OutcomeKind::UpgradeFailed:
            return OutcomeCause::NoAnswer;
        case OutcomeKind::ProtocolVersionUnsupported:
        case OutcomeKind::InterfaceVersionUnsupported:
        case OutcomeKind::LoaderMode:
            return OutcomeCause::AgentUnfit;
        case OutcomeKind::SocketOpenFailed:
        case OutcomeKind::DiscoverySendFailed:
        case OutcomeKind::SetSendFailed:
        case OutcomeKind::AddressTableUnreadable:
        case OutcomeKind::NotSameSubnet:
        case OutcomeKind::TriggerSendFailed:
        case OutcomeKind::TransferSocketFailed:
        case OutcomeKind::VerificationSendFailed:
            return OutcomeCause::NetworkUnusable;
        case OutcomeKind::DefinitionFileBad:
        case OutcomeKind::MonitorFileBad:
        case OutcomeKind::FirmwarePathTooLong:
        case OutcomeKind::FirmwareFileNotFound:
        case OutcomeKind::FirmwareFileTooLarge:
        case OutcomeKind::MonitorSaveFailed:
            return OutcomeCause::FileError;
        case OutcomeKind::NothingSelected:
        case OutcomeKind::SeveralSelected:
        case OutcomeKind::DuplicateAddress:
        case OutcomeKind::UpgradePasswordLength:
        case OutcomeKind::MonitorListFull:
        case OutcomeKind::DuplicateRefused:
        case OutcomeKind::IllegalAddress:
            return OutcomeCause::InputRefused;
    }
    return OutcomeCause::InputRefused;
}

}  // namespace vantelo
