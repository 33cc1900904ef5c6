#include "WfpFormat.h"

#include <cstdio>
#include <iterator>

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

std::string WfpActionText(std::uint32_t actionType) {
    switch (actionType) {
        case 0x1001:
            return "block";
        case 0x1002:
            return "permit";
        case 0x5003:
            return "callout-terminating";
        case 0x6004:
            return "callout-inspection";
        case 0x4005:
            return "callout-unknown";
        default: {
            char text[24];
            std::snprintf(text, sizeof text, "other:0x%04X", static_cast<unsigned>(actionType));
            return text;
        }
    }
}

std::string WfpWeightText(const WfpValue& weight) {
    if (weight.type == kWfpEmpty) return "-";
    if (weight.type == kWfpUint64 && !weight.null) {
        char text[24];
        std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(weight.unsignedNumber));
        return text;
    }
    return WfpValueText(weight, false, 0);
}

std::string WfpConditionFieldText(const WfpCondition& condition, const Lists& lists) {
    const std::string guid = condition.fieldKey.Text();
    const std::string_view name = lists.ConditionName(guid);
    return name.empty() ? guid : std::string(name);
}

std::string WfpConditionOpText(const WfpCondition& condition) {
    // By FWP_MATCH_TYPE, from FWP_MATCH_EQUAL (0) to FWP_MATCH_NOT_PREFIX (12).
    static constexpr const char* kOps[] = {
        "=",         ">",          "<",    ">=", "<=",       "[range]",     "[all-set]",
        "[any-set]", "[none-set]", "[=i]", "!=", "[prefix]", "[not-prefix]"};
    if (condition.matchType < std::size(kOps)) return kOps[condition.matchType];
    return "[match:" + std::to_string(condition.matchType) + "]";
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
