#include "Blocks.h"
#include "CatalogEntry.h"
#include "DecodeError.h"
#include "WinsockCatalogs.h"

namespace inventory {

Block ReadWinsockProtocols(Machine& machine) {
    Block block{"winsock-protocols", "wsp"};
    ForEachCatalogEntry(machine, kProtocolCatalogPath, block,
                        [&](const char* catalog, const std::string& name, const RegistryKey& key) {
                            const std::optional<RawValue> item = key.ReadValue("PackedCatalogItem");
                            if (!item || item->type != kRegBinary)
                                throw DecodeError("no PackedCatalogItem (REG_BINARY)");
                            const CatalogEntry entry = DecodeCatalogEntry(item->data.data(), item->data.size());
                            const std::string_view kind = CatalogKind(entry);
                            Entry line{WinsockDllMark(machine, entry.dllPath),
                                       {{"catalog", FieldKind::kWord, catalog},
                                        {"entry", FieldKind::kWord, name},
                                        {"catalogEntryId", FieldKind::kNumber, std::to_string(entry.catalogEntryId)},
                                        {"kind", FieldKind::kWord, std::string(kind)},
                                        {"chain", FieldKind::kWord,
                                         kind == "chain" ? std::optional(CatalogChainText(entry)) : std::nullopt},
                                        {"providerId", FieldKind::kText, entry.providerId.Text()},
                                        {"afTypeProtocol", FieldKind::kWord, CatalogAddressText(entry)},
                                        {"dll", FieldKind::kText, entry.dllPath},
                                        {"protocol", FieldKind::kText, entry.protocolName}}};
                            // Layered providers sit in every program's traffic: always worth a look.
                            line.alwaysShown = kind == "lsp" || kind == "chain";
                            block.entries.push_back(std::move(line));
                        });
    return block;
}

}  // namespace inventory
