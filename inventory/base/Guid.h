#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Values.h"

namespace inventory {

// A GUID as stored: 16 bytes, the first three fields little-endian.
struct Guid {
    std::array<std::uint8_t, 16> bytes{};

    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper case.
    std::string Text() const { return FormatGuid(bytes.data()); }
    bool operator==(const Guid& other) const { return bytes == other.bytes; }
    bool operator!=(const Guid& other) const { return bytes != other.bytes; }
};

}  // namespace inventory
