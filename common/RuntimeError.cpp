#include "RuntimeError.h"

#include <string>
#include <utility>

namespace {

std::wstring_view RuntimeText(std::int32_t number) {
    switch (number) {
        case kErrOverflow:
            return L"Overflow";
        case kErrDivisionByZero:
            return L"Division by zero";
        case kErrDllNotLoaded:
            return L"Error in loading DLL";
        case kErrObjectNotSet:
            return L"Object variable or With block variable not set";
        case kErrMissingProperty:
            return L"Object doesn't support this property or method";
        case kErrEntryPointMissing:
            return L"Specified DLL function not found";
        default:
            // A failure HRESULT has its top bit set.
            return number < 0 ? L"Automation error" : L"Application-defined or object-defined error";
    }
}

}  // namespace

Error RuntimeError(std::int32_t number, const ErrorSource& source, std::wstring_view detail) {
    std::wstring description(RuntimeText(number));
    if (!detail.empty()) description.append(L": ").append(detail);
    return {number, source.Text(), std::move(description)};
}
