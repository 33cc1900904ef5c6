#pragma once

#include <cstdint>
#include <exception>
#include <string>

// A failure as the program reports it: a 32-bit number, the source that
// raised it and a description.
class Error : public std::exception {
public:
    Error(std::int32_t number, std::wstring source, std::wstring description);

    std::int32_t Number() const noexcept { return number_; }
    const std::wstring& Source() const noexcept { return source_; }
    const std::wstring& Description() const noexcept { return description_; }

    const char* what() const noexcept override { return what_.c_str(); }

private:
    std::int32_t number_;
    std::wstring source_;
    std::wstring description_;
    std::string what_;
};
