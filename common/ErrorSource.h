#pragma once

#include <string>

// Who raises an error, as the error's source text names it: the program's
// file name without extension, and for a class a dot and the class's name
// after it ("quillmark.cProgressBar"). A module of plain procedures reports
// the program's name alone.
class ErrorSource {
public:
    constexpr ErrorSource() noexcept = default;
    constexpr explicit ErrorSource(const wchar_t* className) noexcept : className_(className) {}

    std::wstring Text() const;

private:
    const wchar_t* className_ = nullptr;
};
