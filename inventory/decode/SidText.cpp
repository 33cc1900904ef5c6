#include "SidText.h"

#include <cstdio>

namespace inventory {

std::string SidText(const Sid& sid) {
    std::uint64_t authority = 0;
    for (const std::uint8_t byte : sid.authority) authority = authority << 8 | byte;
    std::string text = "S-" + std::to_string(sid.revision) + "-";
    if (authority >> 32 == 0) {
        text += std::to_string(authority);
    } else {
        char hex[24];
        std::snprintf(hex, sizeof hex, "0x%012llX", static_cast<unsigned long long>(authority));
        text += hex;
    }
    for (const std::uint32_t part : sid.subAuthorities) text += "-" + std::to_string(part);
    return text;
}

}  // namespace inventory
