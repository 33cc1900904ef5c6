#include "WfpText.h"

#include <cstdio>
#include <iterator>

#include "WfpValueText.h"

namespace inventory {

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

std::string WfpConditionOpText(const WfpCondition& condition) {
    // By FWP_MATCH_TYPE, from FWP_MATCH_EQUAL (0) to FWP_MATCH_NOT_PREFIX (12).
    static constexpr const char* kOps[] = {
        "=",         ">",          "<",    ">=", "<=",       "[range]",     "[all-set]",
        "[any-set]", "[none-set]", "[=i]", "!=", "[prefix]", "[not-prefix]"};
    if (condition.matchType < std::size(kOps)) return kOps[condition.matchType];
    return "[match:" + std::to_string(condition.matchType) + "]";
}

}  // namespace inventory
