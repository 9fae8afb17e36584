#pragma once

#include <QByteArray>
#include <QUdpSocket>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "ports/DatagramSocket.h"

namespace vantelo {

// A datagram socket on QUdpSocket. Each readyRead drains every waiting datagram into a queue;
// queued calls then hand them to the engine, one readable callback per datagram and a few dozen
// per turn of the event loop. Delivering
// outside the readyRead signal lets a message box that the receive path opens (a nested event
// loop) still get the datagrams that arrive meanwhile, as window messages would.
class QtDatagramSocket final : public DatagramSocket {
public:
    QtDatagramSocket();
    ~QtDatagramSocket() override;
    QtDatagramSocket(const QtDatagramSocket&) = delete;
    QtDatagramSocket& operator=(const QtDatagramSocket&) = delete;

    SocketOpenResult Open(uint16_t port) override;
    int OpenError() const override { return openError_; }
    bool IsOpen() const override;
    void Close() override;
    int EnableBroadcast() override;
    int SendTo(const uint8_t* data, size_t length, Endpoint to, int* error) override;
    int SendVia(const uint8_t* data, size_t length, Endpoint to, int interfaceIndex,
                uint32_t source, int* error) override;
    long Receive(uint8_t* buffer, size_t capacity, Endpoint* from) override;
    int ArrivalInterface() const override { return arrival_; }
    void SetReadableCallback(std::function<void()> onReadable) override;

    // The port the socket is bound to, so that one opened on port 0 tells which it got; 0 when
    // it is not open.
    uint16_t LocalPort() const { return socket_.localPort(); }

    // The receive buffer the socket asks the system for: room for 256 replies arriving at once.
    static constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;

private:
    struct Datagram {
        QByteArray bytes;
        Endpoint from;
        int interfaceIndex;
    };

    void Drain();
    void Keep(const char* bytes, size_t size, Endpoint from, int interfaceIndex);
    int Sent(qint64 sent, size_t length, int* error);
#ifdef __linux__
    bool ReadBatch();
#endif
    void PostDelivery();
    void Deliver();
    void EnlargeReceiveBuffer();

    // Room for the largest UDP datagram over IPv4.
    static constexpr int kMaxDatagramBytes = 65536;
#ifdef __linux__
    // Datagrams read with one system call.
    static constexpr unsigned kBatch = 16;
#endif

    QUdpSocket socket_;
#ifdef __linux__
    QByteArray batchBuffer_ = QByteArray(qsizetype{kBatch} * kMaxDatagramBytes, Qt::Uninitialized);
#endif
    std::deque<Datagram> waiting_;
    size_t waitingBytes_ = 0;
    std::optional<Datagram> current_;
    bool deliveryPosted_ = false;
    std::function<void()> onReadable_;
    int openError_ = 0;
    int arrival_ = 0;
};

class QtSocketFactory final : public SocketFactory {
public:
    std::unique_ptr<DatagramSocket> CreateSocket() override;
};

}  // namespace vantelo
