#include "support/VirtualNetwork.h"

#include <algorithm>
#include <cerrno>

namespace vantelo::test {

struct Datagram {
    uint16_t port;
    Endpoint from;
    std::vector<uint8_t> bytes;
    int interfaceIndex = 0;
};

// What the sockets share with the network; sockets may outlive the network object itself.
struct VirtualNetwork::Shared {
    std::map<uint16_t, Socket*> bound;
    std::map<uint16_t, SocketOpenResult> openFaults;
    std::vector<FakeAgent*> agents;
    std::vector<SentDatagram> sent;
    std::deque<Datagram> waiting;
    bool broadcastOptionFails = false;
    int sendError = 0;
    int closeCalls = 0;
};

class VirtualNetwork::Socket : public DatagramSocket {
public:
    Socket(VirtualNetwork& network, std::shared_ptr<Shared> shared)
        : network_(network), shared_(std::move(shared)) {}
    ~Socket() override { Unbind(); }

    SocketOpenResult Open(uint16_t port) override {
        auto fault = shared_->openFaults.find(port);
        SocketOpenResult result = fault != shared_->openFaults.end() ? fault->second
                                  : shared_->bound.count(port) != 0  ? SocketOpenResult::BindFailed
                                                                     : SocketOpenResult::Ok;
        openError_ = result == SocketOpenResult::Ok           ? 0
                     : result == SocketOpenResult::BindFailed ? EADDRINUSE
                                                              : EMFILE;
        if (result != SocketOpenResult::Ok) {
            return result;
        }
        shared_->bound[port] = this;
        port_ = port;
        open_ = true;
        return SocketOpenResult::Ok;
    }

    int OpenError() const override { return openError_; }

    bool IsOpen() const override { return open_; }

    void Close() override {
        ++shared_->closeCalls;
        Unbind();
    }

    int EnableBroadcast() override {
        if (!open_ || shared_->broadcastOptionFails) {
            return -1;
        }
        broadcast_ = true;
        return 0;
    }

    int SendTo(const uint8_t* data, size_t length, Endpoint to, int* error) override {
        return SendVia(data, length, to, 0, kConsoleAddress, error);
    }

    int SendVia(const uint8_t* data, size_t length, Endpoint to, int interfaceIndex, uint32_t,
                int* error) override {
        int failure = shared_->sendError;
        if (failure == 0 && (!open_ || (to.address == kBroadcastAddress && !broadcast_))) {
            failure = open_ ? EACCES : EBADF;
        }
        if (failure != 0) {
            *error = failure;
            return -1;
        }
        SentDatagram datagram{std::vector<uint8_t>(data, data + length),
                              {kConsoleAddress, port_},
                              to,
                              interfaceIndex};
        shared_->sent.push_back(datagram);
        // Agents may add themselves or reply; walk a copy.
        std::vector<FakeAgent*> agents = shared_->agents;
        for (FakeAgent* agent : agents) {
            if (to.address == kBroadcastAddress || to.address == agent->Address()) {
                agent->OnRequest(network_, datagram);
            }
        }
        return 0;
    }

    long Receive(uint8_t* buffer, size_t capacity, Endpoint* from) override {
        if (inbox_.empty()) {
            return -1;
        }
        Datagram datagram = std::move(inbox_.front());
        inbox_.pop_front();
        std::copy_n(datagram.bytes.begin(), std::min(capacity, datagram.bytes.size()), buffer);
        *from = datagram.from;
        arrival_ = datagram.interfaceIndex;
        return static_cast<long>(datagram.bytes.size());
    }

    int ArrivalInterface() const override { return arrival_; }

    void SetReadableCallback(std::function<void()> onReadable) override {
        onReadable_ = std::move(onReadable);
    }

    void Arrive(Datagram datagram, bool notify) {
        inbox_.push_back(std::move(datagram));
        if (notify && onReadable_) {
            onReadable_();
        }
    }

private:
    void Unbind() {
        if (open_) {
            shared_->bound.erase(port_);
            open_ = false;
        }
    }

    VirtualNetwork& network_;
    std::shared_ptr<Shared> shared_;
    uint16_t port_ = 0;
    bool open_ = false;
    int openError_ = 0;
    int arrival_ = 0;
    bool broadcast_ = false;
    std::deque<Datagram> inbox_;
    std::function<void()> onReadable_;
};

VirtualNetwork::VirtualNetwork() : shared_(std::make_shared<Shared>()) {}

VirtualNetwork::~VirtualNetwork() = default;

std::unique_ptr<DatagramSocket> VirtualNetwork::CreateSocket() {
    return std::make_unique<Socket>(*this, shared_);
}

void VirtualNetwork::FailOpen(uint16_t port, SocketOpenResult result) {
    shared_->openFaults[port] = result;
}

void VirtualNetwork::FailBroadcastOption(bool fail) {
    shared_->broadcastOptionFails = fail;
}

void VirtualNetwork::FailSends(int error) {
    shared_->sendError = error;
}

void VirtualNetwork::AddAgent(FakeAgent* agent) {
    shared_->agents.push_back(agent);
}

void VirtualNetwork::Queue(uint16_t port, Endpoint from, std::vector<uint8_t> bytes,
                           int interfaceIndex) {
    shared_->waiting.push_back(Datagram{port, from, std::move(bytes), interfaceIndex});
}

int VirtualNetwork::Deliver() {
    int delivered = 0;
    while (!shared_->waiting.empty()) {
        Datagram datagram = std::move(shared_->waiting.front());
        shared_->waiting.pop_front();
        auto socket = shared_->bound.find(datagram.port);
        if (socket != shared_->bound.end()) {
            ++delivered;
            socket->second->Arrive(std::move(datagram), true);
        }
    }
    return delivered;
}

bool VirtualNetwork::PutInSocket(uint16_t port, Endpoint from, const std::vector<uint8_t>& bytes) {
    auto socket = shared_->bound.find(port);
    if (socket == shared_->bound.end()) {
        return false;
    }
    socket->second->Arrive(Datagram{port, from, bytes}, false);
    return true;
}

bool VirtualNetwork::IsBound(uint16_t port) const {
    return shared_->bound.count(port) != 0;
}

int VirtualNetwork::CloseCalls() const {
    return shared_->closeCalls;
}

const std::vector<SentDatagram>& VirtualNetwork::Sent() const {
    return shared_->sent;
}

void VirtualNetwork::ClearSent() {
    shared_->sent.clear();
}

}  // namespace vantelo::test
