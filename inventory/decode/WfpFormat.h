#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Lists.h"
#include "WfpObjects.h"

namespace inventory {

// The texts of the wfp-filters line (WFP-FILTERS.md).

// The layer's name from wfp-names.tsv, else its GUID.
std::string WfpLayerText(const Guid& layerKey, const Lists& lists = Lists::Builtin());
// block, permit, callout-terminating, callout-inspection, callout-unknown, else other:0xNNNN.
std::string WfpActionText(std::uint32_t actionType);
// - for an empty weight, decimal for UINT8, 0x and 16 hex digits for UINT64,
// other types as condition values.
std::string WfpWeightText(const WfpValue& weight);

// One condition's three parts; the line joins them without spaces.
std::string WfpConditionFieldText(const WfpCondition& condition, const Lists& lists = Lists::Builtin());
std::string WfpConditionOpText(const WfpCondition& condition);
std::string WfpConditionValueText(const WfpCondition& condition, const Lists& lists = Lists::Builtin());
// Every condition as FIELD OP VALUE, joined by " & "; - when there are none.
std::string WfpConditionsText(const std::vector<WfpCondition>& conditions, const Lists& lists = Lists::Builtin());

}  // namespace inventory
