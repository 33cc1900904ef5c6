#include "Hex.h"

namespace inventory {

void AppendHex(std::string& out, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

std::string HexText(const std::uint8_t* bytes, std::size_t size) {
    std::string text = "0x";
    text.reserve(2 + 2 * size);
    for (std::size_t i = 0; i < size; ++i) AppendHex(text, bytes[i]);
    return text;
}

}  // namespace inventory
