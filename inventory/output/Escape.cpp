#include "Escape.h"

#include "Hex.h"

namespace inventory {

std::string EscapeField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            AppendHex(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace inventory
