#include "AddressText.h"

#include <cstdio>

namespace inventory {

std::string Ipv4Text(std::uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::string Ipv6Text(const std::uint8_t* bytes) {
    unsigned groups[8];
    for (std::size_t i = 0; i < 8; ++i) groups[i] = (bytes[2 * i] << 8) | bytes[2 * i + 1];
    const bool mapped =
        groups[0] == 0 && groups[1] == 0 && groups[2] == 0 && groups[3] == 0 && groups[4] == 0 && groups[5] == 0xFFFF;
    if (mapped)
        return "::ffff:" +
               Ipv4Text(static_cast<std::uint32_t>(groups[6]) << 16 | static_cast<std::uint32_t>(groups[7]));

    int bestStart = -1, bestLength = 1;
    for (int i = 0; i < 8;) {
        int length = 0;
        while (i + length < 8 && groups[i + length] == 0) ++length;
        if (length > bestLength) bestStart = i, bestLength = length;
        i += length > 0 ? length : 1;
    }
    std::string text;
    for (int i = 0; i < 8; ++i) {
        if (i == bestStart) {
            text += "::";
            i += bestLength - 1;
            continue;
        }
        if (!text.empty() && text.back() != ':') text += ':';
        char group[5];
        std::snprintf(group, sizeof group, "%x", groups[i]);
        text += group;
    }
    return text;
}

}  // namespace inventory
