#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RegistryKey.h"

namespace inventory {

// What the reading rules make of a stored value. A value of another type
// than the one called for counts as missing.
// Text: REG_SZ, REG_EXPAND_SZ, REG_LINK, or the first string of a REG_MULTI_SZ.
std::optional<std::string> AsText(const std::optional<RawValue>& value);
// A list: the non-empty strings of a REG_MULTI_SZ (a text value is a list of one).
std::vector<std::string> AsTextList(const std::optional<RawValue>& value);
// A number: a REG_DWORD of at least 4 bytes, its first 4 little-endian.
std::optional<std::uint32_t> AsNumber(const std::optional<RawValue>& value);

inline std::optional<std::string> ReadText(const RegistryKey& key, std::string_view name) {
    return AsText(key.ReadValue(name));
}
inline std::vector<std::string> ReadTextList(const RegistryKey& key, std::string_view name) {
    return AsTextList(key.ReadValue(name));
}
inline std::optional<std::uint32_t> ReadNumber(const RegistryKey& key, std::string_view name) {
    return AsNumber(key.ReadValue(name));
}

// A number as the line format writes it, nothing when there is none.
std::optional<std::string> DecimalText(std::optional<std::uint32_t> number);

// Little-endian reads from bytes the caller has checked are there.
std::uint16_t LoadU16(const std::uint8_t* at);
std::uint32_t LoadU32(const std::uint8_t* at);
std::uint64_t LoadU64(const std::uint8_t* at);

// A 16-byte GUID as {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper case.
std::string FormatGuid(const std::uint8_t* bytes);

}  // namespace inventory
