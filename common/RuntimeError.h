#pragma once

#include <cstdint>
#include <string_view>

#include "Error.h"
#include "ErrorSource.h"

// The run-time errors the components raise, with the classic runtime's
// numbers and texts.
inline constexpr std::int32_t kErrOverflow = 6;
inline constexpr std::int32_t kErrDivisionByZero = 11;
inline constexpr std::int32_t kErrDllNotLoaded = 48;
inline constexpr std::int32_t kErrObjectNotSet = 91;
inline constexpr std::int32_t kErrMissingProperty = 438;
inline constexpr std::int32_t kErrEntryPointMissing = 453;

// The error `number` raised by `source`, described by the runtime's text for
// that number; a detail (the property, the call, the library) follows the
// text after a colon. A failing call on an OLE object passes its HRESULT as
// the number: an automation error.
Error RuntimeError(std::int32_t number, const ErrorSource& source, std::wstring_view detail = {});
