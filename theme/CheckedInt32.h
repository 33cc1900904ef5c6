#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "XpThemeErrors.h"

// Signed 32-bit arithmetic of the drawing code; an overflow is a failing step
// (OverflowError), never a wrapped value.
namespace mdXpThemeSupport {

inline std::int32_t Add32(std::int32_t a, std::int32_t b) {
    std::int32_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) throw OverflowError();
    return sum;
}

inline std::int32_t Sub32(std::int32_t a, std::int32_t b) {
    std::int32_t difference = 0;
    if (__builtin_sub_overflow(a, b, &difference)) throw OverflowError();
    return difference;
}

// To the nearest integer, a half going to the even neighbour.
inline std::int32_t Round32(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded = lower + 1.0;
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw OverflowError();
    return static_cast<std::int32_t>(rounded);
}

}  // namespace mdXpThemeSupport
