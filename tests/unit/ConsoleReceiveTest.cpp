#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "protocol/TlvElements.h"
#include "support/ConsoleHarness.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

// Monitor list at start: agent 1, declared not alive, and an entry added by hand.
const AgentSettings kMonitoredAgent = NumberedAgent(1);
constexpr uint32_t kHandAddedIp = 0x0A4D0032;  // 10.77.0.50

struct Arrival {
    std::vector<uint8_t> bytes;
    uint32_t from;
};

Arrival From(const AgentSettings& agent, OpCode opCode = OpCode::DiscoveryReply) {
    return {SettingsReply(agent, opCode, kType), agent.ip};
}

Arrival WithHeader(const AgentSettings& agent, void (*edit)(PacketHeader&), bool elements = true) {
    PacketHeader header = AgentHeader(agent, OpCode::DiscoveryReply, kType);
    edit(header);
    return {Datagram(header, elements ? SettingsElements(agent) : std::vector<uint8_t>{}),
            agent.ip};
}

Arrival Cut(Arrival arrival, size_t length) {
    arrival.bytes.resize(length);
    return arrival;
}

AgentSettings Moved(AgentSettings agent, uint32_t ip) {
    agent.ip = ip;
    return agent;
}

AgentSettings Named(AgentSettings agent, const char* systemName) {
    agent.systemName = systemName;
    return agent;
}

AgentSettings InterfaceOne(AgentSettings agent) {
    agent.interfaceVersion = 1;
    agent.dhcp = 1;
    return agent;
}

enum class Where { Nowhere, Discovery, Monitor };

struct Expected {
    const char* macText;
    const char* ipText;
    const char* systemName;
    int32_t rowState;
    int32_t statusImage;
    uint16_t lastOpCode;
    uint16_t dhcp;
    uint16_t loaderMark;
};

struct StoringCase {
    const char* name;
    std::vector<Arrival> arrivals;
    const char* message;  // the error box the last arrival shows, if any
    Where where;
    int slot;
    Expected record;
    int discoveryRows;
};

// Names the case in test lists instead of dumping its bytes.
void PrintTo(const StoringCase& c, std::ostream* out) {
    *out << c.name;
}

class StoringRules : public ::testing::TestWithParam<StoringCase> {};

TEST_P(StoringRules, StoreEachDatagramWhereItBelongs) {
    const StoringCase& c = GetParam();
    ConsoleHarness h;
    DeviceRecord notAlive = StoredRecord(kMonitoredAgent, kType);
    notAlive.statusImage = kNotAliveImage;
    h.WriteMonitorFile({notAlive, HandAddedRecord(kHandAddedIp)});
    Console& console = h.Start();
    DeviceTable monitorBefore = console.MonitorTable();
    for (size_t i = 0; i < c.arrivals.size(); ++i) {
        if (i + 1 == c.arrivals.size() && c.message != nullptr) {
            h.ui.ExpectError(c.message);
        }
        h.Receive(c.arrivals[i].bytes, c.arrivals[i].from);
    }

    EXPECT_EQ(console.MonitorList().RowCount(), 2);
    EXPECT_EQ(console.DiscoveryList().RowCount(), c.discoveryRows);
    if (c.where == Where::Nowhere) {
        EXPECT_EQ(std::memcmp(&console.MonitorTable(), &monitorBefore, sizeof monitorBefore), 0);
        return;
    }
    const DeviceTable& table =
        c.where == Where::Monitor ? console.MonitorTable() : console.DiscoveryTable();
    const DeviceRecord& r = table[static_cast<size_t>(c.slot)];
    EXPECT_STREQ(r.macText, c.record.macText);
    EXPECT_STREQ(r.ipText, c.record.ipText);
    EXPECT_STREQ(r.systemName, c.record.systemName);
    EXPECT_EQ(r.rowState, c.record.rowState);
    EXPECT_EQ(r.statusImage, c.record.statusImage);
    EXPECT_EQ(r.lastOpCode, c.record.lastOpCode);
    EXPECT_EQ(r.dhcp, c.record.dhcp);
    EXPECT_EQ(r.loaderMark, c.record.loaderMark);
    EXPECT_EQ(r.deviceTypeId, kType);
    EXPECT_EQ(r.answered, 1);
    EXPECT_EQ(r.missedPolls, 0);
    if (c.where == Where::Monitor) {
        // The row that shows the slot follows it, image included.
        int row = c.slot;
        EXPECT_EQ(console.MonitorList().Text(row, 1), c.record.ipText);
        EXPECT_EQ(console.MonitorList().Text(row, 2), c.record.macText);
        EXPECT_EQ(console.MonitorList().Image(row), c.record.statusImage);
    } else {
        EXPECT_EQ(console.DiscoveryList().Text(c.slot, 0), c.record.macText);
        EXPECT_EQ(console.DiscoveryList().Text(c.slot, 4), c.record.systemName);
    }
}

const AgentSettings kNew = NumberedAgent(2);
const AgentSettings kHandAddedAgent = Moved(NumberedAgent(3), kHandAddedIp);

void WrongType(PacketHeader& h) {
    h.deviceTypeId = 0x03B27F17;
}
void Request(PacketHeader& h) {
    h.direction = 0;
}
void ProtocolOneWithError(PacketHeader& h) {
    h.protocolVersion = 1;
    h.resultCode = 3;
}
void LoaderWithError(PacketHeader& h) {
    h.opCode = static_cast<uint16_t>(OpCode::LoaderModeReply);
    h.resultCode = 2;
}
void PasswordError(PacketHeader& h) {
    h.resultCode = 0x0012;
}
void UnknownError(PacketHeader& h) {
    h.resultCode = 0x000F;
}
void ProtocolOne(PacketHeader& h) {
    h.protocolVersion = 1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoringRules,
    ::testing::Values(
        StoringCase{"new agent is appended to the discovery list",
                    {From(kNew)},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "sw2", kRowNotShown, kNoImage, 2, 0, 0},
                    1},
        StoringCase{"second answer updates its slot and row",
                    {From(kNew), From(Named(kNew, "renamed"))},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "renamed", kRowShown, kNoImage, 2, 0, 0},
                    1},
        StoringCase{"short datagram is stored from its zero-completed header",
                    {Cut(From(kNew), 20)},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "", kRowNotShown, kNoImage, 2, 2, 0},
                    1},
        StoringCase{
            "empty datagram is ignored", {Cut(From(kNew), 0)}, nullptr, Where::Nowhere, 0, {}, 0},
        StoringCase{"datagram cut inside the device type is ignored",
                    {Cut(From(kNew), 18)},
                    nullptr,
                    Where::Nowhere,
                    0,
                    {},
                    0},
        StoringCase{"the address element replaces the sender's address",
                    {{SettingsReply(kNew, OpCode::DiscoveryReply, kType), 0x0A4D0909}},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "sw2", kRowNotShown, kNoImage, 2, 0, 0},
                    1},
        StoringCase{"monitored agent found by IP is alive again",
                    {From(kMonitoredAgent, OpCode::UnicastSetReply)},
                    nullptr,
                    Where::Monitor,
                    0,
                    {"020a1b000001", "10.77.0.2", "sw1", kRowShown, kNoImage, 8, 0, 0},
                    0},
        StoringCase{"monitored agent with a new IP found by MAC keeps its not-alive image",
                    {From(Moved(kMonitoredAgent, 0x0A4D0909))},
                    nullptr,
                    Where::Monitor,
                    0,
                    {"020a1b000001", "10.77.9.9", "sw1", kRowShown, kNotAliveImage, 2, 0, 0},
                    0},
        StoringCase{"hand-added entry found by IP takes the agent's MAC",
                    {From(kHandAddedAgent)},
                    nullptr,
                    Where::Monitor,
                    1,
                    {"020a1b000003", "10.77.0.50", "sw3", kRowShown, kNoImage, 2, 0, 0},
                    0},
        StoringCase{"hand-added entry is then found by MAC after an address change",
                    {From(kHandAddedAgent), From(Moved(kHandAddedAgent, 0x0A4D0033))},
                    nullptr,
                    Where::Monitor,
                    1,
                    {"020a1b000003", "10.77.0.51", "sw3", kRowShown, kNoImage, 2, 0, 0},
                    0},
        StoringCase{"wrong device type is ignored",
                    {WithHeader(kNew, WrongType)},
                    nullptr,
                    Where::Nowhere,
                    0,
                    {},
                    0},
        StoringCase{"direction other than 1 is ignored",
                    {WithHeader(kNew, Request)},
                    nullptr,
                    Where::Nowhere,
                    0,
                    {},
                    0},
        StoringCase{"protocol version 1 is stored without decoding, even with an error code",
                    {WithHeader(kNew, ProtocolOneWithError)},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "", kRowNotShown, kNoImage, 0, 2, 0},
                    1},
        StoringCase{"loader mode reply is marked and stored without decoding",
                    {WithHeader(kNew, LoaderWithError)},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "", kRowNotShown, kNoImage, 0, 2, kLoaderMark},
                    1},
        StoringCase{"protocol version 1 from a monitored agent drops its names",
                    {WithHeader(kMonitoredAgent, ProtocolOne)},
                    nullptr,
                    Where::Monitor,
                    0,
                    {"020a1b000001", "10.77.0.2", "", kRowShown, kNoImage, 0, 2, 0},
                    0},
        StoringCase{"interface version 1 reads a one-byte DHCP element",
                    {From(InterfaceOne(kNew))},
                    nullptr,
                    Where::Discovery,
                    0,
                    {"020a1b000002", "10.77.0.3", "sw2", kRowNotShown, kNoImage, 2, 1, 0},
                    1},
        StoringCase{"only the low four bits of the result word count",
                    {WithHeader(kMonitoredAgent, PasswordError)},
                    "Device return : password error",
                    Where::Nowhere,
                    0,
                    {},
                    0},
        StoringCase{"result codes above 4 are unknown",
                    {WithHeader(kNew, UnknownError)},
                    "Device return : unknow error",
                    Where::Nowhere,
                    0,
                    {},
                    0},
        StoringCase{"a trap is not stored",
                    {From(kMonitoredAgent, OpCode::Trap)},
                    nullptr,
                    Where::Nowhere,
                    0,
                    {},
                    0}),
    [](const ::testing::TestParamInfo<StoringCase>& param) {
        std::string name;
        for (const char* c = param.param.name; *c != '\0'; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
        return name;
    });

class Receiving : public ::testing::Test {
protected:
    Arrival SequencedReply(const AgentSettings& agent, OpCode opCode, uint16_t sequence,
                           uint16_t result = 0) {
        PacketHeader header = AgentHeader(agent, opCode, kType);
        header.sequence = sequence;
        header.resultCode = result;
        return {Datagram(header, SettingsElements(agent)), agent.ip};
    }
    void Deliver(const Arrival& arrival) { h.Receive(arrival.bytes, arrival.from); }
    std::string SystemNameOf(int slot) {
        return h.console->DiscoveryTable()[static_cast<size_t>(slot)].systemName;
    }

    ConsoleHarness h;
};

TEST_F(Receiving, NumberedRepliesAreTakenOnceAndMoveTheSequenceOn) {
    Console& console = h.Start();
    Deliver(SequencedReply(kNew, OpCode::BroadcastSetReply, 0));
    EXPECT_EQ(console.Sockets().RequestSequence(), 1);
    EXPECT_EQ(SystemNameOf(0), "sw2");

    Deliver(SequencedReply(Named(kNew, "copy"), OpCode::BroadcastSetReply, 0));
    EXPECT_EQ(console.Sockets().RequestSequence(), 1);
    EXPECT_EQ(SystemNameOf(0), "sw2");

    h.ui.ExpectError("Device return : password error");
    Deliver(SequencedReply(Named(kNew, "refused"), OpCode::BroadcastSetReply, 1, 2));
    EXPECT_EQ(console.Sockets().RequestSequence(), 2);
    EXPECT_EQ(SystemNameOf(0), "sw2");

    // Unicast set replies are not numbered; a trigger reply from another agent is stored.
    Deliver(SequencedReply(Named(kNew, "unicast"), OpCode::UnicastSetReply, 77));
    EXPECT_EQ(console.Sockets().RequestSequence(), 2);
    EXPECT_EQ(SystemNameOf(0), "unicast");
    Deliver(SequencedReply(Named(kNew, "trigger"), OpCode::UpgradeTriggerReply, 2));
    EXPECT_EQ(console.Sockets().RequestSequence(), 3);
    EXPECT_EQ(SystemNameOf(0), "trigger");
    EXPECT_EQ(console.DiscoveryTable()[0].lastOpCode, 11);
}

TEST_F(Receiving, TheUpgradeTargetAcknowledgesTheTriggerAndIsRediscovered) {
    Console& console = h.Start();
    console.Upgrade().SetDeviceMac("020a1b000002");

    Deliver(SequencedReply(kNew, OpCode::UpgradeTriggerReply, 0));
    const uint16_t acknowledged = console.Upgrade().TriggerAcknowledged();
    EXPECT_EQ(acknowledged, 1);
    EXPECT_EQ(console.Sockets().RequestSequence(), 1);
    EXPECT_EQ(console.DiscoveryList().RowCount(), 0);

    // The mark is set before the result code is looked at.
    h.ui.ExpectError("Device return : command Error");
    Deliver(SequencedReply(kNew, OpCode::DiscoveryReply, 0, 3));
    EXPECT_EQ(console.Rediscovery().value, 1);
    console.Rediscovery().value = 0;
    Deliver(From(NumberedAgent(5)));
    EXPECT_EQ(console.Rediscovery().value, 0);
    Deliver(From(kNew));
    EXPECT_EQ(console.Rediscovery().value, 1);
    EXPECT_EQ(console.DiscoveryList().RowCount(), 2);
}

TEST_F(Receiving, The257thAgentIsRefusedOncePerDatagram) {
    Console& console = h.Start();
    for (int n = 0; n < kTableSlots; ++n) {
        h.Reply(NumberedAgent(n));
    }
    ASSERT_EQ(console.DiscoveryList().RowCount(), kTableSlots);
    h.ui.ExpectError("Add fail, out of 256 devices");
    h.ui.ExpectError("Add fail, out of 256 devices");
    h.Reply(NumberedAgent(256));
    h.Reply(NumberedAgent(256));
    h.Reply(Named(NumberedAgent(255), "still here"));
    EXPECT_EQ(console.DiscoveryList().RowCount(), kTableSlots);
    EXPECT_EQ(console.DiscoveryList().Text(255, 4), "still here");
    EXPECT_STREQ(console.DiscoveryTable()[0].macText, "020a1b000000");
}

TEST_F(Receiving, RefreshedMonitorRowsKeepTheOperatorsSelection) {
    h.WriteMonitorFile({StoredRecord(NumberedAgent(1), kType),
                        StoredRecord(NumberedAgent(2), kType),
                        StoredRecord(NumberedAgent(3), kType)});
    Console& console = h.Start();
    console.OnSelect(ListId::Monitor, 1, true);
    console.OnSelect(ListId::Monitor, 2, true);

    h.Reply(Named(NumberedAgent(2), "refreshed"));
    EXPECT_EQ(console.MonitorList().Text(1, 5), "refreshed");
    EXPECT_EQ(console.MonitorList().SelectedRows(), (std::vector<int>{1, 2}));

    // A row refreshed from an agent stored without decoding keeps it too.
    AgentSettings old = NumberedAgent(3);
    old.protocolVersion = 1;
    h.Reply(old);
    EXPECT_EQ(console.MonitorList().SelectedRows(), (std::vector<int>{1, 2}));
}

TEST_F(Receiving, DatagramsOver1500BytesAreDropped) {
    Console& console = h.Start();
    // Elements of type 8 are skipped, so the settings after them still decode at 1500 bytes.
    auto padded = [](const AgentSettings& agent, size_t total) {
        std::vector<uint8_t> settings = SettingsElements(agent);
        size_t padding = total - kHeaderSize - settings.size();
        std::vector<uint8_t> elements(padding, 0);
        elements[1] = 8;
        elements[2] = static_cast<uint8_t>(padding >> 8);
        elements[3] = static_cast<uint8_t>(padding);
        elements.insert(elements.end(), settings.begin(), settings.end());
        return Datagram(AgentHeader(agent, OpCode::DiscoveryReply, kType), elements);
    };
    h.Receive(padded(NumberedAgent(1), 1501), NumberedAgent(1).ip);
    EXPECT_EQ(console.DiscoveryList().RowCount(), 0);
    h.Receive(padded(NumberedAgent(1), 1500), NumberedAgent(1).ip);
    ASSERT_EQ(console.DiscoveryList().RowCount(), 1);
    EXPECT_STREQ(console.DiscoveryTable()[0].systemName, "sw1");
}

}  // namespace
}  // namespace vantelo::test
