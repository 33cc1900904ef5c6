#include "NdrCursor.h"

#include <algorithm>

#include "DecodeError.h"
#include "RegistryText.h"

namespace inventory {

NdrCursor::NdrCursor(const std::uint8_t* data, std::size_t begin, std::size_t end, std::string subject)
    : data_(data), begin_(begin), offset_(begin), end_(end), subject_(std::move(subject)) {}

void NdrCursor::Fail(const std::string& reason) const {
    throw DecodeError(subject_ + ": " + reason);
}

void NdrCursor::Need(std::size_t size, std::string_view what) const {
    if (size <= Remaining()) return;
    Fail(std::string(what) + " runs past the end of the blob (needs " + std::to_string(size) + " bytes at offset " +
         std::to_string(offset_) + ", blob ends at " + std::to_string(end_) + ")");
}

void NdrCursor::Align(std::size_t alignment, std::string_view what) {
    const std::size_t misalignment = (offset_ - begin_) % alignment;
    if (misalignment == 0) return;
    Need(alignment - misalignment, what);
    offset_ += alignment - misalignment;
}

const std::uint8_t* NdrCursor::Take(std::size_t size, std::string_view what) {
    Need(size, what);
    const std::uint8_t* at = data_ + offset_;
    offset_ += size;
    return at;
}

std::uint8_t NdrCursor::U8(std::string_view what) {
    return *Take(1, what);
}

std::uint16_t NdrCursor::U16(std::string_view what) {
    Align(2, what);
    return LoadU16(Take(2, what));
}

std::uint32_t NdrCursor::U32(std::string_view what) {
    Align(4, what);
    return LoadU32(Take(4, what));
}

std::uint64_t NdrCursor::U64(std::string_view what) {
    Align(8, what);
    return LoadU64(Take(8, what));
}

Guid NdrCursor::ReadGuid(std::string_view what) {
    Align(4, what);
    Guid guid;
    const std::uint8_t* at = Take(guid.bytes.size(), what);
    std::copy(at, at + guid.bytes.size(), guid.bytes.begin());
    return guid;
}

std::vector<std::uint8_t> NdrCursor::Bytes(std::size_t size, std::string_view what) {
    const std::uint8_t* at = Take(size, what);
    return {at, at + size};
}

std::uint32_t NdrCursor::Count(std::string_view what, std::size_t elementSize) {
    const std::size_t at = offset_;
    const std::uint32_t count = U32(what);
    if (count > Remaining() / elementSize)
        Fail(std::string(what) + " count " + std::to_string(count) + " at offset " + std::to_string(at) +
             " exceeds what is left of the blob (" + std::to_string(Remaining()) + " bytes)");
    return count;
}

std::vector<std::uint8_t> NdrCursor::CountedBytes(std::uint32_t declaredSize, std::string_view what) {
    const std::size_t at = offset_;
    const std::uint32_t count = Count(what, 1);
    if (count != declaredSize)
        Fail(std::string(what) + " holds " + std::to_string(count) + " bytes at offset " + std::to_string(at) +
             " where its size says " + std::to_string(declaredSize));
    return Bytes(count, what);
}

std::string NdrCursor::String(std::string_view what) {
    const std::size_t at = offset_;
    const std::uint32_t maximum = U32(what);
    const std::uint32_t first = U32(what);
    const std::uint32_t actual = U32(what);
    if (first != 0 || actual > maximum)
        Fail(std::string(what) + " string at offset " + std::to_string(at) + " is not a whole string (max " +
             std::to_string(maximum) + ", offset " + std::to_string(first) + ", actual " + std::to_string(actual) +
             ")");
    if (actual > Remaining() / 2)
        Fail(std::string(what) + " string runs past the end of the blob (declared " + std::to_string(actual) +
             " units at offset " + std::to_string(at) + ", blob ends at " + std::to_string(end_) + ")");
    const std::uint8_t* units = Take(2 * std::size_t{actual}, what);
    return Utf16ToUtf8(units, 2 * std::size_t{actual});
}

void NdrCursor::ExpectEnd(std::string_view what) {
    const bool zeros = std::all_of(data_ + offset_, data_ + end_, [](std::uint8_t byte) { return byte == 0; });
    if (Remaining() < 8 && zeros) return;
    Fail(std::to_string(Remaining()) + " bytes follow the end of the " + std::string(what) + " at offset " +
         std::to_string(offset_) + (zeros ? "" : ", not all zero"));
}

}  // namespace inventory
