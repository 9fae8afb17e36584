#pragma once

#include <memory>

#include "ports/DatagramSocket.h"

namespace vantelo::cli {

// Sockets for the commands that only edit files: they open, take every datagram and send
// nothing, so the engine's start-up polls of the monitor list stay inside the process.
class OfflineSocket final : public DatagramSocket {
public:
    SocketOpenResult Open(uint16_t) override {
        open_ = true;
        return SocketOpenResult::Ok;
    }
    int OpenError() const override { return 0; }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    int EnableBroadcast() override { return 0; }
    int SendTo(const uint8_t*, size_t, Endpoint, int*) override { return 0; }
    int SendVia(const uint8_t*, size_t, Endpoint, int, uint32_t, int*) override { return 0; }
    long Receive(uint8_t*, size_t, Endpoint*) override { return -1; }
    int ArrivalInterface() const override { return 0; }
    void SetReadableCallback(std::function<void()>) override {}

private:
    bool open_ = false;
};

class OfflineSocketFactory final : public SocketFactory {
public:
    std::unique_ptr<DatagramSocket> CreateSocket() override {
        return std::make_unique<OfflineSocket>();
    }
};

}  // namespace vantelo::cli
