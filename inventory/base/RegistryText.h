#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace inventory {

// UTF-16LE bytes as a Win32 caller sees them, in UTF-8: a unit that does not
// decode becomes U+FFFD, an odd last byte is dropped, and the text ends at
// the first NUL.
std::string Utf16ToUtf8(const std::uint8_t* data, std::size_t size);
// The non-empty strings of a REG_MULTI_SZ, up to the end of the data.
std::vector<std::string> Utf16Strings(const std::uint8_t* data, std::size_t size);
// 8-bit Latin-1 bytes up to the first NUL, in UTF-8.
std::string Latin1ToUtf8(const std::uint8_t* data, std::size_t size);
// UTF-8 (as produced above) to UTF-16 code units.
std::u16string Utf8ToUtf16(std::string_view text);
void AppendUtf8(std::string& out, char32_t codePoint);

// Case rules of registry names for the ASCII letters, which is all the
// names and prefixes the inventory compares hold.
char UpperAscii(char c);
std::string UpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool ContainsNoCase(std::string_view text, std::string_view part);
// Orders names as Windows lists them: by their upper-cased form.
bool LessNoCase(std::string_view a, std::string_view b);

}  // namespace inventory
