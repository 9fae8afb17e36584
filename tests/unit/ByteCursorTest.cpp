#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "protocol/ByteCursor.h"

namespace vantelo {
namespace {

// One big-endian number and its bytes on the wire, read and written the same way.
struct NumberRow {
    const char* name;
    size_t width;
    uint32_t value;
    std::vector<uint8_t> bytes;
};

const NumberRow kNumbers[] = {
    {"u8 zero", 1, 0x00, {0x00}},
    {"u8 high bit", 1, 0x80, {0x80}},
    {"u8 all ones", 1, 0xFF, {0xFF}},
    {"u16 byte order", 2, 0x0102, {0x01, 0x02}},
    {"u16 high bit", 2, 0x8000, {0x80, 0x00}},
    {"u16 all ones", 2, 0xFFFF, {0xFF, 0xFF}},
    {"u32 byte order", 4, 0x01020304, {0x01, 0x02, 0x03, 0x04}},
    {"u32 high bit", 4, 0x80000000, {0x80, 0x00, 0x00, 0x00}},
    {"u32 high bit in every byte", 4, 0xDEADBEEF, {0xDE, 0xAD, 0xBE, 0xEF}},
    {"u32 all ones", 4, 0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF}},
};

uint32_t ReadNumber(ByteReader& reader, size_t width) {
    switch (width) {
        case 1:
            return reader.ReadU8();
        case 2:
            return reader.ReadU16();
        default:
            return reader.ReadU32();
    }
}

void WriteNumber(ByteWriter& writer, size_t width, uint32_t value) {
    switch (width) {
        case 1:
            writer.WriteU8(static_cast<uint8_t>(value));
            break;
        case 2:
            writer.WriteU16(static_cast<uint16_t>(value));
            break;
        default:
            writer.WriteU32(value);
            break;
    }
}

TEST(ByteCursor, NumbersAreBigEndianBothWays) {
    for (const NumberRow& row : kNumbers) {
        // Exact-size heap buffers let the sanitizer catch a touch past the end.
        std::vector<uint8_t> in(row.bytes);
        ByteReader reader(in);
        EXPECT_EQ(ReadNumber(reader, row.width), row.value) << row.name;
        EXPECT_TRUE(reader.ok()) << row.name;
        EXPECT_EQ(reader.position(), row.width) << row.name;
        EXPECT_EQ(reader.remaining(), 0u) << row.name;

        std::vector<uint8_t> out(row.width, 0xEE);
        ByteWriter writer(out);
        WriteNumber(writer, row.width, row.value);
        EXPECT_EQ(out, row.bytes) << row.name;
        EXPECT_TRUE(writer.ok()) << row.name;
        EXPECT_EQ(writer.position(), row.width) << row.name;
        EXPECT_EQ(writer.remaining(), 0u) << row.name;
    }
}

TEST(ByteCursor, MixedFieldsFollowOneAnother) {
    const std::vector<uint8_t> wire = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x00,
                                       0x00, 'a',  'b',  0x08, 0x09, 0x0A, 0x0B, 0x0C};
    std::vector<uint8_t> written(wire.size(), 0xEE);
    ByteWriter writer(written);
    writer.WriteU8(0x01);
    writer.WriteU16(0x0203);
    writer.WriteU32(0x04050607);
    writer.WriteZeros(2);
    writer.WriteText("ab");
    const uint8_t run[] = {0x08, 0x09};
    writer.WriteBytes(run);
    writer.WriteBytes({});
    writer.WriteText("");
    writer.WriteU8(0x0A);
    EXPECT_EQ(writer.remaining(), 2u);
    writer.WriteU16(0x0B0C);
    EXPECT_TRUE(writer.ok());
    EXPECT_EQ(written, wire);

    ByteReader reader(wire);
    EXPECT_EQ(reader.ReadU8(), 0x01);
    EXPECT_EQ(reader.ReadU16(), 0x0203);
    EXPECT_EQ(reader.ReadU32(), 0x04050607u);
    reader.Skip(2);
    std::span<const uint8_t> text = reader.ReadSpan(2);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text.data(), wire.data() + 9) << "a run is read in place";
    uint8_t copied[2] = {};
    reader.ReadBytes(copied);
    EXPECT_EQ(copied[0], 0x08);
    EXPECT_EQ(copied[1], 0x09);
    EXPECT_TRUE(reader.ReadSpan(0).empty());
    EXPECT_EQ(reader.position(), 13u);
    EXPECT_EQ(reader.Unread().data(), wire.data() + 13);
    EXPECT_EQ(reader.Unread().size(), 3u);
    EXPECT_EQ(reader.position(), 13u) << "looking at the rest does not move";
    EXPECT_EQ(reader.ReadU8(), 0x0A);
    EXPECT_EQ(reader.ReadU16(), 0x0B0C);
    EXPECT_TRUE(reader.ok());
    EXPECT_TRUE(reader.Unread().empty());
}

enum class ReadOp { U8, U16, U32, Bytes4, Span4, Skip4, SkipHuge };

// What one read gave, folded into a number: zero when it gave nothing.
uint64_t Apply(ByteReader& reader, ReadOp op) {
    switch (op) {
        case ReadOp::U8:
            return reader.ReadU8();
        case ReadOp::U16:
            return reader.ReadU16();
        case ReadOp::U32:
            return reader.ReadU32();
        case ReadOp::Bytes4: {
            uint8_t out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
            reader.ReadBytes(out);
            return std::accumulate(out, out + 4, uint64_t{0});
        }
        case ReadOp::Span4:
            return reader.ReadSpan(4).size();
        case ReadOp::Skip4:
            reader.Skip(4);
            return 0;
        case ReadOp::SkipHuge:
            reader.Skip(SIZE_MAX);
            return 0;
    }
    return 0;
}

TEST(ByteCursor, ReadPastTheEndGivesZerosAndFailsForGood) {
    struct Row {
        const char* name;
        size_t size;
        size_t before;  // bytes read successfully first
        ReadOp op;
    } rows[] = {
        {"u8 from nothing", 0, 0, ReadOp::U8},
        {"u16 from one byte", 1, 0, ReadOp::U16},
        {"u32 from three bytes", 3, 0, ReadOp::U32},
        {"u16 with one byte left", 5, 4, ReadOp::U16},
        {"u32 with three bytes left", 5, 2, ReadOp::U32},
        {"u8 at the end", 4, 4, ReadOp::U8},
        {"four-byte copy from three", 3, 0, ReadOp::Bytes4},
        {"four-byte run from three", 6, 3, ReadOp::Span4},
        {"skip past the end", 6, 3, ReadOp::Skip4},
        {"skip by the largest count", 6, 1, ReadOp::SkipHuge},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> in(row.size, 0xFF);
        ByteReader reader(in);
        reader.Skip(row.before);
        ASSERT_TRUE(reader.ok()) << row.name;
        EXPECT_EQ(Apply(reader, row.op), 0u) << row.name;
        EXPECT_FALSE(reader.ok()) << row.name;
        EXPECT_EQ(reader.position(), row.before) << row.name;
        EXPECT_EQ(reader.remaining(), 0u) << row.name;
        EXPECT_TRUE(reader.Unread().empty()) << row.name;
        // Bytes that are still there stay out of reach.
        EXPECT_EQ(reader.ReadU8(), 0u) << row.name;
        EXPECT_TRUE(reader.ReadSpan(0).empty()) << row.name;
        EXPECT_FALSE(reader.ok()) << row.name;
        EXPECT_EQ(reader.position(), row.before) << row.name;
    }
}

enum class WriteOp { U8, U16, U32, Bytes4, Text4, Zeros4 };

void Apply(ByteWriter& writer, WriteOp op) {
    const uint8_t run[4] = {1, 2, 3, 4};
    switch (op) {
        case WriteOp::U8:
            writer.WriteU8(0x11);
            break;
        case WriteOp::U16:
            writer.WriteU16(0x1122);
            break;
        case WriteOp::U32:
            writer.WriteU32(0x11223344);
            break;
        case WriteOp::Bytes4:
            writer.WriteBytes(run);
            break;
        case WriteOp::Text4:
            writer.WriteText("text");
            break;
        case WriteOp::Zeros4:
            writer.WriteZeros(4);
            break;
    }
}

TEST(ByteCursor, WritePastTheEndWritesNothingAndFailsForGood) {
    struct Row {
        const char* name;
        size_t size;
        size_t before;  // bytes written successfully first
        WriteOp op;
    } rows[] = {
        {"u8 into nothing", 0, 0, WriteOp::U8},
        {"u16 into one byte", 1, 0, WriteOp::U16},
        {"u32 into three bytes", 3, 0, WriteOp::U32},
        {"u32 with two bytes left", 6, 4, WriteOp::U32},
        {"u8 at the end", 2, 2, WriteOp::U8},
        {"four bytes into three", 5, 2, WriteOp::Bytes4},
        {"four characters into three", 3, 0, WriteOp::Text4},
        {"four zeros into three", 4, 1, WriteOp::Zeros4},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> out(row.size, 0xEE);
        ByteWriter writer(out);
        writer.WriteZeros(row.before);
        ASSERT_TRUE(writer.ok()) << row.name;
        Apply(writer, row.op);
        EXPECT_FALSE(writer.ok()) << row.name;
        EXPECT_EQ(writer.position(), row.before) << row.name;
        EXPECT_EQ(writer.remaining(), 0u) << row.name;
        // Room that is still there stays untouched.
        writer.WriteU8(0x55);
        writer.WriteZeros(0);
        EXPECT_FALSE(writer.ok()) << row.name;
        EXPECT_EQ(writer.position(), row.before) << row.name;
        std::vector<uint8_t> expected(row.size, 0xEE);
        std::fill(expected.begin(), expected.begin() + static_cast<long>(row.before), 0);
        EXPECT_EQ(out, expected) << row.name;
    }
}

}  // namespace
}  // namespace vantelo
