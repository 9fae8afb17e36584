#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "upgrade/UpgradeContext.h"

namespace vantelo {
namespace {

TEST(UpgradeContext, StartsEmptyAndResetsToEmpty) {
    UpgradeContext context;
    for (int round = 0; round < 2; ++round) {
        char mac[UpgradeContext::kMacCapacity];
        char path[UpgradeContext::kPathCapacity];
        char setMac[UpgradeContext::kMacCapacity];
        std::memset(mac, 'x', sizeof mac);
        std::memset(path, 'x', sizeof path);
        std::memset(setMac, 'x', sizeof setMac);
        uint32_t ip = 1, requested = 1, sent = 1;
        uint16_t acknowledged = 1;
        EXPECT_EQ(context.GetDeviceMac(mac), 0);
        EXPECT_EQ(context.GetFirmwarePath(path), 0);
        EXPECT_EQ(context.GetSetTargetMac(setMac), 0);
        EXPECT_EQ(context.GetDeviceIp(&ip), 0);
        EXPECT_EQ(context.GetRequestedIp(&requested), 0);
        EXPECT_EQ(context.GetBytesSent(&sent), 0);
        EXPECT_EQ(context.GetTriggerAcknowledged(&acknowledged), 0);
        EXPECT_STREQ(mac, "");
        EXPECT_STREQ(path, "");
        EXPECT_STREQ(setMac, "");
        EXPECT_EQ(ip + requested + sent + acknowledged, 0u);

        context.SetDeviceMac("000a1b2c3d4e");
        context.SetFirmwarePath("/tmp/fw.bin");
        context.SetSetTargetMac("000a1b2c3d4f");
        context.SetDeviceIp(5);
        context.SetRequestedIp(6);
        context.AddBytesSent(7);
        context.SetTriggerAcknowledged(1);
        EXPECT_EQ(context.Reset(), 0);
    }
}

TEST(UpgradeContext, CopiesRoundTripAndStayWithinTheirFields) {
    UpgradeContext context;
    context.SetDeviceMac("000a1b2c3d4e");
    std::string longPath(300, 'p');
    context.SetFirmwarePath(longPath.c_str());
    char mac[UpgradeContext::kMacCapacity];
    char path[UpgradeContext::kPathCapacity];
    context.GetDeviceMac(mac);
    context.GetFirmwarePath(path);
    EXPECT_STREQ(mac, "000a1b2c3d4e");
    EXPECT_EQ(std::string(path), std::string(127, 'p'));
}

TEST(UpgradeContext, BytesSentAddsAndZeroes) {
    UpgradeContext context;
    for (int i = 0; i < 3; ++i) {
        context.AddBytesSent(512);
    }
    uint32_t sent = 0;
    context.GetBytesSent(&sent);
    EXPECT_EQ(sent, 1536u);
    context.ZeroBytesSent();
    context.GetBytesSent(&sent);
    EXPECT_EQ(sent, 0u);
}

}  // namespace
}  // namespace vantelo
