// libFuzzer target: the Winsock catalog entry decoder and the texts of its line.
#include <cstddef>
#include <cstdint>

#include "CatalogEntry.h"
#include "DecodeError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const inventory::CatalogEntry entry = inventory::DecodeCatalogEntry(data, size);
        static_cast<void>(inventory::CatalogKind(entry));
        static_cast<void>(inventory::CatalogChainText(entry));
        static_cast<void>(inventory::CatalogAddressText(entry));
    } catch (const inventory::DecodeError&) {
    }
    return 0;
}
