#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "RegistryKey.h"

namespace inventory {

// The driver store's record of installed INF packages (Windows 8.1 and
// later): who provided an oemNN.inf.
class DriverPackages {
public:
    // system: the SYSTEM hive's root, where DriverDatabase lives.
    explicit DriverPackages(const RegistryKey& system) : system_(system) {}

    // The Provider of the package an oemNN.inf stands for, when the store
    // has it. Throws ReadError when the store cannot be read.
    std::optional<std::string> Provider(std::string_view infName);

private:
    std::optional<std::string> Lookup(std::string_view infName) const;

    const RegistryKey& system_;
    std::map<std::string, std::optional<std::string>> cache_;
};

}  // namespace inventory
