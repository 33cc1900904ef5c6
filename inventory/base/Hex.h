#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace inventory {

// Two upper-case hex digits for a byte, appended.
void AppendHex(std::string& out, std::uint8_t byte);
// 0x and two upper-case hex digits per byte (0x alone for none).
std::string HexText(const std::uint8_t* bytes, std::size_t size);
inline std::string HexText(const std::vector<std::uint8_t>& bytes) {
    return HexText(bytes.data(), bytes.size());
}

}  // namespace inventory
