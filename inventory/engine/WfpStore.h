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

// The objects of one kind the Base Filtering Engine keeps: decoded, or the
// error lines of those that do not decode.
template <typename Object>
struct WfpObjects {
    std::string path;
    bool present = false;
    std::vector<Object> objects;
    std::vector<ErrorLine> errors;
};

// Every persistent WFP object of a control set, read once for the blocks
// that list them and count them.
struct WfpStore {
    WfpObjects<WfpProvider> providers;
    WfpObjects<WfpSublayer> sublayers;
    WfpObjects<WfpCallout> callouts;
    WfpObjects<WfpFilter> filters;
    std::optional<std::size_t> bootTimeFilters;  // the values of BootTime\Filter

    static WfpStore Read(const RegistryKey* controlSet);

    const WfpProvider* FindProvider(const Guid& key) const;
};

}  // namespace inventory
