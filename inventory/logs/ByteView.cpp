#include "ByteView.h"

#include <algorithm>

namespace inventory::logs {

void ByteView::Need(std::size_t at, std::size_t count, std::string_view what) const {
    if (!Holds(at, count)) throw LogFormatError(std::string(what) + " past the end");
}

bool ByteView::HasSignature(std::size_t at, std::string_view signature) const {
    return Holds(at, signature.size()) && std::equal(signature.begin(), signature.end(), data_ + at);
}

std::uint32_t ByteView::U32(std::size_t at, std::string_view what) const {
    Need(at, 4, what);
    const std::uint8_t* p = data_ + at;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint64_t ByteView::U64(std::size_t at, std::string_view what) const {
    Need(at, 8, what);
    return static_cast<std::uint64_t>(U32(at, what)) | (static_cast<std::uint64_t>(U32(at + 4, what)) << 32);
}

ByteView ByteView::Slice(std::size_t at, std::size_t count, std::string_view what) const {
    Need(at, count, what);
    return {data_ + at, count};
}

void StoreU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace inventory::logs
