// How the command-line tool reads the engine's outcomes into its exit codes.

#include <gtest/gtest.h>

#include <vector>

#include "cli/ExitCode.h"
#include "cli/OutcomeLog.h"
#include "support/ConsoleHarness.h"

namespace vantelo::cli {
namespace {

OutcomeLog LogOf(const std::vector<OutcomeKind>& kinds) {
    OutcomeLog log;
    for (OutcomeKind kind : kinds) {
        log.Told(Outcome{kind, "", {}});
    }
    return log;
}

// One row a cause, then the mixtures: the first failure is the cause, and what was done or
// skipped by the rules counts for nothing.
TEST(CliOutcomeLog, EachCauseHasItsExitCodeAndTheFirstFailureDecides) {
    struct Row {
        const char* name;
        std::vector<OutcomeKind> told;
        int code;
    } rows[] = {
        {"nothing", {}, kExitDone},
        {"confirmed", {OutcomeKind::SetConfirmed}, kExitDone},
        {"deleted", {OutcomeKind::EntryDeleted}, kExitDone},
        {"skipped duplicates",
         {OutcomeKind::DuplicateSkipped, OutcomeKind::DuplicateSkipped},
         kExitDone},
        {"agent refused", {OutcomeKind::ResultRefused}, kExitRefused},
        {"tftp error packet", {OutcomeKind::TransferRefused}, kExitRefused},
        {"refused duplicate", {OutcomeKind::DuplicateRefused}, kExitBadInput},
        {"full after skips",
         {OutcomeKind::DuplicateSkipped, OutcomeKind::MonitorListFull},
         kExitBadInput},
        {"illegal address", {OutcomeKind::IllegalAddress}, kExitBadInput},
        {"upgrade password", {OutcomeKind::UpgradePasswordLength}, kExitBadInput},
        {"trigger unanswered", {OutcomeKind::TriggerFailed}, kExitNoAnswer},
        {"not seen again", {OutcomeKind::UpgradeFailed}, kExitNoAnswer},
        {"loader mode", {OutcomeKind::LoaderMode}, kExitAgentUnfit},
        {"protocol version", {OutcomeKind::ProtocolVersionUnsupported}, kExitAgentUnfit},
        {"interface version", {OutcomeKind::InterfaceVersionUnsupported}, kExitAgentUnfit},
        {"socket", {OutcomeKind::SocketOpenFailed}, kExitNetwork},
        {"other subnet", {OutcomeKind::NotSameSubnet}, kExitNetwork},
        {"definition", {OutcomeKind::DefinitionFileBad}, kExitFile},
        {"monitor list", {OutcomeKind::MonitorFileBad}, kExitFile},
        {"failed save", {OutcomeKind::MonitorSaveFailed}, kExitFile},
        {"firmware missing", {OutcomeKind::FirmwareFileNotFound}, kExitFile},
        {"socket and file",
         {OutcomeKind::SocketOpenFailed, OutcomeKind::MonitorFileBad},
         kExitNetwork},
        {"a refused trigger is never acknowledged",
         {OutcomeKind::ResultRefused, OutcomeKind::TriggerFailed},
         kExitRefused},
        {"done, then refused",
         {OutcomeKind::SetConfirmed, OutcomeKind::ResultRefused},
         kExitRefused},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LogOf(row.told).CodeSince(0), row.code);
        EXPECT_EQ(LogOf(row.told).CodeSinceOr(0, 99), row.code == kExitDone ? 99 : row.code);
    }
}

TEST(CliOutcomeLog, OnlyOutcomesSinceTheMarkCount) {
    OutcomeLog log = LogOf({OutcomeKind::MonitorFileBad, OutcomeKind::SetConfirmed});
    EXPECT_EQ(log.CodeSince(0), kExitFile);
    EXPECT_EQ(log.CodeSince(1), kExitDone);
    EXPECT_EQ(log.CodeSince(5), kExitDone);
    EXPECT_TRUE(log.ToldSince(1, {OutcomeKind::SetConfirmed, OutcomeKind::ResultRefused}));
    EXPECT_FALSE(log.ToldSince(1, {OutcomeKind::MonitorFileBad}));
    EXPECT_FALSE(log.ToldSince(2, {OutcomeKind::SetConfirmed}));
}

// The delete confirmation's caption is "Warning", as the duplicate warnings' is; what the
// command reads is the deletion of the entry it named, so a confirmation that deleted nothing
// is no success.
TEST(CliOutcomeLog, TheDeleteConfirmationCountsForNothingTheDeletionDoes) {
    test::ConsoleHarness h;
    h.WriteMonitorFile({test::HandAddedRecord(0x0A4D0063)});
    Console& console = h.Start();
    OutcomeLog log;
    console.WatchOutcomes(&log);
    const MessageBoxRequest confirmation{"Are you sure to delete this item ?", "Warning",
                                         BoxIcon::Warning, BoxButtons::OkCancel,
                                         BoxOwner::MainWindow};
    console.OnSelect(ListId::Monitor, 0, true);
    h.ui.ExpectBox(confirmation, BoxAnswer::Cancel);
    console.OnDeleteItem();
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_FALSE(log.ToldAboutSince(0, OutcomeKind::EntryDeleted, "10.77.0.99"));

    h.ui.ExpectBox(confirmation, BoxAnswer::Ok);
    console.OnDeleteItem();
    EXPECT_TRUE(log.ToldAboutSince(0, OutcomeKind::EntryDeleted, "10.77.0.99"));
    EXPECT_FALSE(log.ToldAboutSince(0, OutcomeKind::EntryDeleted, "10.77.0.98"));
    EXPECT_EQ(log.CodeSince(0), kExitDone);
}

}  // namespace
}  // namespace vantelo::cli
