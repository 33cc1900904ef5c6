#include "RegistryKey.h"

namespace inventory {

std::unique_ptr<RegistryKey> OpenPath(const RegistryKey& key, std::string_view path) {
    std::unique_ptr<RegistryKey> current;
    for (;;) {
        const std::size_t end = path.find('\\');
        const std::string_view name = path.substr(0, end);
        current = current ? current->OpenSubkey(name) : key.OpenSubkey(name);
        if (!current || end == std::string_view::npos) return current;
        path.remove_prefix(end + 1);
    }
}

}  // namespace inventory
