#include "NetworkConfig.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "RegistryText.h"
#include "TimeText.h"
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
    component.lastWrite = key.LastWriteTime();
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
    adapter.lastWrite = key.LastWriteTime();
    return adapter;
}

KeyContents<NetworkComponent> ReadComponents(const RegistryKey* controlSet, const char* path) {
    return ReadSubkeys<NetworkComponent>(
        controlSet, path, [](const std::string& name, const RegistryKey& key) -> std::optional<NetworkComponent> {
            if (name.empty() || name.front() != '{') return std::nullopt;
            return ReadComponent(key, name);
        });
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
    config.adapters = ReadSubkeys<NetworkAdapter>(
        controlSet, kAdaptersPath,
        [](const std::string& name, const RegistryKey& key) -> std::optional<NetworkAdapter> {
            if (!IsAdapterNumber(name)) return std::nullopt;
            return ReadAdapter(key, name);
        });
    return config;
}

const NetworkComponent* NetworkConfig::FindService(std::string_view guid, std::vector<ErrorLine>& userErrors) const {
    for (const NetworkComponent& component : services.Items(userErrors))
        if (EqualsNoCase(component.key, guid)) return &component;
    return nullptr;
}

std::optional<std::string> NetworkConfig::CountAdapters(LinkageList list,
                                                        const std::function<bool(const std::string&)>& matches,
                                                        std::vector<ErrorLine>& userErrors) const {
    bool stored = false;
    int count = 0;
    for (const NetworkAdapter& adapter : adapters.Items(userErrors)) {
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

}  // namespace inventory
