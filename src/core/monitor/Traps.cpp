#include "monitor/Traps.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "monitor/Timestamp.h"
#include "protocol/ByteCursor.h"
#include "protocol/Conversions.h"
#include "protocol/DeviceTables.h"
#include "protocol/PacketHeader.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

// The event text: up to its zero byte, or to the end of the datagram when it has none.
std::string_view EventText(std::span<const uint8_t> bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    return std::string_view(reinterpret_cast<const char*>(bytes.data()),
                            static_cast<size_t>(end - bytes.begin()));
}

}  // namespace

Traps::Traps(AgentLists& lists, SystemLog& log, Clock& clock, DialogRunner& dialogs)
    : lists_(lists), log_(log), clock_(clock), dialogs_(dialogs) {}

void Traps::HandleTrap(std::span<const uint8_t> datagram) {
    ByteReader reader(datagram);
    reader.Skip(kHeaderSize);
    uint32_t address = reader.ReadU32();
    if (!reader.ok()) {
        return;
    }
    std::string agent = IpToText(address);
    TableLookup slot =
        FindInMonitorTable(lists_.MonitorTable(), lists_.MonitorCount(), agent, true);
    if (!slot.found) {
        return;
    }
    if (view_ != nullptr) {
        view_->ShowTrapIndicator(TrapIndicator::Red);
    }
    lists_.MarkMonitorAlive(slot.index);
    activity_->TrapAccepted(agent);
    std::string mac(TextOf(lists_.MonitorTable()[static_cast<size_t>(slot.index)].macText));
    std::string_view event = EventText(reader.Unread());
    std::string time = TimestampText(clock_.Now());
    // Stored before the log is written: a box about the log runs an event loop in which later
    // traps arrive, and they must land after this one.
    store_.Add(time, agent, event);
    if (view_ != nullptr) {
        const TrapEntry& stored = store_.Slot(store_.Filled() - 1);
        view_->ShowTrapStored(TextOf(stored.time), TextOf(stored.agent), TextOf(stored.event));
    }
    std::string text = "Trap :";
    text.append(event);
    std::string line = " " + agent + " " + text + "\r\n";
    log_.AppendEvent(LogEvent{LogKind::Trap, agent, mac, text}, {time, line});
}

void Traps::ViewTrap() {
    if (view_ != nullptr) {
        view_->ShowTrapIndicator(TrapIndicator::Green);
    }
    FillTrapRows(store_, rows_);
    dialogs_.Run(TrapInfoRequest(store_, rows_, sort_));
    rows_.DeleteAll();
}

}  // namespace vantelo
