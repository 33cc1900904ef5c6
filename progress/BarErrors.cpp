#include "BarErrors.h"

#include <limits>
#include <string>

#include "Error.h"
#include "ProgramFile.h"

namespace {

[[noreturn]] void Raise(std::int32_t number, const wchar_t* description) {
    throw Error(number, ProgramName() + L".cProgressBar", description);
}

}  // namespace

void RaiseOverflow() {
    Raise(kErrOverflow, L"Overflow");
}

void RaiseDivisionByZero() {
    Raise(kErrDivisionByZero, L"Division by zero");
}

void RaiseObjectNotSet() {
    Raise(kErrObjectNotSet, L"Object variable or With block variable not set");
}

void RaiseAutomationError(HRESULT hr) {
    Raise(static_cast<std::int32_t>(hr), L"Automation error");
}

std::int32_t CheckedInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        RaiseOverflow();
    return static_cast<std::int32_t>(value);
}
