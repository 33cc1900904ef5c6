#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSeeds.h"

namespace inventory::test {

// A PackedCatalogItem laid out at FORMAT.md's offsets; kept as a fuzz seed as it was finally filled in.
struct CatalogItemBytes {
    ~CatalogItemBytes() { KeepAsFuzzSeed("catalog_entry", bytes); }

    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(888, 0);

    void Put32(std::size_t offset, std::int64_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        std::memcpy(&bytes[offset], &bits, 4);
    }
    void PutText(std::size_t offset, const std::string& text) { std::memcpy(&bytes[offset], text.data(), text.size()); }
    void PutUtf16(std::size_t offset, const std::string& ascii) {
        for (std::size_t i = 0; i < ascii.size(); ++i) bytes[offset + 2 * i] = static_cast<std::uint8_t>(ascii[i]);
    }
};

}  // namespace inventory::test
