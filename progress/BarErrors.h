#pragma once

#include <windows.h>

#include <cstdint>

// The errors a paint pass or the picture intake raise, as the program's Error
// with the classic numbers and the source "<program>.cProgressBar".
inline constexpr std::int32_t kErrOverflow = 6;
inline constexpr std::int32_t kErrDivisionByZero = 11;
inline constexpr std::int32_t kErrObjectNotSet = 91;

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseDivisionByZero();
[[noreturn]] void RaiseObjectNotSet();
// A failing call on a font or picture object: its HRESULT is the number.
[[noreturn]] void RaiseAutomationError(HRESULT hr);

// The value when it fits in 32 bits; otherwise the overflow error.
std::int32_t CheckedInt32(std::int64_t value);
