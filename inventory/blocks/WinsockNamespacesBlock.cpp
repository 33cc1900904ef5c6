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
    Block block{BlockId::kWinsockNamespaces};
    ForEachCatalogEntry(machine, kNamespaceCatalogPath, block,
                        [&](const char* catalog, const std::string& entry, const RegistryKey& key) {
                            const std::optional<std::string> library = ReadText(key, "LibraryPath");
                            block.entries.push_back(
                                {WinsockDllMark(machine, library.value_or("")),
                                 {{FieldId::kCatalog, catalog},
                                  {FieldId::kCatalogEntry, entry},
                                  {FieldId::kProviderId, ProviderId(key.ReadValue("ProviderId"))},
                                  {FieldId::kSupportedNameSpace, DecimalText(ReadNumber(key, "SupportedNameSpace"))},
                                  {FieldId::kEnabled, DecimalText(ReadNumber(key, "Enabled"))},
                                  {FieldId::kLibraryPath, library},
                                  {FieldId::kDisplayString, ReadText(key, "DisplayString")},
                                  LastWriteField(key.LastWriteTime())}});
                        });
    return block;
}

}  // namespace inventory
