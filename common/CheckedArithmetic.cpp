#include "CheckedArithmetic.h"

#include <cmath>
#include <limits>

#include "RuntimeError.h"

std::int32_t CheckedInt32(std::int64_t value, const ErrorSource& source) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw RuntimeError(kErrOverflow, source);
    return static_cast<std::int32_t>(value);
}

std::int32_t RoundHalfEven(double value, const ErrorSource& source) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded = lower + 1.0;
    // Written so that NaN fails too.
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError(kErrOverflow, source);
    return static_cast<std::int32_t>(rounded);
}
