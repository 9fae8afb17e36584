#include <gtest/gtest.h>

#include "protocol/Conversions.h"
#include "settings/AddressRules.h"

namespace vantelo {
namespace {

uint32_t Ip(const char* text) {
    uint32_t value = 0;
    EXPECT_EQ(TextToIp(text, &value), 0) << text;
    return value;
}

TEST(AddressRules, IsLegalHostIp) {
    struct Case {
        const char* address;
        bool legal;
    } cases[] = {
        {"0.0.0.0", false},         {"255.255.255.255", false}, {"127.0.0.1", false},
        {"127.255.255.254", false}, {"10.0.0.0", false},        {"10.255.255.255", false},
        {"1.0.0.1", true},          {"10.0.0.1", true},         {"126.255.255.254", true},
        {"128.0.0.1", false},       {"128.1.0.1", true},        {"172.16.0.1", true},
        {"191.255.0.1", true},      {"172.16.0.0", false},      {"172.16.255.255", false},
        {"192.0.0.1", false},       {"192.0.1.1", true},        {"192.168.0.1", true},
        {"223.255.255.1", true},    {"192.168.0.0", false},     {"192.168.0.255", false},
        {"224.0.0.1", false},       {"239.255.255.254", false}, {"240.0.0.1", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLegalHostIp(Ip(c.address)), c.legal) << c.address;
    }
}

TEST(AddressRules, IsHostPartValid) {
    struct Case {
        const char* address;
        const char* mask;
        bool valid;
    } cases[] = {
        {"0.0.0.0", "255.255.255.255", true},
        {"192.168.1.255", "255.255.255.255", true},
        {"0.0.0.0", "0.0.0.0", false},
        {"255.255.255.255", "0.0.0.0", false},
        {"10.0.0.1", "0.0.0.0", true},
        {"192.168.1.0", "255.255.255.0", false},
        {"192.168.1.255", "255.255.255.0", false},
        {"192.168.1.1", "255.255.255.0", true},
        {"10.1.2.3", "255.0.255.0", true},
        {"10.0.2.0", "255.0.255.0", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsHostPartValid(Ip(c.address), Ip(c.mask)), c.valid)
            << c.address << " / " << c.mask;
    }
}

TEST(AddressRules, IsGatewayInSubnet) {
    struct Case {
        const char* address;
        const char* gateway;
        const char* mask;
        bool inside;
    } cases[] = {
        {"192.168.1.10", "0.0.0.0", "255.255.255.0", true},
        {"10.0.0.1", "0.0.0.0", "255.255.255.255", true},
        {"192.168.1.10", "192.168.1.1", "255.255.255.0", true},
        {"192.168.1.10", "192.168.2.1", "255.255.255.0", false},
        {"192.168.1.10", "8.8.8.8", "0.0.0.0", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsGatewayInSubnet(Ip(c.address), Ip(c.gateway), Ip(c.mask)), c.inside)
            << c.address << " via " << c.gateway << " / " << c.mask;
    }
}

TEST(AddressRules, IsSameSubnet) {
    EXPECT_TRUE(IsSameSubnet(Ip("1.2.3.4"), Ip("200.1.1.1"), 0));
    EXPECT_TRUE(IsSameSubnet(Ip("10.0.0.1"), Ip("10.0.0.1"), 0xFFFFFFFF));
    EXPECT_FALSE(IsSameSubnet(Ip("10.0.0.1"), Ip("10.0.0.2"), 0xFFFFFFFF));
    EXPECT_TRUE(IsSameSubnet(Ip("10.77.0.1"), Ip("10.77.3.9"), Ip("255.255.0.0")));
}

TEST(AddressRules, IsMaskContiguous) {
    struct Case {
        const char* mask;
        bool contiguous;
    } cases[] = {
        {"0.0.0.0", true},          {"128.0.0.0", true},       {"255.255.254.0", true},
        {"255.255.255.0", true},    {"255.255.255.254", true}, {"255.255.255.255", true},
        {"255.0.255.0", false},     {"0.255.255.255", false},  {"0.0.0.1", false},
        {"255.255.255.253", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsMaskContiguous(Ip(c.mask)), c.contiguous) << c.mask;
    }
}

}  // namespace
}  // namespace vantelo
