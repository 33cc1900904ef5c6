#pragma once

#include <string>

#include "ErrorSource.h"
#include "RuntimeError.h"

// The error-trap convention of the visual-style module: a step that fails is
// reported to pvReportError under the procedure's name and the procedure goes
// on with its next step; nothing reaches the caller.
namespace mdXpThemeSupport {

// The module's errors report the program as their source.
inline constexpr ErrorSource kErrorSource{};

// The module's error hook; called from inside a catch block, it reads the
// description of the error being handled and discards it.
void pvReportError(const char* procedureName) noexcept;

// Tests listen to the hook; nullptr stops listening. Answers the previous one.
using ErrorListener = void (*)(const char* procedureName, const std::wstring& description);
ErrorListener SetErrorListener(ErrorListener listener) noexcept;

// One step of a trapping procedure. Answers whether it ran through.
template <typename Step>
bool TrapStep(const char* procedureName, Step&& step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        pvReportError(procedureName);
        return false;
    }
}

// A test of a trapping procedure: when reading it fails, the steps it guards
// run as if it had passed.
template <typename Condition>
bool TrapTest(const char* procedureName, Condition&& condition) noexcept {
    try {
        return condition();
    } catch (...) {
        pvReportError(procedureName);
        return true;
    }
}

// A step whose failure is ignored without the hook.
template <typename Step>
void IgnoreFailure(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace mdXpThemeSupport
