#pragma once

#include <cstddef>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "monitor/Traps.h"
#include "protocol/PacketHeader.h"
#include "settings/SetConfirmation.h"
#include "transport/Transport.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

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

private:
    void Dispatch(const PacketHeader& header, size_t length);
    void StoreWithoutDecoding(bool loader);
    void StoreDecodedReply(size_t length);
    bool StoreInMonitorTable();
    int StoreInDiscoveryTable();
    void StoreInMonitorSlot(int slot, int32_t statusImage);
    bool IsUpgradeTarget() const;
    bool IsListed(const std::string& macText) const;

    Parts p_;
    DeviceRecord reply_{};
};

}  // namespace vantelo
