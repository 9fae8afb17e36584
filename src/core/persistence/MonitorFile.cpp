#include "persistence/MonitorFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vantelo {

namespace {

class File {
public:
    File(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    std::FILE* Get() const { return file_; }
    // Returns false when buffered bytes could not be written.
    bool Close() {
        bool ok = file_ == nullptr || std::fclose(file_) == 0;
        file_ = nullptr;
        return ok;
    }

private:
    std::FILE* file_;
};

bool WriteRecords(const std::string& path, const DeviceRecord* records, int count) {
    File file(path, "wb");
    if (file.Get() == nullptr) {
        return false;
    }
    for (int k = 0; k < count; ++k) {
        if (std::fwrite(&records[k], sizeof(DeviceRecord), 1, file.Get()) != 1) {
            return false;
        }
    }
    return file.Close();
}

}  // namespace

int ReadMonitorFile(const std::string& path, DeviceTable* records) {
    records->fill(DeviceRecord{});
    File file(path, "rb");
    if (file.Get() == nullptr) {
        return 0;
    }
    size_t bytes = std::fread(records->data(), 1, kMonitorFileMax, file.Get());
    if (bytes % sizeof(DeviceRecord) != 0) {
        records->fill(DeviceRecord{});
        return -1;
    }
    return static_cast<int>(bytes / sizeof(DeviceRecord));
}

int WriteMonitorFile(const std::string& path, const DeviceRecord* records, int count) {
    if (count < 0 || count > kTableSlots) {
        return -1;
    }
    std::string temporary = path + ".tmp";
    std::error_code error;
    if (!WriteRecords(temporary, records, count)) {
        std::filesystem::remove(temporary, error);
        return -1;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return -1;
    }
    return 0;
}

}  // namespace vantelo
