#pragma once

#include <optional>
#include <string>
#include <vector>

#include "RegistryKey.h"
#include "Report.h"
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

    const WfpProvider* FindProvider(const Guid& key) const;
};

}  // namespace inventory
