#pragma once

#include "events/Boxes.h"
#include "monitor/SystemLog.h"
#include "support/MemoryFileSystem.h"
#include "support/QuietPorts.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"
#include "upgrade/TftpClient.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo::test {

// The TFTP client on in-memory ports that nobody watches, for fuzzing and benchmarks: boxes are
// answered and counted, files and the log live in memory, time passes only when advanced.
struct QuietTransfer {
    explicit QuietTransfer(TransferListener& listener)
        : client{TftpClient::Parts{network, clock, files, boxes, upgrade, log, clock}, listener} {}

    VirtualNetwork network;
    VirtualClock clock;
    QuietUserInteraction ui;
    Boxes boxes{ui, clock};
    MemoryFileSystem files;
    UpgradeContext upgrade;
    SystemLog log{files, boxes, ui, "/cfg"};
    TftpClient client;
};

}  // namespace vantelo::test
