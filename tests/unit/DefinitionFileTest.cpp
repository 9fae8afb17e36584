#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "persistence/ConfigDirectory.h"
#include "persistence/DefinitionCipher.h"
#include "persistence/DefinitionFile.h"
#include "persistence/DefinitionWriter.h"

namespace vantelo {
namespace {

std::vector<uint8_t> Encipher(const std::string& plain) {
    std::vector<uint8_t> bytes;
    for (char c : plain) {
        bytes.push_back(EncipherChar(static_cast<uint8_t>(c)));
    }
    return bytes;
}

// Enciphers plain text, then picks the three characters from labelAt so the file folds to 255.
std::vector<uint8_t> Sealed(std::string plain, size_t labelAt) {
    for (int c = 'A'; c <= 'z'; ++c) {
        for (int d = 'A'; d <= 'z'; ++d) {
            for (int e = 'A'; e <= 'z'; ++e) {
                plain[labelAt] = static_cast<char>(c);
                plain[labelAt + 1] = static_cast<char>(d);
                plain[labelAt + 2] = static_cast<char>(e);
                std::vector<uint8_t> bytes = Encipher(plain);
                if (DefinitionChecksum(bytes.data(), bytes.size()) == 255) {
                    return bytes;
                }
            }
        }
    }
    ADD_FAILURE() << "no label seals " << plain;
    return {};
}

int Parse(const std::vector<uint8_t>& bytes, DefinitionValues* values) {
    return ParseDefinitionFile(bytes.data(), bytes.size(), values);
}

TEST(DefinitionChecksum, FoldsTheSumTwice) {
    const uint8_t a[] = {0x80, 0x7F};
    const uint8_t b[] = {0xFF, 0xFF};
    const uint8_t c[] = {0x80, 0x7E};
    EXPECT_EQ(DefinitionChecksum(a, 2), 255);
    EXPECT_EQ(DefinitionChecksum(b, 2), 255);
    EXPECT_EQ(DefinitionChecksum(c, 2), 254);
    EXPECT_EQ(DefinitionChecksum(a, 0), 0);
}

TEST(DefinitionCipher, PermutesPrintableCodesAndPassesTheRest) {
    std::set<int> images;
    for (int c = 0; c < 256; ++c) {
        uint8_t byte = static_cast<uint8_t>(c);
        if (c < 32 || c >= 128) {
            EXPECT_EQ(DecipherChar(byte), byte) << c;
            EXPECT_EQ(EncipherChar(byte), byte) << c;
            continue;
        }
        uint8_t stored = EncipherChar(byte);
        ASSERT_GE(stored, 32) << c;
        ASSERT_LT(stored, 128) << c;
        images.insert(stored);
        EXPECT_EQ(DecipherChar(stored), byte) << c;
    }
    EXPECT_EQ(images.size(), 96u);
    EXPECT_EQ(EncipherChar('='), '~');  // 32 + (85 * 29 + 29) mod 96
}

TEST(DefinitionCipher, ExtendedEuclidGivesBezoutCoefficients) {
    int x = 0, y = 0;
    EXPECT_EQ(ExtendedEuclid(96, 85, &x, &y), 1);
    EXPECT_EQ(96 * x + 85 * y, 1);
    EXPECT_EQ(ExtendedEuclid(12, 18, &x, &y), 6);
    EXPECT_EQ(12 * x + 18 * y, 6);
}

TEST(DefinitionFile, ReadsBothValuesInEitherCase) {
    for (const char* plain : {"I...=03B27F16\r\nPORT=1f40\r\n", "I...=03b27f16\r\nPORT=1F40\r\n"}) {
        DefinitionValues values{};
        ASSERT_EQ(Parse(Sealed(plain, 1), &values), 0) << plain;
        EXPECT_EQ(values.deviceTypeId, 0x03B27F16u) << plain;
        EXPECT_EQ(values.basePort, 0x1F40) << plain;
    }
}

TEST(DefinitionFile, WithoutTheClosingLineBreakTheLastTwoPortDigitsAreLost) {
    DefinitionValues values{};
    ASSERT_EQ(Parse(Sealed("I...=03B27F16\r\nPORT=1F40", 1), &values), 0);
    EXPECT_EQ(values.deviceTypeId, 0x03B27F16u);
    EXPECT_EQ(values.basePort, 0x1F00);
}

TEST(DefinitionFile, OnlyTheFirstOfTwoAdjacentLineBreaksGoes) {
    // The empty line keeps one CR LF inside the text, so the port text holds a control byte.
    DefinitionValues values{};
    ASSERT_EQ(Parse(Sealed("I...=03B27F16\r\n\r\nPORT=1F40\r\n", 1), &values), 0);
    EXPECT_EQ(values.deviceTypeId, 0x03B27F16u);
    EXPECT_EQ(values.basePort, 0x1F40);
    ASSERT_EQ(Parse(Sealed("I...=1234567\r\n\r\n=1F40\r\n", 1), &values), 0);
    EXPECT_EQ(values.deviceTypeId, 0u) << "the CR after seven digits is not hexadecimal";
}

TEST(DefinitionFile, ChecksumDecidesWhateverTheTextSays) {
    std::vector<uint8_t> bytes = BuildDefinitionFile(0x03B27F16, 0x1F40);
    bytes[0] -= 1;
    ASSERT_EQ(DefinitionChecksum(bytes.data(), bytes.size()), 254);
    DefinitionValues values{7, 7};
    EXPECT_EQ(Parse(bytes, &values), -1);
    EXPECT_EQ(values.deviceTypeId, 7u) << "nothing is set on failure";

    std::vector<uint8_t> nonsense = Sealed("XXX==zz\r\n=zzzz\r\n", 0);
    ASSERT_EQ(Parse(nonsense, &values), 0);
    EXPECT_EQ(values.deviceTypeId, 0u);
    EXPECT_EQ(values.basePort, 0u);
}

TEST(DefinitionFile, RefusesSizesAndTextsItCannotRead) {
    DefinitionValues values{};
    const uint8_t sealedThree[] = {0x80, 0x7F, 0x00};
    EXPECT_EQ(ParseDefinitionFile(sealedThree, 3, &values), -1);
    EXPECT_EQ(ParseDefinitionFile(sealedThree, 0, &values), -1);
    std::vector<uint8_t> noEquals = Sealed("I...03B27F16\r\nPORT1F40\r\n", 1);
    EXPECT_EQ(Parse(noEquals, &values), -1);
    std::vector<uint8_t> oneEquals = Sealed("I...=03B27F16\r\nPORT1F40\r\n", 1);
    EXPECT_EQ(Parse(oneEquals, &values), -1);

    std::vector<uint8_t> tooLong = BuildDefinitionFile(1, 2);
    tooLong.insert(tooLong.begin(), 257 - tooLong.size(), 0xFF);  // each adds 255: same fold
    ASSERT_EQ(DefinitionChecksum(tooLong.data(), tooLong.size()), 255);
    EXPECT_EQ(Parse(tooLong, &values), -1);
    tooLong.erase(tooLong.begin());
    EXPECT_EQ(Parse(tooLong, &values), 0) << "256 bytes is still read";
}

TEST(DefinitionFile, AnyShortFileGivesZeroOrMinusOne) {
    std::mt19937 random(42);
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bytes(random() % 301);
        for (uint8_t& b : bytes) {
            b = static_cast<uint8_t>(random());
        }
        DefinitionValues values{};
        int result = Parse(bytes, &values);
        ASSERT_TRUE(result == 0 || result == -1);
    }
}

TEST(DefinitionWriter, OutputReadsBackForManyValues) {
    std::mt19937 random(7);
    std::vector<std::pair<uint32_t, uint16_t>> cases = {
        {0, 0}, {0xFFFFFFFF, 0xFFFF}, {0x03B27F16, 0x1F40}, {0x12345678, 0x0001}};
    for (int i = 0; i < 300; ++i) {
        cases.emplace_back(static_cast<uint32_t>(random()), static_cast<uint16_t>(random()));
    }
    for (auto [deviceType, port] : cases) {
        std::vector<uint8_t> bytes = BuildDefinitionFile(deviceType, port);
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes[bytes.size() - 2], '\r');
        EXPECT_EQ(bytes[bytes.size() - 1], '\n');
        DefinitionValues values{};
        ASSERT_EQ(Parse(bytes, &values), 0) << deviceType << " " << port;
        EXPECT_EQ(values.deviceTypeId, deviceType);
        EXPECT_EQ(values.basePort, port);
    }
}

TEST(ConfigDirectory, IsTheProgramDirectoryWithCfg) {
    EXPECT_EQ(ConfigDirectoryFor("/opt/vantelo/bin/vantelo"), "/opt/vantelo/bin/cfg");
    EXPECT_EQ(ConfigDirectoryFor("vantelo"), "./cfg");
    EXPECT_EQ(ConfigDirectoryFor("/vantelo"), "/cfg");
    EXPECT_EQ(JoinPath("/a/cfg", "monitor.cfg"), "/a/cfg/monitor.cfg");
}

}  // namespace
}  // namespace vantelo
