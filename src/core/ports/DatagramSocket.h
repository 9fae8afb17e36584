#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace vantelo {

// An IPv4 address and port, both in host order.
struct Endpoint {
    uint32_t address;
    uint16_t port;
};

inline constexpr uint32_t kBroadcastAddress = 0xFFFFFFFFu;

enum class SocketOpenResult { Ok, CreateFailed, BindFailed };

// One UDP socket of the console. The adapter calls the readable callback once for every datagram
// that waits, so that each goes through the engine's receive path on its own.
class DatagramSocket {
public:
    virtual ~DatagramSocket() = default;

    // Creates the socket and binds it to port on every local address.
    virtual SocketOpenResult Open(uint16_t port) = 0;
    // The system's error code of the last open that failed, or 0.
    virtual int OpenError() const = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    // Returns 0, or -1 when the broadcast option cannot be set.
    virtual int EnableBroadcast() = 0;
    // Returns 0, or -1 with the system's error code in *error when the datagram cannot be sent.
    virtual int SendTo(const uint8_t* data, size_t length, Endpoint to, int* error) = 0;
    // The same, out of the interface of that index and from its address, whatever the routing
    // table says.
    virtual int SendVia(const uint8_t* data, size_t length, Endpoint to, int interfaceIndex,
                        uint32_t source, int* error) = 0;
    // Reads one waiting datagram, at most capacity bytes of it. Returns the datagram's full size
    // (which may exceed capacity: the caller drops such a datagram), or -1 when none could be read.
    virtual long Receive(uint8_t* buffer, size_t capacity, Endpoint* from) = 0;
    // The index of the interface the datagram last read arrived on; 0 when unknown.
    virtual int ArrivalInterface() const = 0;
    virtual void SetReadableCallback(std::function<void()> onReadable) = 0;
};

class SocketFactory {
public:
    virtual ~SocketFactory() = default;
    virtual std::unique_ptr<DatagramSocket> CreateSocket() = 0;
};

}  // namespace vantelo
