#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Guid.h"

namespace inventory {

// Reads NDR-marshalled data out of an untrusted blob. Every read is checked
// against the end of its region; alignment counts from the region's start
// (the NDR body); offsets in messages count from the start of the blob.
class NdrCursor {
public:
    // Reads bytes [begin, end) of data; subject starts every error message.
    NdrCursor(const std::uint8_t* data, std::size_t begin, std::size_t end, std::string subject);

    std::size_t Offset() const { return offset_; }
    std::size_t Remaining() const { return end_ - offset_; }

    void Align(std::size_t alignment, std::string_view what);
    std::uint8_t U8(std::string_view what);
    std::uint16_t U16(std::string_view what);
    std::uint32_t U32(std::string_view what);
    std::uint64_t U64(std::string_view what);
    Guid ReadGuid(std::string_view what);
    // size bytes, unaligned.
    const std::uint8_t* Take(std::size_t size, std::string_view what);
    std::vector<std::uint8_t> Bytes(std::size_t size, std::string_view what);

    // A unique pointer's referent id: true when the pointee follows later.
    bool Pointer(std::string_view what) { return U32(what) != 0; }
    // A u32 element count whose elements (at least elementSize bytes each)
    // fit in what is left.
    std::uint32_t Count(std::string_view what, std::size_t elementSize);
    // A conformant byte array (u32 count, the bytes) whose count must equal
    // the size its owner declared.
    std::vector<std::uint8_t> CountedBytes(std::uint32_t declaredSize, std::string_view what);
    // A conformant varying UTF-16 string, in UTF-8, cut at its first NUL.
    std::string String(std::string_view what);

    // Only zero padding below 8 bytes may follow.
    void ExpectEnd(std::string_view what);
    [[noreturn]] void Fail(const std::string& reason) const;

private:
    void Need(std::size_t size, std::string_view what) const;

    const std::uint8_t* data_;
    std::size_t begin_;
    std::size_t offset_;
    std::size_t end_;
    std::string subject_;
};

}  // namespace inventory
