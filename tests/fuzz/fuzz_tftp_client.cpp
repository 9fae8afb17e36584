// The firmware transfer's receive handler under arbitrary replies and timing. The first two input
// bytes give half the firmware file's size (0 to 131,070 bytes, past the 128 blocks the client
// reads at a time); the rest is a
// sequence of steps: a kind byte, a length byte, then that many bytes (fewer when the input
// ends). Kind 0 delivers the bytes to the client port from the agent, 1 from a stranger; 2
// acknowledges the block in flight, as the agent would, so that inputs reach the later blocks;
// 3 lets length * 100 ms pass; 4 aborts the transfer as Cancel does, 5 starts a new one once
// the last has ended.
// After every step the transfer's bookkeeping must hold.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/QuietTransfer.h"
#include "upgrade/TftpPackets.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kAgentIp = 0x0A4D0002;
constexpr Endpoint kAgent{kAgentIp, kTftpServerPort};
constexpr Endpoint kStranger{0x0A4D0909, 40000};
const char* const kImage = "/firmware/image.hex";

struct Ends : TransferListener {
    void ShowUpgradeState(const std::string&) override {}
    void ShowProgress(uint32_t sent, uint32_t size) override {
        if (sent > size) {
            __builtin_trap();
        }
    }
    void TransferEnded(TransferEnd) override { ++count; }

    int count = 0;
};

struct Transfer {
    Transfer() { files.files[kImage]; }

    void Start(size_t size) {
        files.files[kImage].assign(size, 0x5A);
        upgrade.SetDeviceIp(kAgentIp);
        upgrade.SetFirmwarePath(kImage);
        ends.count = 0;
        client.Start();
    }

    void Deliver(Endpoint from, std::vector<uint8_t> bytes) {
        network.Queue(kTftpClientPort, from, std::move(bytes));
        network.Deliver();
    }

    void AckCurrent() {
        uint16_t block = client.CurrentBlock();
        Deliver(kAgent, {0, 4, static_cast<uint8_t>(block >> 8), static_cast<uint8_t>(block)});
    }

    // Bytes counted never pass the file, a transfer ends at most once, and an ended one holds
    // no socket.
    void Check() {
        const uint32_t sent = upgrade.BytesSent();
        if (sent > files.files[kImage].size() || ends.count > 1 ||
            (ends.count == 1 && network.IsBound(kTftpClientPort))) {
            __builtin_trap();
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
};

}  // namespace
}  // namespace vantelo::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantelo::test;
    if (size < 2) {
        return 0;
    }
    const size_t fileSize = ((size_t{data[0]} << 8) | data[1]) * 2;
    Transfer transfer;
    transfer.Start(fileSize);
    size_t at = 2;
    while (at + 2 <= size) {
        uint8_t kind = data[at] % 6;
        size_t length = data[at + 1];
        at += 2;
        length = length < size - at ? length : size - at;
        std::vector<uint8_t> bytes(data + at, data + at + length);
        at += length;
        switch (kind) {
            case 0:
                transfer.Deliver(kAgent, std::move(bytes));
                break;
            case 1:
                transfer.Deliver(kStranger, std::move(bytes));
                break;
            case 2:
                transfer.AckCurrent();
                break;
            case 3:
                transfer.clock.Advance(static_cast<int64_t>(length) * 100);
                break;
            case 4:
                transfer.client.Abort();
                break;
            default:
                // Start is held disabled while a transfer runs.
                if (!transfer.client.IsRunning()) {
                    transfer.Start(fileSize);
                }
                break;
        }
        transfer.Check();
    }
    transfer.client.Abort();
    return 0;
}
