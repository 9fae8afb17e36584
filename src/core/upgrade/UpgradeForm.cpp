#include "upgrade/UpgradeForm.h"

namespace vantelo {

bool IsUpgradePasswordLength(std::string_view password) {
    return !password.empty() && password.size() <= kMaxUpgradePassword;
}

bool FitsFirmwarePath(std::string_view path) {
    return path.size() <= kMaxFirmwarePath;
}

bool FitsBlockNumbers(uint64_t size) {
    return size <= kMaxFirmwareSize;
}

}  // namespace vantelo
