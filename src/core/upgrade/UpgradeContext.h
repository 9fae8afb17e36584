#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantelo {

// The facts remembered about an upgrade outstanding with one agent: the target and its transfer
// progress. A text longer than its field is cut to the capacity less one; a text comes out as
// the whole field, so it always ends inside it and has only zeros behind it.
class UpgradeContext {
public:
    static constexpr int kMacCapacity = 16;
    static constexpr int kPathCapacity = 128;
    using MacField = std::array<char, kMacCapacity>;
    using PathField = std::array<char, kPathCapacity>;

    void SetDeviceIp(uint32_t ip) { deviceIp_ = ip; }
    uint32_t DeviceIp() const { return deviceIp_; }
    void SetDeviceMac(const char* macText);
    MacField DeviceMac() const { return deviceMac_; }
    void SetFirmwarePath(const char* path);
    PathField FirmwarePath() const { return firmwarePath_; }
    void AddBytesSent(uint32_t count) { bytesSent_ += count; }
    uint32_t BytesSent() const { return bytesSent_; }
    void ZeroBytesSent() { bytesSent_ = 0; }
    void SetTriggerAcknowledged(uint16_t value) { triggerAcknowledged_ = value; }
    uint16_t TriggerAcknowledged() const { return triggerAcknowledged_; }
    void Reset() { *this = UpgradeContext{}; }

private:
    uint32_t deviceIp_ = 0;
    MacField deviceMac_ = {};
    PathField firmwarePath_ = {};
    uint32_t bytesSent_ = 0;
    uint16_t triggerAcknowledged_ = 0;
};

// Set by the dispatcher when the upgraded agent answers a discovery; cleared and read by the
// verification run.
struct RediscoveryMark {
    uint16_t value = 0;
};

}  // namespace vantelo
