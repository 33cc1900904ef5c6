#pragma once

#include <functional>
#include <string>

#include "Machine.h"
#include "Report.h"

namespace inventory {

inline constexpr char kProtocolCatalogPath[] = "Services\\WinSock2\\Parameters\\Protocol_Catalog9";
inline constexpr char kNamespaceCatalogPath[] = "Services\\WinSock2\\Parameters\\NameSpace_Catalog5";

// Calls read(catalog, entryName, key) for each entry of a Winsock catalog's
// Catalog_Entries (catalog "32") and Catalog_Entries64 ("64"), in that order
// and by entry name; a missing Catalog_Entries is the block's absent line,
// an entry that cannot be read or decoded (read throws) one of its error lines.
void ForEachCatalogEntry(
    const Machine& machine, const std::string& catalogPath, Block& block,
    const std::function<void(const char* catalog, const std::string& entry, const RegistryKey& key)>& read);

// os for a Windows Winsock DLL in %SystemRoot%\system32 or %windir%\system32, else 3p.
Mark WinsockDllMark(const Machine& machine, const std::string& path);

}  // namespace inventory
