#include "XpThemeErrors.h"

#include <exception>

#include "Text.h"

namespace mdXpThemeSupport {

namespace {

ErrorListener errorListener = nullptr;

std::wstring DescriptionOfCurrentError() {
    try {
        if (const std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
    } catch (const Error& error) {
        return error.Description();
    } catch (const std::exception& error) {
        return FromAnsi(error.what());
    } catch (...) {
    }
    return {};
}

}  // namespace

void pvReportError(const char* procedureName) noexcept {
    try {
        const std::wstring description = DescriptionOfCurrentError();
        if (errorListener) errorListener(procedureName, description);
    } catch (...) {
        // The hook discards the error; failing to read it changes nothing.
    }
}

ErrorListener SetErrorListener(ErrorListener listener) noexcept {
    const ErrorListener previous = errorListener;
    errorListener = listener;
    return previous;
}

}  // namespace mdXpThemeSupport
