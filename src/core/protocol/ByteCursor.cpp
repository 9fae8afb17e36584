#include "protocol/ByteCursor.h"

#include <algorithm>

namespace vantelo {

std::span<const uint8_t> ByteReader::ReadSpan(size_t count) {
    if (count > remaining()) {
        ok_ = false;
        return {};
    }
    std::span<const uint8_t> run = bytes_.subspan(position_, count);
    position_ += count;
    return run;
}

uint8_t ByteReader::ReadU8() {
    std::span<const uint8_t> run = ReadSpan(1);
    return run.empty() ? 0 : run[0];
}

uint16_t ByteReader::ReadU16() {
    std::span<const uint8_t> run = ReadSpan(2);
    return run.empty() ? 0 : static_cast<uint16_t>((run[0] << 8) | run[1]);
}

uint32_t ByteReader::ReadU32() {
    std::span<const uint8_t> run = ReadSpan(4);
    if (run.empty()) {
        return 0;
    }
    return (uint32_t{run[0]} << 24) | (uint32_t{run[1]} << 16) | (uint32_t{run[2]} << 8) | run[3];
}

void ByteReader::ReadBytes(std::span<uint8_t> out) {
    std::span<const uint8_t> run = ReadSpan(out.size());
    if (run.size() == out.size()) {
        std::copy(run.begin(), run.end(), out.begin());
    } else {
        std::fill(out.begin(), out.end(), uint8_t{0});
    }
}

void ByteReader::Skip(size_t count) {
    ReadSpan(count);
}

std::span<uint8_t> ByteWriter::Reserve(size_t count) {
    if (count > remaining()) {
        ok_ = false;
        return {};
    }
    std::span<uint8_t> run = bytes_.subspan(position_, count);
    position_ += count;
    return run;
}

void ByteWriter::WriteU8(uint8_t value) {
    std::span<uint8_t> run = Reserve(1);
    if (!run.empty()) {
        run[0] = value;
    }
}

void ByteWriter::WriteU16(uint16_t value) {
    std::span<uint8_t> run = Reserve(2);
    if (!run.empty()) {
        run[0] = static_cast<uint8_t>(value >> 8);
        run[1] = static_cast<uint8_t>(value);
    }
}

void ByteWriter::WriteU32(uint32_t value) {
    std::span<uint8_t> run = Reserve(4);
    if (!run.empty()) {
        run[0] = static_cast<uint8_t>(value >> 24);
        run[1] = static_cast<uint8_t>(value >> 16);
        run[2] = static_cast<uint8_t>(value >> 8);
        run[3] = static_cast<uint8_t>(value);
    }
}

void ByteWriter::WriteBytes(std::span<const uint8_t> bytes) {
    std::span<uint8_t> run = Reserve(bytes.size());
    if (run.size() == bytes.size()) {
        std::copy(bytes.begin(), bytes.end(), run.begin());
    }
}

void ByteWriter::WriteText(std::string_view text) {
    std::span<uint8_t> run = Reserve(text.size());
    if (run.size() == text.size()) {
        std::transform(text.begin(), text.end(), run.begin(),
                       [](char c) { return static_cast<uint8_t>(c); });
    }
}

void ByteWriter::WriteZeros(size_t count) {
    std::span<uint8_t> run = Reserve(count);
    std::fill(run.begin(), run.end(), uint8_t{0});
}

}  // namespace vantelo
