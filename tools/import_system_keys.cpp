// Writes registry text below HKEY_LOCAL_MACHINE\SYSTEM of the machine it runs
// on (a Wine prefix's), the keys of ControlSet001 going to CurrentControlSet:
// the run command imports the demonstration network components with it.
//   import_system_keys demo/inventory-system.txt
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "SystemKeyWriter.h"

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::filesystem::path file = arguments && count == 2 ? arguments[1] : L"";
    LocalFree(arguments);
    if (file.empty()) {
        std::fprintf(stderr, "usage: import_system_keys REGISTRY-TEXT\n");
        return 2;
    }
    try {
        std::ifstream input(file);
        if (!input) throw std::runtime_error("cannot read " + file.string());
        std::ostringstream text;
        text << input.rdbuf();
        inventory::tools::WriteSystemKeys(HKEY_LOCAL_MACHINE, inventory::tools::ParseRegText(text.str()), true);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_system_keys: %s\n", error.what());
        return 1;
    }
    return 0;
}
