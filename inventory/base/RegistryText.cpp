#include "RegistryText.h"

#include <algorithm>

namespace inventory {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::uint16_t UnitAt(const std::uint8_t* data, std::size_t index) {
    return static_cast<std::uint16_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

bool IsHighSurrogate(std::uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(std::uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Decodes units [begin, end) and returns where it stopped: at a NUL unit
// (not consumed) or at end.
std::size_t DecodeUtf16(const std::uint8_t* data, std::size_t begin, std::size_t end, std::string& out) {
    std::size_t i = begin;
    while (i < end) {
        const std::uint16_t unit = UnitAt(data, i);
        if (unit == 0) return i;
        ++i;
        if (IsHighSurrogate(unit) && i < end && IsLowSurrogate(UnitAt(data, i))) {
            const char32_t low = UnitAt(data, i++);
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return i;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string Utf16ToUtf8(const std::uint8_t* data, std::size_t size) {
    std::string out;
    DecodeUtf16(data, 0, size / 2, out);
    return out;
}

std::vector<std::string> Utf16Strings(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> strings;
    const std::size_t units = size / 2;
    for (std::size_t i = 0; i < units;) {
        std::string text;
        i = DecodeUtf16(data, i, units, text) + 1;
        if (!text.empty()) strings.push_back(std::move(text));
    }
    return strings;
}

std::string Latin1ToUtf8(const std::uint8_t* data, std::size_t size) {
    std::string out;
    for (std::size_t i = 0; i < size && data[i] != 0; ++i) AppendUtf8(out, data[i]);
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            out += static_cast<char16_t>(codePoint);
        }
    }
    return out;
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperAscii(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    const auto found = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                   [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
    return found != text.end() || part.empty();
}

bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(UpperAscii(x)) < static_cast<unsigned char>(UpperAscii(y));
    });
}

}  // namespace inventory
