#include "CatalogEntry.h"

#include <algorithm>

#include "DecodeError.h"
#include "RegistryText.h"

namespace inventory {
namespace {

constexpr std::size_t kDllPathSize = 260;
constexpr std::size_t kProtocolNameOffset = 376;
constexpr std::size_t kProtocolNameUnits = 256;
constexpr std::int32_t kMaxChainLength = 7;

std::int32_t LoadI32(const std::uint8_t* at) {
    return static_cast<std::int32_t>(LoadU32(at));
}

}  // namespace

CatalogEntry DecodeCatalogEntry(const std::uint8_t* data, std::size_t size) {
    if (size < CatalogEntry::kSize)
        throw DecodeError("catalog entry: " + std::to_string(size) + " bytes, shorter than the " +
                          std::to_string(CatalogEntry::kSize) + " of a PackedCatalogItem");
    CatalogEntry entry;
    entry.dllPath = Latin1ToUtf8(data, kDllPathSize);
    for (std::size_t i = 0; i < entry.serviceFlags.size(); ++i) entry.serviceFlags[i] = LoadU32(data + 260 + 4 * i);
    entry.providerFlags = LoadU32(data + 276);
    std::copy(data + 280, data + 296, entry.providerId.bytes.begin());
    entry.catalogEntryId = LoadU32(data + 296);
    entry.chainLength = LoadI32(data + 300);
    for (std::size_t i = 0; i < entry.chainEntries.size(); ++i) entry.chainEntries[i] = LoadU32(data + 304 + 4 * i);
    entry.version = LoadI32(data + 332);
    entry.addressFamily = LoadI32(data + 336);
    entry.maxSockAddr = LoadI32(data + 340);
    entry.minSockAddr = LoadI32(data + 344);
    entry.socketType = LoadI32(data + 348);
    entry.protocol = LoadI32(data + 352);
    entry.protocolName = Utf16ToUtf8(data + kProtocolNameOffset, 2 * kProtocolNameUnits);
    return entry;
}

std::string_view CatalogKind(const CatalogEntry& entry) {
    if (entry.chainLength == 0) return "lsp";
    if (entry.chainLength == 1) return "base";
    if (entry.chainLength >= 2 && entry.chainLength <= kMaxChainLength) return "chain";
    return "bad";
}

std::string CatalogChainText(const CatalogEntry& entry) {
    if (CatalogKind(entry) != "chain") return "-";
    std::string text;
    for (std::int32_t i = 0; i < entry.chainLength; ++i) {
        if (i > 0) text += ',';
        text += std::to_string(entry.chainEntries[static_cast<std::size_t>(i)]);
    }
    return text;
}

std::string CatalogAddressText(const CatalogEntry& entry) {
    return std::to_string(entry.addressFamily) + "/" + std::to_string(entry.socketType) + "/" +
           std::to_string(entry.protocol);
}

}  // namespace inventory
