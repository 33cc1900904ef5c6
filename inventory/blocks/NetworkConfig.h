#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "KeyContents.h"
#include "RegistryKey.h"

namespace inventory {

// Keys below the control set where network components live.
inline constexpr char kClientsPath[] = "Control\\Network\\{4D36E973-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kServicesClassPath[] = "Control\\Network\\{4D36E974-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kProtocolsPath[] = "Control\\Network\\{4D36E975-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kAdaptersPath[] = "Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kFilterSetupPath[] = "Control\\NetworkSetup2\\Filters";

// One {GUID} key of a network component class.
struct NetworkComponent {
    std::string key;
    std::optional<std::string> componentId;
    std::optional<std::string> infPath;
    std::optional<std::string> description;
    std::optional<std::string> service;   // Ndi\Service
    std::vector<std::string> coServices;  // Ndi\CoServices
    std::optional<std::uint32_t> characteristics;
    std::optional<std::string> filterClass;  // Ndi\FilterClass
    std::optional<std::uint32_t> filterType;
    std::optional<std::uint32_t> filterRunType;
    bool filterMediaTypes = false;  // Ndi\Interfaces has FilterMediaTypes
    std::optional<std::string> installTime;
    std::optional<std::uint64_t> lastWrite;

    // Ndi\Service, else the first Ndi\CoServices entry.
    std::optional<std::string> MainService() const;
};

// One NNNN key of the network adapter class.
struct NetworkAdapter {
    std::string number;
    std::optional<std::string> netCfgInstanceId;
    std::optional<std::string> driverDesc;
    std::optional<std::string> infPath;
    std::optional<std::string> service;                  // Ndi\Service
    std::optional<std::vector<std::string>> filterList;  // Linkage\FilterList, when stored
    std::optional<std::vector<std::string>> upperBind;   // Linkage\UpperBind, when stored
    std::optional<std::uint64_t> lastWrite;
};

// The network components and adapters of a control set, read once for the
// blocks that list them and the marks that look them up.
struct NetworkConfig {
    KeyContents<NetworkComponent> clients;
    KeyContents<NetworkComponent> services;
    KeyContents<NetworkComponent> protocols;
    KeyContents<NetworkAdapter> adapters;

    static NetworkConfig Read(const RegistryKey* controlSet);

    // The network service component of that {GUID}; errors as Items adds them.
    const NetworkComponent* FindService(std::string_view guid, std::vector<ErrorLine>& userErrors) const;
    // How many adapters have an entry that `matches` in one of their
    // Linkage lists, as the line writes it; nothing when no adapter stores
    // that list at all (Windows XP keeps no FilterList).
    using LinkageList = std::optional<std::vector<std::string>> NetworkAdapter::*;
    std::optional<std::string> CountAdapters(LinkageList list, const std::function<bool(const std::string&)>& matches,
                                             std::vector<ErrorLine>& userErrors) const;
};

// The filter's {GUID} in a Linkage\FilterList entry {adapter}-{filter}-NNNN,
// or nothing when the entry has another form.
std::string_view FilterOfBinding(std::string_view binding);

}  // namespace inventory
