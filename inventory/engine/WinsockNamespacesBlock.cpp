#include "Blocks.h"
#include "Values.h"
#include "WinsockCatalogs.h"

namespace inventory {
namespace {

std::optional<std::string> ProviderId(const std::optional<RawValue>& value) {
    if (!value || value->type != kRegBinary || value->data.size() < 16) return std::nullopt;
    return FormatGuid(value->data.data());
}

}  // namespace

Block ReadWinsockNamespaces(Machine& machine) {
    Block block{"winsock-namespaces", "nsp"};
    ForEachCatalogEntry(
        machine, kNamespaceCatalogPath, block,
        [&](const char* catalog, const std::string& entry, const RegistryKey& key) {
            const std::optional<std::string> library = ReadText(key, "LibraryPath");
            block.entries.push_back(
                {WinsockDllMark(machine, library.value_or("")),
                 {{"catalog", FieldKind::kWord, catalog},
                  {"entry", FieldKind::kWord, entry},
                  {"providerId", FieldKind::kText, ProviderId(key.ReadValue("ProviderId"))},
                  {"supportedNameSpace", FieldKind::kNumber, DecimalText(ReadNumber(key, "SupportedNameSpace"))},
                  {"enabled", FieldKind::kNumber, DecimalText(ReadNumber(key, "Enabled"))},
                  {"libraryPath", FieldKind::kText, library},
                  {"displayString", FieldKind::kText, ReadText(key, "DisplayString")}}});
        });
    return block;
}

}  // namespace inventory
