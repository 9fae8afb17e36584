#include "cli/SeenSockets.h"

#include <algorithm>

namespace vantelo::cli {

class SeenSockets::Socket final : public DatagramSocket {
public:
    Socket(std::unique_ptr<DatagramSocket> inner, std::map<uint32_t, QDateTime>* seen)
        : inner_(std::move(inner)), seen_(seen) {}

    SocketOpenResult Open(uint16_t port) override { return inner_->Open(port); }
    int OpenError() const override { return inner_->OpenError(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    void Close() override { inner_->Close(); }
    int EnableBroadcast() override { return inner_->EnableBroadcast(); }
    int SendTo(const uint8_t* data, size_t length, Endpoint to, int* error) override {
        return inner_->SendTo(data, length, to, error);
    }
    int SendVia(const uint8_t* data, size_t length, Endpoint to, int interfaceIndex,
                uint32_t source, int* error) override {
        return inner_->SendVia(data, length, to, interfaceIndex, source, error);
    }
    long Receive(uint8_t* buffer, size_t capacity, Endpoint* from) override {
        long length = inner_->Receive(buffer, capacity, from);
        if (length >= 0) {
            Note(from->address);
        }
        return length;
    }
    int ArrivalInterface() const override { return inner_->ArrivalInterface(); }
    void SetReadableCallback(std::function<void()> onReadable) override {
        inner_->SetReadableCallback(std::move(onReadable));
    }

private:
    // Any host may send from any number of addresses: the map keeps the most recent ones.
    void Note(uint32_t address) {
        if (seen_->size() >= kMostAddresses && seen_->count(address) == 0) {
            auto oldest =
                std::min_element(seen_->begin(), seen_->end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
            seen_->erase(oldest);
        }
        (*seen_)[address] = QDateTime::currentDateTime();
    }

    static constexpr size_t kMostAddresses = 4096;

    std::unique_ptr<DatagramSocket> inner_;
    std::map<uint32_t, QDateTime>* seen_;
};

std::unique_ptr<DatagramSocket> SeenSockets::CreateSocket() {
    return std::make_unique<Socket>(inner_->CreateSocket(), &seen_);
}

std::optional<QDateTime> SeenSockets::LastSeen(uint32_t address) const {
    auto found = seen_.find(address);
    return found != seen_.end() ? std::optional(found->second) : std::nullopt;
}

}  // namespace vantelo::cli
