#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Lists.h"
#include "WfpObjects.h"

namespace inventory {

// The texts of WFP objects that name layers and condition fields, from the
// curated names (wfp-names.tsv).

// The layer's name from wfp-names.tsv, else its GUID.
std::string WfpLayerText(const Guid& layerKey, const Lists& lists = Lists::Builtin());
// A condition's field and value; the line joins field, operator and value
// without spaces.
std::string WfpConditionFieldText(const WfpCondition& condition, const Lists& lists = Lists::Builtin());
std::string WfpConditionValueText(const WfpCondition& condition, const Lists& lists = Lists::Builtin());
// Every condition as FIELD OP VALUE, joined by " & "; - when there are none.
std::string WfpConditionsText(const std::vector<WfpCondition>& conditions, const Lists& lists = Lists::Builtin());

}  // namespace inventory
