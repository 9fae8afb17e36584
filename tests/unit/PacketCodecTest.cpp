#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"
#include "protocol/ResultCode.h"
#include "protocol/TlvElements.h"

namespace vantelo {
namespace {

std::vector<uint8_t> ReplyWith(uint16_t interfaceVersion, std::vector<uint8_t> elements) {
    PacketHeader header{};
    header.protocolVersion = 2;
    header.direction = 1;
    header.interfaceVersion = interfaceVersion;
    header.opCode = 2;
    std::vector<uint8_t> datagram(kHeaderSize + elements.size());
    EncodeHeader(header, std::span(datagram).first<kHeaderSize>());
    std::copy(elements.begin(), elements.end(), datagram.begin() + kHeaderSize);
    return datagram;
}

DeviceRecord Decode(const std::vector<uint8_t>& datagram, uint16_t interfaceVersion = 2) {
    DeviceRecord record{};
    record.dhcp = kDhcpNotReported;
    record.interfaceVersion = interfaceVersion;
    DecodeElements(datagram, &record);
    return record;
}

TEST(PacketHeader, DiscoveryRequestIsFortyBytesWithDeviceTypeBigEndian) {
    uint8_t out[kHeaderSize];
    std::memset(out, 0xAA, sizeof out);
    ASSERT_EQ(BuildRequestHeader(out, OpCode::DiscoveryRequest, 0x03B27F16), 40u);
    std::vector<uint8_t> expected = {0x00, 0x02, 0x00, 0x00, 0,    0,    0,    0,    0,    0,
                                     0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x03, 0xB2, 0x7F, 0x16};
    expected.resize(40, 0);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 40), expected);
}

TEST(PacketHeader, RoundTripsEveryFieldAndRefusesShortInput) {
    PacketHeader in{2, 1, {0x02, 0x0a, 0x1b, 0x2c, 0x3d, 0x4e}, 2, 8, 0x0012, 0x01020304, 0xBEEF};
    uint8_t bytes[kHeaderSize];
    EncodeHeader(in, bytes);
    EXPECT_EQ(bytes[26], 0xBE);
    EXPECT_EQ(bytes[27], 0xEF);
    PacketHeader out{};
    ASSERT_EQ(DecodeHeader(bytes, &out), 0);
    EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);
    PacketHeader untouched = out;
    EXPECT_EQ(DecodeHeader(std::span(bytes).first(39), &untouched), -1);
    EXPECT_EQ(std::memcmp(&untouched, &out, sizeof out), 0) << "a short header changes nothing";
}

TEST(ResultCode, OnlyTheLowFourBitsCount) {
    struct Case {
        uint16_t word;
        const char* message;
    } cases[] = {
        {0x0000, nullptr},
        {0x0010, nullptr},
        {0x0001, "Device return : protocol version Error"},
        {0x0012, "Device return : password error"},
        {0x0003, "Device return : command Error"},
        {0x0004, "Device return : parameters Error"},
        {0x0005, "Device return : unknow error"},
        {0xFFFF, "Device return : unknow error"},
    };
    for (const Case& c : cases) {
        const char* message = ResultCodeMessage(c.word);
        if (c.message == nullptr) {
            EXPECT_EQ(message, nullptr) << c.word;
        } else {
            EXPECT_STREQ(message, c.message) << c.word;
        }
    }
}

TEST(Elements, EncodersWriteTypeLengthValue) {
    PacketBuffer packet{};
    packet.length = kHeaderSize;
    ASSERT_EQ(AppendTextElement(packet, TlvType::SystemName, "sw1"), 0);
    ASSERT_EQ(AppendAddressElement(packet, TlvType::IpAddress, 0xC0A80001), 0);
    ASSERT_EQ(AppendDhcpElement(packet, 1, 1), 0);
    ASSERT_EQ(AppendDhcpElement(packet, 2, 1), 0);
    std::vector<uint8_t> expected = {0, 2, 0, 7,  's', 'w', '1', 0, 4,  0, 8, 192, 168,
                                     0, 1, 0, 10, 0,   5,   1,   0, 10, 0, 6, 0,   1};
    EXPECT_EQ(std::vector<uint8_t>(packet.bytes + kHeaderSize, packet.bytes + packet.length),
              expected);
}

TEST(Elements, AppendRefusesWhatDoesNotFitIn1500Bytes) {
    PacketBuffer packet{};
    packet.length = kMaxDatagram - 7;
    EXPECT_EQ(AppendAddressElement(packet, TlvType::Gateway, 1), -1);
    EXPECT_EQ(packet.length, kMaxDatagram - 7);
    EXPECT_EQ(AppendTextElement(packet, TlvType::Location, "abc"), 0);
    EXPECT_EQ(packet.length, kMaxDatagram);
}

TEST(Elements, DecodesEveryFieldAndLaterElementsOverwrite) {
    std::vector<uint8_t> elements = {0, 1, 0, 7, 'a', 'b', 'c',       //
                                     0, 2, 0, 6, 's', '1',            //
                                     0, 3, 0, 5, 'L',                 //
                                     0, 4, 0, 8, 10,  0,   0,   1,    //
                                     0, 5, 0, 8, 255, 255, 255, 0,    //
                                     0, 6, 0, 8, 10,  0,   0,   254,  //
                                     0, 7, 0, 8, 10,  0,   0,   9,    //
                                     0, 8, 0, 6, 'n', 'p',            //
                                     0, 9, 0, 6, 'p', 'w',            //
                                     0, 2, 0, 6, 's', '2'};
    DeviceRecord r = Decode(ReplyWith(2, elements));
    EXPECT_STREQ(r.productName, "abc");
    EXPECT_STREQ(r.systemName, "s2");
    EXPECT_STREQ(r.location, "L");
    EXPECT_STREQ(r.ipText, "10.0.0.1");
    EXPECT_EQ(r.ip, 0x0A000001u);
    EXPECT_STREQ(r.subnetMaskText, "255.255.255.0");
    EXPECT_EQ(r.gateway, 0x0A0000FEu);
    EXPECT_STREQ(r.trapIpText, "10.0.0.9");
    EXPECT_STREQ(r.password, "pw");
    EXPECT_STREQ(r.newPassword, "");
    EXPECT_EQ(r.dhcp, kDhcpNotReported);
}

TEST(Elements, DhcpWidthFollowsTheInterfaceVersion) {
    DeviceRecord one = Decode(ReplyWith(1, {0, 10, 0, 5, 1, 0, 3, 0, 5, 'X'}), 1);
    EXPECT_EQ(one.dhcp, 1);
    EXPECT_STREQ(one.location, "X");
    DeviceRecord two = Decode(ReplyWith(2, {0, 10, 0, 6, 0, 1, 0, 3, 0, 5, 'Y'}), 2);
    EXPECT_EQ(two.dhcp, 1);
    EXPECT_STREQ(two.location, "Y");
}

TEST(Elements, AddressElementTakesEightBytesWhateverItsLengthSays) {
    DeviceRecord r =
        Decode(ReplyWith(2, {0, 4, 0, 12, 192, 168, 1, 5, 0, 3, 0, 6, 'o', 'k', 0, 0}));
    EXPECT_STREQ(r.ipText, "192.168.1.5");
    EXPECT_STREQ(r.location, "ok");
}

TEST(Elements, MalformedElementsEndDecodingWithoutOverrun) {
    struct Case {
        const char* name;
        std::vector<uint8_t> elements;
    } cases[] = {
        {"type 0", {0, 3, 0, 5, 'A', 0, 0, 0, 5, 0, 2, 0, 5, 'B'}},
        {"type 11", {0, 3, 0, 5, 'A', 0, 11, 0, 5, 0, 0, 2, 0, 5, 'B'}},
        {"length below 4", {0, 3, 0, 5, 'A', 0, 2, 0, 3, 'B'}},
        {"text past the end", {0, 3, 0, 5, 'A', 0, 2, 0, 9, 'B'}},
        {"skipped element past the end", {0, 3, 0, 5, 'A', 0, 8, 0, 40, 'B'}},
        {"address cut short", {0, 3, 0, 5, 'A', 0, 4, 0, 8, 1, 2}},
        {"dhcp cut short", {0, 3, 0, 5, 'A', 0, 10, 0, 6, 0}},
        {"lone type byte", {0, 3, 0, 5, 'A', 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> datagram = ReplyWith(2, c.elements);
        // An exact-size heap copy lets the sanitizer catch any read past the datagram.
        std::vector<uint8_t> exact(datagram);
        DeviceRecord r = Decode(exact);
        EXPECT_STREQ(r.location, "A") << c.name;
        EXPECT_STREQ(r.systemName, "") << c.name;
        EXPECT_EQ(r.ip, 0u) << c.name;
        EXPECT_EQ(r.dhcp, kDhcpNotReported) << c.name;
    }
}

TEST(Elements, LongTextIsCutToTheFieldCapacity) {
    std::vector<uint8_t> elements(304, 'n');
    elements[0] = 0;
    elements[1] = 2;
    elements[2] = 1;  // length 304
    elements[3] = 48;
    elements.insert(elements.end(), {0, 3, 0, 5, 'L'});
    DeviceRecord r = Decode(ReplyWith(2, elements));
    EXPECT_EQ(std::string(r.systemName), std::string(20, 'n'));
    EXPECT_STREQ(r.location, "L");
    EXPECT_EQ(r.ip, 0u);
}

TEST(Elements, NothingPast1500BytesIsRead) {
    std::vector<uint8_t> datagram = ReplyWith(2, {});
    datagram.resize(kMaxDatagram - 4, 0x00);
    // Fill with skipped elements of length 4 up to the limit, then a location beyond it.
    for (size_t at = kHeaderSize; at + 4 <= kMaxDatagram - 4; at += 4) {
        datagram[at + 1] = 8;
        datagram[at + 3] = 4;
    }
    datagram.insert(datagram.end(), {0, 8, 0, 4, 0, 3, 0, 5, 'Z'});
    EXPECT_STREQ(Decode(datagram).location, "");
}

TEST(Conversions, HexTextToBytes) {
    uint8_t upper[6] = {};
    uint8_t lower[6] = {};
    ASSERT_EQ(HexTextToBytes("020A1B2C3D4E", upper, 6), 0);
    ASSERT_EQ(HexTextToBytes("020a1b2c3d4e", lower, 6), 0);
    const uint8_t expected[6] = {0x02, 0x0a, 0x1b, 0x2c, 0x3d, 0x4e};
    EXPECT_EQ(std::memcmp(upper, expected, 6), 0);
    EXPECT_EQ(std::memcmp(lower, expected, 6), 0);

    uint8_t untouched[2] = {7, 7};
    EXPECT_EQ(HexTextToBytes("00:0a", untouched, 2), -1);
    EXPECT_EQ(untouched[0], 7);

    uint8_t odd[2] = {9, 9};
    ASSERT_EQ(HexTextToBytes("abc", odd, 2), 0);
    EXPECT_EQ(odd[0], 0xab);
    EXPECT_EQ(odd[1], 9);

    uint8_t bounded[3] = {0, 0, 0x55};
    ASSERT_EQ(HexTextToBytes("112233", bounded, 2), 0);
    EXPECT_EQ(bounded[1], 0x22);
    EXPECT_EQ(bounded[2], 0x55);
}

TEST(Conversions, MacToTextIsTwelveLowercaseDigits) {
    const uint8_t mac[6] = {0x02, 0x0A, 0x1B, 0x2C, 0xFD, 0xEF};
    char text[16];
    std::memset(text, 'x', sizeof text);
    MacToText(mac, text);
    EXPECT_STREQ(text, "020a1b2cfdef");
    EXPECT_EQ(std::string(text + 12, 4), std::string(4, '\0')) << "the field is zero-filled";
}

TEST(Conversions, VersionAndAddressTexts) {
    EXPECT_EQ(VersionText(2, 1, 2), "2.001.002");
    EXPECT_EQ(VersionText(1, 0x1f, 300), "1.01f.300");
    EXPECT_EQ(VersionText(0, 0, 0), "0.000.000");
    EXPECT_EQ(VersionText(65535, 0xABCD, 65535), "65535.abcd.65535");
    EXPECT_EQ(IpToText(0xC0A80001), "192.168.0.1");
    EXPECT_EQ(IpToText(0), "0.0.0.0");
    EXPECT_EQ(IpToText(0xFFFFFFFF), "255.255.255.255");
    // Every octet value in every position reads back as written.
    for (uint32_t octet = 0; octet < 256; ++octet) {
        const uint32_t address = octet << 24 | (255 - octet) << 16 | octet << 8 | (octet ^ 0x5A);
        uint32_t back = 0;
        ASSERT_EQ(TextToIp(IpToText(address), &back), 0) << IpToText(address);
        EXPECT_EQ(back, address);
    }
    uint32_t ip = 0;
    EXPECT_EQ(TextToIp("10.77.0.255", &ip), 0);
    EXPECT_EQ(ip, 0x0A4D00FFu);
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.", "256.1.1.1", "1..2.3", "a.b.c.d", "1.2.3.4x"}) {
        EXPECT_EQ(TextToIp(bad, &ip), -1) << bad;
    }
}

}  // namespace
}  // namespace vantelo
