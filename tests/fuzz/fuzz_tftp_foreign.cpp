// The firmware transfer's receive handler with foreign senders beside the agent. The first input
// byte gives the file's size in blocks (0 to 255, and a short block after them). The rest is a
// sequence of steps: a kind byte, a sender byte, a length byte, then that many bytes (fewer when
// the input ends). Kind 0 delivers the bytes from the sender, 1 acknowledges the block in flight
// from the sender, 2 lets sender * 50 ms pass, 3 starts a new transfer once the last has ended.
// The sender byte picks the agent's address on port 50000 (0) or on port 69 (1), or a stranger
// whose address and port follow from the byte.
// The transfer belongs to the port of the agent's first answer. After a datagram from anyone
// else nothing of the transfer may have changed; every error packet "Unknown transfer ID" the
// client sends goes to the sender of the datagram just delivered, which must be such a stranger,
// and everything else goes to the agent's port 69.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/QuietTransfer.h"
#include "upgrade/TftpPackets.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kAgentIp = 0x0A4D0002;
constexpr uint16_t kAgentTransferPort = 50000;
const char* const kImage = "/firmware/image.hex";
const std::vector<uint8_t> kUnknownTransferId = {0,   5,   0,   5,   'U', 'n', 'k', 'n',
                                                 'o', 'w', 'n', ' ', 't', 'r', 'a', 'n',
                                                 's', 'f', 'e', 'r', ' ', 'I', 'D', 0};

struct Ends : TransferListener {
    void ShowUpgradeState(const std::string&) override {}
    void ShowProgress(uint32_t, uint32_t) override {}
    void TransferEnded(TransferEnd) override { ++count; }

    int count = 0;
};

Endpoint Sender(uint8_t choice) {
    if (choice == 0) {
        return Endpoint{kAgentIp, kAgentTransferPort};
    }
    if (choice == 1) {
        return Endpoint{kAgentIp, kTftpServerPort};
    }
    return Endpoint{0x0A4D0000u | choice, static_cast<uint16_t>(1000 + choice)};
}

// What a foreign datagram must leave as it was.
struct Seen {
    uint16_t block;
    uint32_t bytesSent;
    bool running;
    int ends;

    bool operator==(const Seen&) const = default;
};

struct Transfer {
    void Start(size_t size) {
        files.files[kImage].assign(size, 0x5A);
        upgrade.SetDeviceIp(kAgentIp);
        upgrade.SetFirmwarePath(kImage);
        client.Start();
        network.ClearSent();
    }

    void Restart(size_t size) {
        if (!client.IsRunning()) {
            transferPort = 0;
            Start(size);
        }
    }

    Seen Now() const {
        return Seen{client.CurrentBlock(), upgrade.BytesSent(), client.IsRunning(), ends.count};
    }

    void Deliver(Endpoint from, std::vector<uint8_t> bytes) {
        network.Queue(kTftpClientPort, from, std::move(bytes));
        network.Deliver();
    }

    bool Foreign(Endpoint from) const {
        return from.address != kAgentIp || (transferPort != 0 && from.port != transferPort);
    }

    // After a delivery from `from` (delivered) or a step without one.
    void Check(bool delivered, Endpoint from, const Seen& before) {
        const bool foreign = delivered && Foreign(from);
        if (foreign && !(Now() == before)) {
            __builtin_trap();
        }
        if (delivered && !foreign && transferPort == 0 && !(Now() == before)) {
            transferPort = from.port;
        }
        for (const SentDatagram& sent : network.Sent()) {
            const bool refusal = sent.bytes == kUnknownTransferId;
            const bool toSender = sent.to.address == from.address && sent.to.port == from.port;
            const bool toAgent = sent.to.address == kAgentIp && sent.to.port == kTftpServerPort;
            if (refusal ? !(foreign && toSender) : !toAgent) {
                __builtin_trap();
            }
        }
        network.ClearSent();
    }

    Ends ends;
    QuietTransfer ports{ends};
    VirtualNetwork& network = ports.network;
    VirtualClock& clock = ports.clock;
    MemoryFileSystem& files = ports.files;
    UpgradeContext& upgrade = ports.upgrade;
    TftpClient& client = ports.client;
    // The port of the agent's first answer; 0 before it.
    uint16_t transferPort = 0;
};

std::vector<uint8_t> AckOf(uint16_t block) {
    return {0, 4, static_cast<uint8_t>(block >> 8), static_cast<uint8_t>(block)};
}

}  // namespace
}  // namespace vantelo::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantelo::test;
    if (size < 1) {
        return 0;
    }
    const size_t fileSize = size_t{data[0]} * vantelo::kTftpBlockSize + 100;
    Transfer transfer;
    transfer.Start(fileSize);
    size_t at = 1;
    while (at + 3 <= size) {
        const uint8_t kind = data[at] % 4;
        const uint8_t choice = data[at + 1];
        size_t length = data[at + 2];
        at += 3;
        length = length < size - at ? length : size - at;
        std::vector<uint8_t> bytes(data + at, data + at + length);
        at += length;
        const vantelo::Endpoint from = Sender(choice);
        const Seen before = transfer.Now();
        switch (kind) {
            case 0:
                transfer.Deliver(from, std::move(bytes));
                break;
            case 1:
                transfer.Deliver(from, AckOf(transfer.client.CurrentBlock()));
                break;
            case 2:
                transfer.clock.Advance(int64_t{choice} * 50);
                break;
            default:
                transfer.Restart(fileSize);
                break;
        }
        transfer.Check(kind <= 1, from, before);
    }
    transfer.client.Abort();
    return 0;
}
