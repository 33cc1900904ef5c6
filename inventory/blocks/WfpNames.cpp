#include "WfpNames.h"

#include "WfpText.h"
#include "WfpValueText.h"

namespace inventory {
namespace {

bool IsAddressField(std::string_view name) {
    static constexpr const char* kAddressFields[] = {
        "IP_LOCAL_ADDRESS",     "IP_LOCAL_ADDRESS_V4",     "IP_LOCAL_ADDRESS_V6",       "IP_REMOTE_ADDRESS",
        "IP_REMOTE_ADDRESS_V4", "IP_REMOTE_ADDRESS_V6",    "IP_SOURCE_ADDRESS",         "IP_SOURCE_ADDRESS_V4",
        "IP_SOURCE_ADDRESS_V6", "IP_DESTINATION_ADDRESS",  "IP_DESTINATION_ADDRESS_V4", "IP_DESTINATION_ADDRESS_V6",
        "IP_NEXTHOP_ADDRESS",   "EMBEDDED_REMOTE_ADDRESS",
    };
    for (const char* field : kAddressFields)
        if (name == field) return true;
    return false;
}

}  // namespace

std::string WfpLayerText(const Guid& layerKey, const Lists& lists) {
    const std::string guid = layerKey.Text();
    const std::string_view name = lists.LayerName(guid);
    return name.empty() ? guid : std::string(name);
}

std::string WfpConditionFieldText(const WfpCondition& condition, const Lists& lists) {
    const std::string guid = condition.fieldKey.Text();
    const std::string_view name = lists.ConditionName(guid);
    return name.empty() ? guid : std::string(name);
}

std::string WfpConditionValueText(const WfpCondition& condition, const Lists& lists) {
    const std::string_view field = lists.ConditionName(condition.fieldKey.Text());
    return WfpValueText(condition.value, IsAddressField(field), condition.matchType);
}

std::string WfpConditionsText(const std::vector<WfpCondition>& conditions, const Lists& lists) {
    if (conditions.empty()) return "-";
    std::string text;
    for (const WfpCondition& condition : conditions) {
        if (!text.empty()) text += " & ";
        text += WfpConditionFieldText(condition, lists) + WfpConditionOpText(condition) +
                WfpConditionValueText(condition, lists);
    }
    return text;
}

}  // namespace inventory
