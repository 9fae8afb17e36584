#include "platform/QtDatagramSocket.h"

#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <cerrno>
#include <cstring>

#ifdef __linux__
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#endif

namespace vantelo {

namespace {

// What waits in the queue is bounded like a socket buffer: past it, datagrams are dropped.
constexpr size_t kMaxWaitingBytes = QtDatagramSocket::kReceiveBufferBytes;
// Datagrams handed to the engine in one turn of the event loop: a flood then never holds off
// timers, painting and input for longer than these few take.
constexpr int kDeliveredPerTurn = 256;

bool IsCreateFailure(QAbstractSocket::SocketError error) {
    return error == QAbstractSocket::SocketResourceError ||
           error == QAbstractSocket::UnsupportedSocketOperationError;
}

}  // namespace

QtDatagramSocket::QtDatagramSocket() {
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] { Drain(); });
}

QtDatagramSocket::~QtDatagramSocket() = default;

SocketOpenResult QtDatagramSocket::Open(uint16_t port) {
    // No address sharing: a second console on the same port must fail to bind, not share it.
    errno = 0;
    if (!socket_.bind(QHostAddress(QHostAddress::AnyIPv4), port,
                      QAbstractSocket::DontShareAddress)) {
        // Qt keeps only its own error kind; the system's code is what the operator can look up.
        openError_ = errno != 0 ? errno : static_cast<int>(socket_.error());
        const bool created = !IsCreateFailure(socket_.error());
        socket_.abort();
        return created ? SocketOpenResult::BindFailed : SocketOpenResult::CreateFailed;
    }
    openError_ = 0;
    EnlargeReceiveBuffer();
#ifdef __linux__
    // Each datagram tells the interface it arrived on.
    const int on = 1;
    setsockopt(static_cast<int>(socket_.socketDescriptor()), IPPROTO_IP, IP_PKTINFO, &on,
               sizeof on);
#endif
    return SocketOpenResult::Ok;
}

void QtDatagramSocket::EnlargeReceiveBuffer() {
    socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBufferBytes);
#ifdef __linux__
    // The system caps the ordinary request at its configured maximum; a privileged process may
    // go past it, which is what a burst of 256 replies needs on a default system.
    if (socket_.socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt() <
        kReceiveBufferBytes) {
        const int bytes = kReceiveBufferBytes;
        setsockopt(static_cast<int>(socket_.socketDescriptor()), SOL_SOCKET, SO_RCVBUFFORCE, &bytes,
                   sizeof bytes);
    }
#endif
}

bool QtDatagramSocket::IsOpen() const {
    return socket_.state() == QAbstractSocket::BoundState;
}

void QtDatagramSocket::Close() {
    socket_.close();
    waiting_.clear();
    waitingBytes_ = 0;
    current_.reset();
}

int QtDatagramSocket::EnableBroadcast() {
    // Qt turns broadcasting on for every UDP socket it creates.
    return IsOpen() ? 0 : -1;
}

int QtDatagramSocket::SendTo(const uint8_t* data, size_t length, Endpoint to, int* error) {
    // QUdpSocket would bind a closed socket again to send; a closed socket sends nothing.
    if (!IsOpen()) {
        if (error != nullptr) {
            *error = EBADF;
        }
        return -1;
    }
    errno = 0;
    return Sent(
        socket_.writeDatagram(reinterpret_cast<const char*>(data), static_cast<qint64>(length),
                              QHostAddress(to.address), to.port),
        length, error);
}

int QtDatagramSocket::SendVia(const uint8_t* data, size_t length, Endpoint to, int interfaceIndex,
                              uint32_t source, int* error) {
    if (!IsOpen()) {
        if (error != nullptr) {
            *error = EBADF;
        }
        return -1;
    }
    // Qt hands the index and the source address to the system as IP_PKTINFO: the datagram
    // leaves through that interface even where the routing table would choose another.
    QNetworkDatagram datagram(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length)),
        QHostAddress(to.address), to.port);
    datagram.setInterfaceIndex(static_cast<uint>(interfaceIndex));
    datagram.setSender(QHostAddress(source));
    errno = 0;
    return Sent(socket_.writeDatagram(datagram), length, error);
}

int QtDatagramSocket::Sent(qint64 sent, size_t length, int* error) {
    if (sent == static_cast<qint64>(length)) {
        return 0;
    }
    if (error != nullptr) {
        *error = errno != 0 ? errno : static_cast<int>(socket_.error());
    }
    return -1;
}

long QtDatagramSocket::Receive(uint8_t* buffer, size_t capacity, Endpoint* from) {
    if (!current_) {
        return -1;
    }
    const Datagram datagram = std::move(*current_);
    current_.reset();
    const size_t size = static_cast<size_t>(datagram.bytes.size());
    if (size > 0 && capacity > 0) {
        std::memcpy(buffer, datagram.bytes.constData(), std::min(size, capacity));
    }
    if (from != nullptr) {
        *from = datagram.from;
    }
    arrival_ = datagram.interfaceIndex;
    return static_cast<long>(size);
}

void QtDatagramSocket::SetReadableCallback(std::function<void()> onReadable) {
    onReadable_ = std::move(onReadable);
}

void QtDatagramSocket::Drain() {
#ifdef __linux__
    while (ReadBatch()) {
    }
#endif
    // One read a datagram until none is left: asking first whether one waits and how long it is
    // would cost two more system calls each. This last read through Qt, which finds the socket
    // empty, is also what arms Qt's read notification again.
    for (;;) {
        const QNetworkDatagram datagram = socket_.receiveDatagram(kMaxDatagramBytes);
        if (!datagram.isValid()) {
            break;
        }
        Keep(datagram.data().constData(), static_cast<size_t>(datagram.data().size()),
             Endpoint{datagram.senderAddress().toIPv4Address(),
                      static_cast<uint16_t>(datagram.senderPort())},
             static_cast<int>(datagram.interfaceIndex()));
    }
    PostDelivery();
}

void QtDatagramSocket::Keep(const char* bytes, size_t size, Endpoint from, int interfaceIndex) {
    if (waitingBytes_ + size > kMaxWaitingBytes) {
        return;
    }
    waitingBytes_ += size;
    waiting_.push_back(
        Datagram{QByteArray(bytes, static_cast<qsizetype>(size)), from, interfaceIndex});
}

#ifdef __linux__
namespace {

// The interface index of the IP_PKTINFO message that came with a datagram; 0 without one.
int ArrivalOf(msghdr& header) {
    for (cmsghdr* part = CMSG_FIRSTHDR(&header); part != nullptr;
         part = CMSG_NXTHDR(&header, part)) {
        if (part->cmsg_level == IPPROTO_IP && part->cmsg_type == IP_PKTINFO) {
            in_pktinfo info{};
            std::memcpy(&info, CMSG_DATA(part), sizeof info);
            return info.ipi_ifindex;
        }
    }
    return 0;
}

}  // namespace

// A burst of replies costs a system call a datagram through Qt; here one call reads up to
// kBatch of them, each into a slot of the largest datagram's size. True when it read kBatch:
// more may wait.
bool QtDatagramSocket::ReadBatch() {
    std::array<mmsghdr, kBatch> headers{};
    std::array<iovec, kBatch> parts{};
    std::array<sockaddr_in, kBatch> senders{};
    using Control = std::array<char, CMSG_SPACE(sizeof(in_pktinfo))>;
    alignas(cmsghdr) std::array<Control, kBatch> controls{};
    for (size_t i = 0; i < kBatch; ++i) {
        headers[i].msg_hdr.msg_control = controls[i].data();
        headers[i].msg_hdr.msg_controllen = controls[i].size();
        parts[i] = iovec{batchBuffer_.data() + i * kMaxDatagramBytes, kMaxDatagramBytes};
        headers[i].msg_hdr.msg_iov = &parts[i];
        headers[i].msg_hdr.msg_iovlen = 1;
        headers[i].msg_hdr.msg_name = &senders[i];
        headers[i].msg_hdr.msg_namelen = sizeof senders[i];
    }
    const int count = recvmmsg(static_cast<int>(socket_.socketDescriptor()), headers.data(), kBatch,
                               MSG_DONTWAIT, nullptr);
    for (int i = 0; i < count; ++i) {
        const size_t slot = static_cast<size_t>(i);
        Keep(batchBuffer_.constData() + slot * kMaxDatagramBytes, headers[slot].msg_len,
             Endpoint{ntohl(senders[slot].sin_addr.s_addr), ntohs(senders[slot].sin_port)},
             ArrivalOf(headers[slot].msg_hdr));
    }
    return count == static_cast<int>(kBatch);
}
#endif

void QtDatagramSocket::PostDelivery() {
    if (!waiting_.empty() && !deliveryPosted_) {
        deliveryPosted_ = true;
        QMetaObject::invokeMethod(
            &socket_, [this] { Deliver(); }, Qt::QueuedConnection);
    }
}

void QtDatagramSocket::Deliver() {
    deliveryPosted_ = false;
    for (int delivered = 0; delivered < kDeliveredPerTurn && !waiting_.empty(); ++delivered) {
        current_ = std::move(waiting_.front());
        waiting_.pop_front();
        waitingBytes_ -= static_cast<size_t>(current_->bytes.size());
        if (onReadable_) {
            onReadable_();
        }
        // A datagram the receive path did not read is dropped, never offered twice.
        current_.reset();
    }
    PostDelivery();
}

std::unique_ptr<DatagramSocket> QtSocketFactory::CreateSocket() {
    return std::make_unique<QtDatagramSocket>();
}

}  // namespace vantelo
