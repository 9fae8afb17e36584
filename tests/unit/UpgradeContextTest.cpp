#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "upgrade/UpgradeContext.h"

namespace vantelo {
namespace {

// The text of a copy-out, which must end inside the buffer and leave only zeros behind it.
template <size_t N>
std::string CopiedText(const std::array<char, N>& out) {
    size_t length = strnlen(out.data(), N);
    EXPECT_LT(length, N) << "no terminator inside the field";
    EXPECT_TRUE(std::all_of(out.begin() + static_cast<long>(length), out.end(), [](char c) {
        return c == '\0';
    })) << "stale bytes behind the text";
    return std::string(out.data(), length);
}

TEST(UpgradeContext, TextsLongerThanTheirFieldsAreCut) {
    struct Row {
        const char* name;
        size_t macLength;
        size_t pathLength;
    } rows[] = {
        {"exactly the capacity less one", 15, 127},
        {"one over", 16, 128},
        {"far over", 300, 300},
    };
    for (const Row& row : rows) {
        UpgradeContext context;
        context.SetDeviceMac(std::string(row.macLength, 'm').c_str());
        context.SetFirmwarePath(std::string(row.pathLength, 'p').c_str());
        std::array<char, UpgradeContext::kMacCapacity> mac = context.DeviceMac();
        std::array<char, UpgradeContext::kPathCapacity> path = context.FirmwarePath();
        EXPECT_EQ(CopiedText(mac), std::string(std::min<size_t>(row.macLength, 15), 'm'))
            << row.name;
        EXPECT_EQ(CopiedText(path), std::string(std::min<size_t>(row.pathLength, 127), 'p'))
            << row.name;

        // A shorter text replaces the long one completely.
        context.SetDeviceMac("ab");
        context.SetFirmwarePath("/fw.bin");
        mac = context.DeviceMac();
        path = context.FirmwarePath();
        EXPECT_EQ(CopiedText(mac), "ab") << row.name;
        EXPECT_EQ(CopiedText(path), "/fw.bin") << row.name;
    }
}

}  // namespace
}  // namespace vantelo
