#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vantelo {

// Reads big-endian numbers and byte runs from a bounded run of bytes. A read that would pass the
// end reads nothing and gives zeros, and the reader stays failed from then on, so a decoder may
// read a group of fields and look at ok() once: nothing past the end is ever touched.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    // Fills out with the next out.size() bytes, or with zeros when fewer remain.
    void ReadBytes(std::span<uint8_t> out);
    // The next count bytes in place, or an empty run when fewer remain.
    std::span<const uint8_t> ReadSpan(size_t count);
    void Skip(size_t count);

    // The bytes not read yet, in place; the position stays.
    std::span<const uint8_t> Unread() const { return bytes_.subspan(bytes_.size() - remaining()); }
    size_t position() const { return position_; }
    // Zero once failed: a failed reader has nothing more to give.
    size_t remaining() const { return ok_ ? bytes_.size() - position_ : 0; }
    bool ok() const { return ok_; }

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
    bool ok_ = true;
};

// Writes big-endian numbers and byte runs into a bounded run of bytes. A write that would pass
// the end writes nothing, and the writer stays failed from then on; bytes already written stay.
class ByteWriter {
public:
    explicit ByteWriter(std::span<uint8_t> bytes) : bytes_(bytes) {}

    void WriteU8(uint8_t value);
    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    void WriteBytes(std::span<const uint8_t> bytes);
    // The characters of text, without a terminator.
    void WriteText(std::string_view text);
    // Steps over count bytes, leaving zeros in them: no stale byte ever reaches the wire.
    void WriteZeros(size_t count);

    size_t position() const { return position_; }
    // Zero once failed: a failed writer takes nothing more.
    size_t remaining() const { return ok_ ? bytes_.size() - position_ : 0; }
    bool ok() const { return ok_; }

private:
    // The next count bytes to fill, or an empty run (and failure) when fewer remain.
    std::span<uint8_t> Reserve(size_t count);

    std::span<uint8_t> bytes_;
    size_t position_ = 0;
    bool ok_ = true;
};

}  // namespace vantelo
