#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantelo {

// One agent as the console knows it. The layout is byte-exact because the same record is the
// decoded image of a reply, a table slot, a request image and one element of a monitor list file.
struct DeviceRecord {
    uint32_t deviceTypeId;
    char macText[16];
    char productName[41];
    char systemName[21];
    char location[21];
    char ipText[20];
    char trapIpText[20];
    char subnetMaskText[20];
    char gatewayText[20];
    char password[21];
    char newPassword[24];
    uint32_t ip;
    uint32_t trapIp;
    uint32_t subnetMask;
    uint32_t gateway;
    int32_t rowState;
    int32_t missedPolls;
    int32_t statusImage;
    int32_t answered;
    uint16_t lastOpCode;
    uint16_t protocolVersion;
    uint16_t interfaceVersion;
    uint16_t direction;
    uint16_t loaderMark;
    uint16_t dhcp;
};

static_assert(sizeof(DeviceRecord) == 272);
static_assert(offsetof(DeviceRecord, deviceTypeId) == 0);
static_assert(offsetof(DeviceRecord, macText) == 4);
static_assert(offsetof(DeviceRecord, productName) == 20);
static_assert(offsetof(DeviceRecord, systemName) == 61);
static_assert(offsetof(DeviceRecord, location) == 82);
static_assert(offsetof(DeviceRecord, ipText) == 103);
static_assert(offsetof(DeviceRecord, trapIpText) == 123);
static_assert(offsetof(DeviceRecord, subnetMaskText) == 143);
static_assert(offsetof(DeviceRecord, gatewayText) == 163);
static_assert(offsetof(DeviceRecord, password) == 183);
static_assert(offsetof(DeviceRecord, newPassword) == 204);
static_assert(offsetof(DeviceRecord, ip) == 228);
static_assert(offsetof(DeviceRecord, trapIp) == 232);
static_assert(offsetof(DeviceRecord, subnetMask) == 236);
static_assert(offsetof(DeviceRecord, gateway) == 240);
static_assert(offsetof(DeviceRecord, rowState) == 244);
static_assert(offsetof(DeviceRecord, missedPolls) == 248);
static_assert(offsetof(DeviceRecord, statusImage) == 252);
static_assert(offsetof(DeviceRecord, answered) == 256);
static_assert(offsetof(DeviceRecord, lastOpCode) == 260);
static_assert(offsetof(DeviceRecord, protocolVersion) == 262);
static_assert(offsetof(DeviceRecord, interfaceVersion) == 264);
static_assert(offsetof(DeviceRecord, direction) == 266);
static_assert(offsetof(DeviceRecord, loaderMark) == 268);
static_assert(offsetof(DeviceRecord, dhcp) == 270);

// rowState values.
inline constexpr int32_t kRowNotShown = 0;
inline constexpr int32_t kRowShown = 1;
inline constexpr int32_t kRowNotAlive = 2;

// statusImage values of a monitor slot.
inline constexpr int32_t kNoImage = -1;
inline constexpr int32_t kNotAliveImage = 1;

inline constexpr uint16_t kLoaderMark = 100;
inline constexpr uint16_t kDhcpNotReported = 2;

// Device type written into entries the operator adds by IP address.
inline constexpr uint32_t kHandAddedDeviceTypeId = 0x03B27F16;

inline constexpr int kTableSlots = 256;

// 256 slots used densely from slot 0; the number in use is the item count of the list showing it.
using DeviceTable = std::array<DeviceRecord, kTableSlots>;

// Copies a text into a fixed field, cut to the field's capacity minus one and NUL-terminated.
template <size_t N>
void CopyField(char (&field)[N], const char* text, size_t length) {
    size_t n = length < N - 1 ? length : N - 1;
    for (size_t i = 0; i < n; ++i) {
        field[i] = text[i];
    }
    for (size_t i = n; i < N; ++i) {
        field[i] = '\0';
    }
}

}  // namespace vantelo
