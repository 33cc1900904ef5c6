#pragma once

#include <cstdint>
#include <string>

#include "WfpObjects.h"

namespace inventory {

// The texts of a filter's line that need no names (docs/WFP-FILTERS.md).

// block, permit, callout-terminating, callout-inspection, callout-unknown, else other:0xNNNN.
std::string WfpActionText(std::uint32_t actionType);
// - for an empty weight, decimal for UINT8, 0x and 16 hex digits for UINT64,
// other types as condition values.
std::string WfpWeightText(const WfpValue& weight);
// A condition's operator: =, >, [range], ... by its match type.
std::string WfpConditionOpText(const WfpCondition& condition);

}  // namespace inventory
