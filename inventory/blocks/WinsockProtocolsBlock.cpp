#include "Blocks.h"
#include "CatalogEntry.h"
#include "DecodeError.h"
#include "WinsockCatalogs.h"

namespace inventory {

Block ReadWinsockProtocols(Machine& machine) {
    Block block{BlockId::kWinsockProtocols};
    ForEachCatalogEntry(
        machine, kProtocolCatalogPath, block,
        [&](const char* catalog, const std::string& name, const RegistryKey& key) {
            const std::optional<RawValue> item = key.ReadValue("PackedCatalogItem");
            if (!item || item->type != kRegBinary) throw DecodeError("no PackedCatalogItem (REG_BINARY)");
            const CatalogEntry entry = DecodeCatalogEntry(item->data.data(), item->data.size());
            const std::string_view kind = CatalogKind(entry);
            Entry line{WinsockDllMark(machine, entry.dllPath),
                       {{FieldId::kCatalog, catalog},
                        {FieldId::kCatalogEntry, name},
                        {FieldId::kCatalogEntryId, std::to_string(entry.catalogEntryId)},
                        {FieldId::kCatalogKind, std::string(kind)},
                        {FieldId::kChain, kind == "chain" ? std::optional(CatalogChainText(entry)) : std::nullopt},
                        {FieldId::kProviderId, entry.providerId.Text()},
                        {FieldId::kAfTypeProtocol, CatalogAddressText(entry)},
                        {FieldId::kDll, entry.dllPath},
                        {FieldId::kProtocolName, entry.protocolName},
                        LastWriteField(key.LastWriteTime())}};
            // Layered providers sit in every program's traffic: always worth a look.
            line.alwaysShown = kind == "lsp" || kind == "chain";
            block.entries.push_back(std::move(line));
        });
    return block;
}

}  // namespace inventory
