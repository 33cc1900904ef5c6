#pragma once

#include <cstdint>

#include "ErrorSource.h"

// The signed 32-bit arithmetic of the components: a result outside 32 bits
// raises the overflow error of the given source, never a wrapped value.
// Sums and differences are formed in 64 bits and handed in whole.

// The value when it fits in 32 bits.
std::int32_t CheckedInt32(std::int64_t value, const ErrorSource& source);

// The nearest integer, a half going to the even neighbour.
std::int32_t RoundHalfEven(double value, const ErrorSource& source);
