#pragma once

#include <cstdint>
#include <string_view>

#include "upgrade/TftpPackets.h"
#include "upgrade/UpgradeContext.h"

namespace vantelo {

inline constexpr size_t kMaxUpgradePassword = 20;
inline constexpr size_t kMaxFirmwarePath = UpgradeContext::kPathCapacity - 1;
// Block numbers are 16 bits and do not wrap: a file must end in a short block numbered 0xFFFF
// at the latest.
inline constexpr uint64_t kMaxFirmwareSize = 0xFFFFull * kTftpBlockSize - 1;

inline constexpr const char* kPathTooLong = "Firmware path too long, at most 127 characters";
inline constexpr const char* kFileTooLarge = "Firmware file too large, at most 33553919 bytes";

// 1 to 20 characters.
bool IsUpgradePasswordLength(std::string_view password);
// A path that the firmware path field holds whole.
bool FitsFirmwarePath(std::string_view path);
// A file that the transfer's block numbers can carry to its end.
bool FitsBlockNumbers(uint64_t size);

}  // namespace vantelo
