#pragma once

#include <optional>
#include <string>
#include <vector>

#include "KeyContents.h"
#include "RegistryKey.h"
#include "WfpObjects.h"

namespace inventory {

inline constexpr char kWfpPersistentPath[] = "Services\\BFE\\Parameters\\Policy\\Persistent";
inline constexpr char kWfpBootTimeFiltersPath[] = "Services\\BFE\\Parameters\\Policy\\BootTime\\Filter";

// Every persistent WFP object of a control set, read once for the blocks
// that list them and count them.
struct WfpStore {
    KeyContents<WfpProvider> providers;
    KeyContents<WfpSublayer> sublayers;
    KeyContents<WfpCallout> callouts;
    KeyContents<WfpFilter> filters;
    std::optional<std::size_t> bootTimeFilters;  // the values of BootTime\Filter

    static WfpStore Read(const RegistryKey* controlSet);

    // The persistent provider of that key; errors as Items adds them.
    const WfpProvider* FindProvider(const Guid& key, std::vector<ErrorLine>& userErrors) const;
};

}  // namespace inventory
