#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Guid.h"

namespace inventory {

// A Winsock protocol catalog entry: the value PackedCatalogItem of
// Protocol_Catalog9\Catalog_Entries[64]\NNNNNNNNNNNN, the provider DLL's path
// followed by a WSAPROTOCOL_INFOW.
struct CatalogEntry {
    static constexpr std::size_t kSize = 888;

    std::string dllPath;  // Latin-1 bytes up to the NUL, in UTF-8
    std::array<std::uint32_t, 4> serviceFlags{};
    std::uint32_t providerFlags = 0;
    Guid providerId;
    std::uint32_t catalogEntryId = 0;
    std::int32_t chainLength = 0;
    std::array<std::uint32_t, 7> chainEntries{};
    std::int32_t version = 0;
    std::int32_t addressFamily = 0;
    std::int32_t maxSockAddr = 0;
    std::int32_t minSockAddr = 0;
    std::int32_t socketType = 0;
    std::int32_t protocol = 0;
    std::string protocolName;  // szProtocol, cut at its first NUL
};

// Throws DecodeError when the value is shorter than CatalogEntry::kSize;
// bytes beyond it are not read.
CatalogEntry DecodeCatalogEntry(const std::uint8_t* data, std::size_t size);
inline CatalogEntry DecodeCatalogEntry(const std::vector<std::uint8_t>& value) {
    return DecodeCatalogEntry(value.data(), value.size());
}

// lsp (ChainLen 0, a layered provider), base (1), chain (2-7), bad otherwise.
std::string_view CatalogKind(const CatalogEntry& entry);
// The chain's entry ids, comma-separated, for a chain; "-" otherwise.
std::string CatalogChainText(const CatalogEntry& entry);
// af/type/protocol as signed decimals: 2/1/6.
std::string CatalogAddressText(const CatalogEntry& entry);

}  // namespace inventory
