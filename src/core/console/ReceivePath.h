#pragma once

#include <cstddef>
#include <cstdint>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "monitor/Traps.h"
#include "ports/ConsoleActivity.h"
#include "protocol/PacketHeader.h"
#include "settings/SetConfirmation.h"
#include "transport/Transport.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

// Agent datagrams the receive path dropped without a message, by the check they failed.
struct IdentityDrops {
    uint64_t wrongDeviceType = 0;
    uint64_t wrongDirection = 0;
    uint64_t staleSequence = 0;
};

// Every datagram of the two sockets goes through here and is taken through every check to its
// end: dropped, reported, handed to the trap handler, acknowledging an upgrade trigger, or
// stored in one of the two tables and shown in its list.
class ReceivePath {
public:
    struct Parts {
        Transport& transport;
        AgentLists& lists;
        Boxes& boxes;
        Traps& traps;
        SetConfirmation& setConfirmation;
        UpgradeContext& upgrade;
        RediscoveryMark& rediscovery;
    };

    explicit ReceivePath(const Parts& parts) : p_(parts) {}

    // Reads one datagram waiting on the socket and takes it to its end.
    void ReceiveDatagram(SocketId socket);
    // The record the last datagram was decoded into.
    const DeviceRecord& CurrentReply() const { return reply_; }
    const IdentityDrops& Drops() const { return drops_; }
    // The watcher told of every reply stored into a monitor slot; the path keeps a reference.
    void TellActivity(ConsoleActivity& activity) { activity_ = &activity; }

private:
    void Dispatch(const PacketHeader& header, size_t length);
    void StoreWithoutDecoding(bool loader);
    void StoreDecodedReply(size_t length);
    bool StoreInMonitorTable();
    int StoreInDiscoveryTable();
    void StoreInMonitorSlot(int slot, int32_t statusImage);
    bool IsUpgradeTarget() const;

    Parts p_;
    DeviceRecord reply_{};
    IdentityDrops drops_;
    ConsoleActivity* activity_ = &NoActivity();
};

}  // namespace vantelo
