#include "DriverPackages.h"

#include "RegistryText.h"
#include "Values.h"

namespace inventory {

std::optional<std::string> DriverPackages::Provider(std::string_view infName) {
    if (!StartsWithNoCase(infName, "oem")) return std::nullopt;
    const std::string key = UpperAscii(infName);
    const auto cached = cache_.find(key);
    if (cached != cache_.end()) return cached->second;
    std::optional<std::string> provider = Lookup(infName);
    cache_.emplace(key, provider);
    return provider;
}

std::optional<std::string> DriverPackages::Lookup(std::string_view infName) const {
    const auto infs = OpenPath(system_, "DriverDatabase\\DriverInfFiles");
    const auto inf = infs ? infs->OpenSubkey(infName) : nullptr;
    if (!inf) return std::nullopt;
    // "Active" names the package in use; the default value lists every package.
    std::optional<std::string> package = ReadText(*inf, "Active");
    if (!package || package->empty()) package = ReadText(*inf, "");
    if (!package || package->empty()) return std::nullopt;
    const auto packages = OpenPath(system_, "DriverDatabase\\DriverPackages");
    const auto record = packages ? packages->OpenSubkey(*package) : nullptr;
    return record ? ReadText(*record, "Provider") : std::nullopt;
}

}  // namespace inventory
