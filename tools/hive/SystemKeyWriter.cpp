#include "SystemKeyWriter.h"

#include <stdexcept>
#include <string>

#include "LiveRegistry.h"
#include "UniqueHandle.h"

namespace inventory::tools {
namespace {

constexpr char kOfflineControlSet[] = "ControlSet001";
constexpr char kLiveControlSet[] = "CurrentControlSet";

std::string LivePath(const std::string& path) {
    if (path.rfind(kOfflineControlSet, 0) != 0) return path;
    return kLiveControlSet + path.substr(sizeof kOfflineControlSet - 1);
}

}  // namespace

void WriteSystemKeys(HKEY root, const std::vector<TextKey>& keys, bool live) {
    for (const TextKey& key : keys) {
        const std::string path = "SYSTEM\\" + (live ? LivePath(key.path) : key.path);
        UniqueHKey written;
        LSTATUS status =
            RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, written.put(), nullptr);
        if (status != ERROR_SUCCESS) throw std::runtime_error("cannot write " + path + ": " + SystemMessage(status));
        for (const TextValue& value : key.values) {
            status = RegSetValueExW(written.get(), Widen(value.name).c_str(), 0, value.type, value.data.data(),
                                    static_cast<DWORD>(value.data.size()));
            if (status != ERROR_SUCCESS)
                throw std::runtime_error("cannot write " + path + "\\" + value.name + ": " + SystemMessage(status));
        }
    }
}

}  // namespace inventory::tools
