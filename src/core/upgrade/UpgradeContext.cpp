#include "upgrade/UpgradeContext.h"

#include <algorithm>
#include <cstring>

namespace vantelo {

namespace {

template <size_t N>
void CopyIn(char (&field)[N], const char* text) {
    size_t length = text == nullptr ? 0 : strnlen(text, N - 1);
    if (length > 0) {
        std::memcpy(field, text, length);
    }
    std::memset(field + length, 0, N - length);
}

template <size_t N>
void CopyOut(const char (&field)[N], std::span<char, N> out) {
    std::copy(field, field + N, out.begin());
}

}  // namespace

int UpgradeContext::SetDeviceIp(uint32_t ip) {
    deviceIp_ = ip;
    return 0;
}

int UpgradeContext::GetDeviceIp(uint32_t* ip) const {
    *ip = deviceIp_;
    return 0;
}

int UpgradeContext::SetDeviceMac(const char* macText) {
    CopyIn(deviceMac_, macText);
    return 0;
}

int UpgradeContext::GetDeviceMac(std::span<char, kMacCapacity> out) const {
    CopyOut(deviceMac_, out);
    return 0;
}

int UpgradeContext::SetFirmwarePath(const char* path) {
    CopyIn(firmwarePath_, path);
    return 0;
}

int UpgradeContext::GetFirmwarePath(std::span<char, kPathCapacity> out) const {
    CopyOut(firmwarePath_, out);
    return 0;
}

int UpgradeContext::AddBytesSent(uint32_t count) {
    bytesSent_ += count;
    return 0;
}

int UpgradeContext::GetBytesSent(uint32_t* count) const {
    *count = bytesSent_;
    return 0;
}

int UpgradeContext::ZeroBytesSent() {
    bytesSent_ = 0;
    return 0;
}

int UpgradeContext::SetTriggerAcknowledged(uint16_t value) {
    triggerAcknowledged_ = value;
    return 0;
}

int UpgradeContext::GetTriggerAcknowledged(uint16_t* value) const {
    *value = triggerAcknowledged_;
    return 0;
}

int UpgradeContext::Reset() {
    *this = UpgradeContext{};
    return 0;
}

}  // namespace vantelo
