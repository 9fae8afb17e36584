#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vantelo {

// The facts remembered about an upgrade outstanding with one agent: the target and its transfer
// progress. Every operation returns 0. A text longer than its field is cut to the capacity less
// one; a copy-out fills a buffer of exactly the field's capacity, so it can neither overrun nor
// come out unterminated.
class UpgradeContext {
public:
    static constexpr int kMacCapacity = 16;
    static constexpr int kPathCapacity = 128;

    int SetDeviceIp(uint32_t ip);
    int GetDeviceIp(uint32_t* ip) const;
    int SetDeviceMac(const char* macText);
    int GetDeviceMac(std::span<char, kMacCapacity> out) const;
    int SetFirmwarePath(const char* path);
    int GetFirmwarePath(std::span<char, kPathCapacity> out) const;
    int AddBytesSent(uint32_t count);
    int GetBytesSent(uint32_t* count) const;
    int ZeroBytesSent();
    int SetTriggerAcknowledged(uint16_t value);
    int GetTriggerAcknowledged(uint16_t* value) const;
    int Reset();

private:
    uint32_t deviceIp_ = 0;
    char deviceMac_[kMacCapacity] = {};
    char firmwarePath_[kPathCapacity] = {};
    uint32_t bytesSent_ = 0;
    uint16_t triggerAcknowledged_ = 0;
};

// Set by the dispatcher when the upgraded agent answers a discovery; cleared and read by the
// verification run.
struct RediscoveryMark {
    uint16_t value = 0;
};

}  // namespace vantelo
