#include "NetworkConfig.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "RegistryText.h"
#include "Values.h"

namespace inventory {
namespace {

bool IsAdapterNumber(const std::string& name) {
    if (name.size() != 4) return false;
    for (const char c : name)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::optional<std::vector<std::string>> ReadListIfStored(const RegistryKey* key, std::string_view name) {
    if (!key) return std::nullopt;
    const std::optional<RawValue> value = key->ReadValue(name);
    if (!value || value->type != kRegMultiSz) return std::nullopt;
    return AsTextList(value);
}

NetworkComponent ReadComponent(const RegistryKey& key, std::string name) {
    NetworkComponent component;
    component.key = std::move(name);
    component.componentId = ReadText(key, "ComponentId");
    component.infPath = ReadText(key, "InfPath");
    component.description = ReadText(key, "Description");
    component.characteristics = ReadNumber(key, "Characteristics");
    component.installTime = SystemTimeText(key.ReadValue("InstallTimeStamp"));
    if (const auto ndi = key.OpenSubkey("Ndi")) {
        component.service = ReadText(*ndi, "Service");
        component.coServices = ReadTextList(*ndi, "CoServices");
        component.filterClass = ReadText(*ndi, "FilterClass");
        component.filterType = ReadNumber(*ndi, "FilterType");
        component.filterRunType = ReadNumber(*ndi, "FilterRunType");
        if (const auto interfaces = ndi->OpenSubkey("Interfaces"))
            component.filterMediaTypes = interfaces->ReadValue("FilterMediaTypes").has_value();
    }
    return component;
}

NetworkAdapter ReadAdapter(const RegistryKey& key, std::string number) {
    NetworkAdapter adapter;
    adapter.number = std::move(number);
    adapter.netCfgInstanceId = ReadText(key, "NetCfgInstanceId");
    adapter.driverDesc = ReadText(key, "DriverDesc");
    adapter.infPath = ReadText(key, "InfPath");
    if (const auto ndi = key.OpenSubkey("Ndi")) adapter.service = ReadText(*ndi, "Service");
    const auto linkage = key.OpenSubkey("Linkage");
    adapter.filterList = ReadListIfStored(linkage.get(), "FilterList");
    adapter.upperBind = ReadListIfStored(linkage.get(), "UpperBind");
    return adapter;
}

// Reads every subkey of the class that `accept` takes, each with `read`; a
// key that cannot be read becomes an error line and the rest go on.
template <typename Item, typename Accept, typename ReadItem>
KeyContents<Item> ReadClass(const RegistryKey* controlSet, const char* path, Accept accept, ReadItem read) {
    KeyContents<Item> result;
    result.path = path;
    try {
        const auto classKey = controlSet ? OpenPath(*controlSet, path) : nullptr;
        if (!classKey) return result;
        result.present = true;
        for (std::string& name : classKey->SubkeyNames()) {
            if (!accept(name)) continue;
            try {
                if (const auto key = classKey->OpenSubkey(name)) result.items.push_back(read(*key, name));
            } catch (const ReadError& error) {
                result.errors.push_back({result.path + "\\" + name, error.what()});
            }
        }
    } catch (const ReadError& error) {
        result.errors.push_back({result.path, error.what()});
    }
    return result;
}

KeyContents<NetworkComponent> ReadComponents(const RegistryKey* controlSet, const char* path) {
    return ReadClass<NetworkComponent>(
        controlSet, path, [](const std::string& name) { return !name.empty() && name.front() == '{'; }, ReadComponent);
}

}  // namespace

std::optional<std::string> NetworkComponent::MainService() const {
    if (service) return service;
    if (!coServices.empty()) return coServices.front();
    return std::nullopt;
}

NetworkConfig NetworkConfig::Read(const RegistryKey* controlSet) {
    NetworkConfig config;
    config.clients = ReadComponents(controlSet, kClientsPath);
    config.services = ReadComponents(controlSet, kServicesClassPath);
    config.protocols = ReadComponents(controlSet, kProtocolsPath);
    config.adapters = ReadClass<NetworkAdapter>(controlSet, kAdaptersPath, IsAdapterNumber, ReadAdapter);
    return config;
}

const NetworkComponent* NetworkConfig::FindService(std::string_view guid) const {
    for (const NetworkComponent& component : services.items)
        if (EqualsNoCase(component.key, guid)) return &component;
    return nullptr;
}

std::optional<std::string> NetworkConfig::CountAdapters(LinkageList list,
                                                        const std::function<bool(const std::string&)>& matches) const {
    bool stored = false;
    int count = 0;
    for (const NetworkAdapter& adapter : adapters.items) {
        const auto& entries = adapter.*list;
        if (!entries) continue;
        stored = true;
        if (std::any_of(entries->begin(), entries->end(), matches)) ++count;
    }
    if (!stored) return std::nullopt;
    return std::to_string(count);
}

std::string_view FilterOfBinding(std::string_view binding) {
    const std::size_t start = binding.find("}-{");
    if (start == std::string_view::npos) return {};
    const std::size_t end = binding.find('}', start + 2);
    if (end == std::string_view::npos) return {};
    return binding.substr(start + 2, end - start - 1);
}

std::optional<std::string> SystemTimeText(const std::optional<RawValue>& value) {
    if (!value || value->data.size() < 16) return std::nullopt;
    const std::uint8_t* at = value->data.data();
    const unsigned year = LoadU16(at), month = LoadU16(at + 2), day = LoadU16(at + 6);
    const unsigned hour = LoadU16(at + 8), minute = LoadU16(at + 10), second = LoadU16(at + 12);
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 59)
        return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", year, month, day, hour, minute, second);
    return std::string(text);
}

}  // namespace inventory
