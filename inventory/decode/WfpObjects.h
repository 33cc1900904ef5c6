#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Guid.h"
#include "WfpValue.h"

namespace inventory {

// The persistent objects of Services\BFE\Parameters\Policy\Persistent. An
// optional member is absent when its pointer is null. securityDescriptor is
// the object's own, kept raw (empty when the pickle has none).

struct WfpProvider {  // FWPM_PROVIDER0
    Guid key;
    std::optional<std::string> name;
    std::optional<std::string> description;
    std::uint32_t flags = 0;
    std::optional<std::vector<std::uint8_t>> providerData;
    std::optional<std::string> serviceName;
    std::vector<std::uint8_t> securityDescriptor;
};

struct WfpSublayer {  // FWPM_SUBLAYER0
    Guid key;
    std::optional<std::string> name;
    std::optional<std::string> description;
    std::uint32_t flags = 0;
    std::optional<Guid> providerKey;
    std::optional<std::vector<std::uint8_t>> providerData;
    std::uint16_t weight = 0;
    std::vector<std::uint8_t> securityDescriptor;
};

struct WfpCallout {  // FWPM_CALLOUT0
    Guid key;
    std::optional<std::string> name;
    std::optional<std::string> description;
    std::uint32_t flags = 0;
    std::optional<Guid> providerKey;
    std::optional<std::vector<std::uint8_t>> providerData;
    Guid applicableLayer;
    std::uint32_t calloutId = 0;
    std::vector<std::uint8_t> securityDescriptor;
};

struct WfpCondition {  // FWPM_FILTER_CONDITION0
    Guid fieldKey;
    std::uint32_t matchType = 0;
    WfpValue value;
};

struct WfpFilter {  // FWPM_FILTER0
    static constexpr std::uint32_t kHasProviderContext = 4;
    static constexpr std::uint32_t kCalloutAction = 0x4000;

    Guid key;
    std::optional<std::string> name;
    std::optional<std::string> description;
    std::uint32_t flags = 0;
    std::optional<Guid> providerKey;
    std::optional<std::vector<std::uint8_t>> providerData;
    Guid layerKey;
    Guid subLayerKey;
    WfpValue weight;
    std::vector<WfpCondition> conditions;
    std::uint32_t actionType = 0;
    Guid actionKey;                          // filterType, or calloutKey when actionType has kCalloutAction
    std::optional<Guid> providerContextKey;  // with flag kHasProviderContext
    std::uint64_t rawContext = 0;            // without it
    std::optional<Guid> reserved;
    std::uint64_t filterId = 0;
    WfpValue effectiveWeight;
    std::vector<std::uint8_t> securityDescriptor;
};

}  // namespace inventory
