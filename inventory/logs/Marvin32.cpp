#include "Marvin32.h"

namespace inventory::logs {
namespace {

std::uint32_t RotateLeft(std::uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

struct State {
    std::uint32_t lo;
    std::uint32_t hi;

    void Mix(std::uint32_t word) {
        lo += word;
        hi ^= lo;
        lo = RotateLeft(lo, 20) + hi;
        hi = RotateLeft(hi, 9) ^ lo;
        lo = RotateLeft(lo, 27) + hi;
        hi = RotateLeft(hi, 19);
    }
};

}  // namespace

std::uint64_t Marvin32(const std::uint8_t* data, std::size_t size, std::uint64_t seed) {
    State state{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    std::size_t at = 0;
    for (; size - at >= 4; at += 4)
        state.Mix(static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8) |
                  (static_cast<std::uint32_t>(data[at + 2]) << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24));
    // The last 0-3 bytes, then 0x80, zero-padded to one word.
    std::uint32_t last = 0x80u << (8 * (size - at));
    for (std::size_t i = 0; at + i < size; ++i) last |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
    state.Mix(last);
    state.Mix(0);
    return (static_cast<std::uint64_t>(state.hi) << 32) | state.lo;
}

}  // namespace inventory::logs
