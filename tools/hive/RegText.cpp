#include "RegText.h"

#include <cstdio>
#include <stdexcept>

#include "RegistryText.h"

namespace inventory::tools {
namespace {

std::vector<std::uint8_t> HexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::string digits;
    for (const char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    if (digits.size() % 2) throw std::invalid_argument("odd hex digits: " + std::string(text));
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

TextValue ParseValue(std::string_view line) {
    const std::size_t equals = line.find('=');
    const std::size_t colon = line.find(':', equals);
    if (equals == std::string_view::npos || colon == std::string_view::npos)
        throw std::invalid_argument("not name=type:data: " + std::string(line));
    TextValue value;
    value.name = std::string(line.substr(0, equals));
    if (value.name == "@") value.name.clear();
    const std::string_view type = line.substr(equals + 1, colon - equals - 1);
    const std::string_view data = line.substr(colon + 1);
    if (type == "sz" || type == "expand" || type == "link") {
        value.type = type == "sz" ? 1 : type == "expand" ? 2 : 6;
        value.data = Utf16Bytes(data);
    } else if (type == "multi") {
        value.type = 7;
        for (std::size_t begin = 0; begin <= data.size();) {
            const std::size_t end = std::min(data.find('|', begin), data.size());
            const auto part = Utf16Bytes(data.substr(begin, end - begin));
            value.data.insert(value.data.end(), part.begin(), part.end());
            begin = end + 1;
        }
        value.data.push_back(0);
        value.data.push_back(0);
    } else if (type == "dword") {
        value.type = 4;
        const auto number = static_cast<std::uint32_t>(std::stoul(std::string(data), nullptr, 0));
        for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<std::uint8_t>(number >> shift));
    } else if (type == "hex") {
        value.type = 3;
        value.data = HexBytes(data);
    } else if (type == "raw") {
        const std::size_t second = data.find(':');
        value.type = static_cast<std::uint32_t>(std::stoul(std::string(data.substr(0, second)), nullptr, 0));
        value.data = HexBytes(second == std::string_view::npos ? "" : data.substr(second + 1));
    } else {
        throw std::invalid_argument("unknown value type: " + std::string(line));
    }
    return value;
}

// 2026-03-17T09:30:05Z as a FILETIME (100-nanosecond ticks since 1601).
std::uint64_t FileTime(std::string_view iso) {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::sscanf(std::string(iso).c_str(), "%4u-%2u-%2uT%2u:%2u:%2uZ", &year, &month, &day, &hour, &minute,
                    &second) != 6 ||
        year < 1601 || month < 1 || month > 12)
        throw std::invalid_argument("not a time: " + std::string(iso));
    // Days from 1601-01-01 by the proleptic Gregorian calendar, from March-based years.
    const unsigned y = month <= 2 ? year - 1 : year;
    const unsigned m = month <= 2 ? month + 9 : month - 3;
    const std::uint64_t days = 365ull * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + day - 1 - 584694;
    return ((days * 24 + hour) * 60 + minute) * 60 * 10'000'000ull + second * 10'000'000ull;
}

}  // namespace

std::vector<std::uint8_t> Utf16Bytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : Utf8ToUtf16(text)) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::vector<TextKey> ParseRegText(std::string_view text) {
    std::vector<TextKey> keys;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
        if (line.empty()) continue;
        const std::size_t close = line.front() == '[' ? line.find("] ") : std::string_view::npos;
        if (line.front() == '[' && line.back() == ']') {
            keys.push_back({std::string(line.substr(1, line.size() - 2)), {}});
        } else if (close != std::string_view::npos) {
            keys.push_back({std::string(line.substr(1, close - 1)), {}, FileTime(line.substr(close + 2))});
        } else {
            if (keys.empty()) throw std::invalid_argument("value before any [key]: " + std::string(line));
            keys.back().values.push_back(ParseValue(line));
        }
    }
    return keys;
}

}  // namespace inventory::tools
