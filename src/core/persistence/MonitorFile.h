#pragma once

#include <cstddef>
#include <string>

#include "ports/FileSystem.h"
#include "protocol/DeviceRecord.h"

namespace vantelo {

inline constexpr const char* kMonitorFileName = "monitor.cfg";
inline constexpr size_t kMonitorFileMax = kTableSlots * sizeof(DeviceRecord);

// Reads at most 256 records from the file at path into *records, which it zeroes first.
// Returns the number of records, 0 for a missing or unreadable file, or -1 when the bytes read
// are not a whole number of records.
int ReadMonitorFile(FileSystem& files, const std::string& path, DeviceTable* records);

// Replaces the file at path with the count records, byte for byte, so that a failed save leaves
// the earlier file whole. Returns 0, or -1 when nothing was saved.
int WriteMonitorFile(FileSystem& files, const std::string& path, const DeviceRecord* records,
                     int count);

}  // namespace vantelo
