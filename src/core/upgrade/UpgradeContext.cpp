#include "upgrade/UpgradeContext.h"

#include <cstring>

namespace vantelo {

namespace {

template <size_t N>
void CopyIn(std::array<char, N>& field, const char* text) {
    size_t length = text == nullptr ? 0 : strnlen(text, N - 1);
    field.fill('\0');
    std::memcpy(field.data(), text == nullptr ? "" : text, length);
}

}  // namespace

void UpgradeContext::SetDeviceMac(const char* macText) {
    CopyIn(deviceMac_, macText);
}

void UpgradeContext::SetFirmwarePath(const char* path) {
    CopyIn(firmwarePath_, path);
}

}  // namespace vantelo
