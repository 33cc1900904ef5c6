#pragma once

#include <string>
#include <string_view>

// Conversions at the edge of the 8-bit ("A") system calls, in the system's
// ANSI code page. Embedded zero characters pass through unchanged.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// Lower case as the user's locale has it (the platform's CharLowerBuff).
std::wstring LowerCase(std::wstring_view text);
