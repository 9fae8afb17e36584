#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/Boxes.h"
#include "events/RepeatingTick.h"
#include "support/ConsoleHarness.h"

using namespace vantelo;
using namespace vantelo::test;

namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

std::vector<uint8_t> ErrorCodedReply(const AgentSettings& agent, uint16_t resultCode) {
    PacketHeader header = AgentHeader(agent, OpCode::DiscoveryReply, kType);
    header.resultCode = resultCode;
    return Datagram(header, {});
}

std::vector<std::string> Texts(const std::vector<MessageBoxRequest>& boxes) {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

}  // namespace

// A flood of error-coded replies while the first one's box is open: no box opens inside it, the
// rest of each handler's work still runs at once, and each distinct box is shown once after it.
TEST(HandlersNeverStack, RepliesArrivingUnderABoxWaitForItAndAreNotRepeated) {
    ConsoleHarness h;
    Console& console = h.Start();
    const AgentSettings agent = NumberedAgent(1);
    const uint16_t port = ConsoleHarness::kBasePort + 1;
    h.ui.ExpectError("Device return : password error", "Error", [&] {
        for (int n = 0; n < 1000; ++n) {
            h.network.Queue(port, Endpoint{agent.ip, 0}, ErrorCodedReply(agent, 2));
            h.network.Queue(port, Endpoint{agent.ip, 0}, ErrorCodedReply(agent, 3));
        }
        h.network.Queue(port, Endpoint{NumberedAgent(5).ip, 0},
                        SettingsReply(NumberedAgent(5), OpCode::DiscoveryReply, kType));
        h.network.Deliver();
        EXPECT_EQ(console.DiscoveryList().RowCount(), 1) << "the reply is stored at once";
        EXPECT_EQ(console.MessageBoxes().WaitingNotices(), 2);
    });
    h.Receive(ErrorCodedReply(agent, 2), agent.ip);

    h.ui.ExpectError("Device return : password error");
    h.ui.ExpectError("Device return : command Error");
    h.clock.Advance(0);
    EXPECT_EQ(h.ui.MostOpenAtOnce(), 1);
    EXPECT_EQ(Texts(h.ui.Boxes()), (std::vector<std::string>{"Device return : password error",
                                                             "Device return : password error",
                                                             "Device return : command Error"}));
    EXPECT_EQ(console.MessageBoxes().WaitingNotices(), 0);
}

// A notice waits behind an operator's box too, and is shown from the event loop afterwards,
// not inside the command whose box it waited for.
TEST(HandlersNeverStack, ANoticeUnderAnOperatorsBoxWaitsForTheEventLoop) {
    ConsoleHarness h;
    h.WriteMonitorFile({StoredRecord(NumberedAgent(1), kType)});
    Console& console = h.Start();
    console.OnSelect(ListId::Monitor, 0, true);
    const AgentSettings agent = NumberedAgent(2);
    h.ui.ExpectBox(MessageBoxRequest{"Are you sure to delete this item ?", "Warning",
                                     BoxIcon::Warning, BoxButtons::OkCancel, BoxOwner::MainWindow},
                   BoxAnswer::Ok, [&] { h.Receive(ErrorCodedReply(agent, 4), agent.ip); });
    console.OnDeleteItem();
    EXPECT_EQ(console.MonitorList().RowCount(), 0);
    EXPECT_EQ(h.ui.Boxes().size(), 1u);

    h.ui.ExpectError("Device return : parameters Error");
    h.clock.Advance(0);
    EXPECT_EQ(h.ui.Boxes().size(), 2u);
}

// Ticks that fall due while a run is held open by a box are coalesced into one run after it.
TEST(HandlersNeverStack, TicksDueDuringARunAreCoalesced) {
    VirtualClock clock;
    ScriptedUserInteraction ui;
    Boxes boxes(ui, clock);
    int runs = 0;
    RepeatingTick tick(clock, [&] {
        ++runs;
        boxes.Notify(ErrorBox("Resend fail", "Warnibg"));
    });
    tick.Start(5000);
    ui.ExpectError("Resend fail", "Warnibg", [&] {
        clock.Advance(60'000);
        EXPECT_EQ(runs, 1);
    });
    ui.ExpectError("Resend fail", "Warnibg");
    clock.Advance(5000);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(ui.MostOpenAtOnce(), 1);

    ui.ExpectError("Resend fail", "Warnibg");
    clock.Advance(5000);
    EXPECT_EQ(runs, 3);
}
