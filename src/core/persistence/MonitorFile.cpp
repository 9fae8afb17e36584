#include "persistence/MonitorFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vantelo {

int ReadMonitorFile(FileSystem& files, const std::string& path, DeviceTable* records) {
    records->fill(DeviceRecord{});
    std::vector<uint8_t> bytes;
    if (files.ReadFile(path, kMonitorFileMax, &bytes) != 0) {
        return 0;
    }
    // Records past the 256th are not read.
    size_t length = std::min(bytes.size(), kMonitorFileMax);
    if (length % sizeof(DeviceRecord) != 0) {
        return -1;
    }
    if (length > 0) {  // an empty file's bytes may have no storage at all
        std::memcpy(records->data(), bytes.data(), length);
    }
    return static_cast<int>(length / sizeof(DeviceRecord));
}

int WriteMonitorFile(FileSystem& files, const std::string& path, const DeviceRecord* records,
                     int count) {
    if (count < 0 || count > kTableSlots) {
        return -1;
    }
    return files.ReplaceFile(path, reinterpret_cast<const uint8_t*>(records),
                             static_cast<size_t>(count) * sizeof(DeviceRecord));
}

}  // namespace vantelo
