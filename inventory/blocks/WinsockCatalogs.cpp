#include "WinsockCatalogs.h"

#include "RegistryText.h"

namespace inventory {

void ForEachCatalogEntry(const Machine& machine, const std::string& catalogPath, Block& block,
                         const std::function<void(const char*, const std::string&, const RegistryKey&)>& read) {
    // A 32-bit Windows has no 64-bit catalog: only the first one missing is news.
    const struct {
        const char* catalog;
        const char* keyName;
        bool expected;
    } catalogs[] = {{"32", "Catalog_Entries", true}, {"64", "Catalog_Entries64", false}};
    for (const auto& [catalog, keyName, expected] : catalogs) {
        const std::string path = catalogPath + "\\" + keyName;
        try {
            const auto entries = machine.ControlSet() ? OpenPath(*machine.ControlSet(), path) : nullptr;
            if (!entries) {
                if (expected) block.absent.push_back(path);
                continue;
            }
            ForEachSubkey(
                *entries, path, block.errors,
                [&, name = catalog](const std::string& entry, const RegistryKey& key) { read(name, entry, key); },
                true);
        } catch (const ReadError& error) {
            block.errors.push_back({path, error.what()});
        }
    }
}

Mark WinsockDllMark(const Machine& machine, const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return Mark::kThirdParty;
    const std::string_view folder = std::string_view(path).substr(0, slash);
    const bool systemFolder =
        EqualsNoCase(folder, "%SystemRoot%\\system32") || EqualsNoCase(folder, "%windir%\\system32");
    return systemFolder && machine.lists().IsWindowsWinsockDll(path.substr(slash + 1)) ? Mark::kWindows
                                                                                       : Mark::kThirdParty;
}

}  // namespace inventory
