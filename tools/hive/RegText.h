#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inventory::tools {

struct TextValue {
    std::string name;  // empty: the key's default value
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

struct TextKey {
    std::string path;  // below the hive's root, backslash-separated
    std::vector<TextValue> values;
    std::optional<std::uint64_t> lastWrite = std::nullopt;  // a FILETIME
};

// Registry content written as text, one key per [path] line (with its last
// write time after it if wanted: [path] 2026-03-17T09:30:05Z) and one value
// per name=type:data line below it (@ names the default value):
//   sz:text  expand:text  link:text  multi:a|b|c  dword:17 (or 0x11)
//   hex:01,ff,... (REG_BINARY)  raw:TYPE:01,ff,... (any type code, any bytes)
// Texts are stored as UTF-16LE with their closing NUL. Throws on a line it
// cannot read.
std::vector<TextKey> ParseRegText(std::string_view text);

std::vector<std::uint8_t> Utf16Bytes(std::string_view text);

}  // namespace inventory::tools
