// libFuzzer target: the persistent WFP object decoder (all four kinds) and
// every text the blocks make of a decoded object.
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "DecodeError.h"
#include "SidText.h"
#include "WfpDecoders.h"
#include "WfpNames.h"
#include "WfpText.h"

namespace {

using namespace inventory;

void Format(const WfpFilter& filter) {
    static_cast<void>(WfpLayerText(filter.layerKey));
    static_cast<void>(WfpActionText(filter.actionType));
    static_cast<void>(WfpWeightText(filter.weight));
    static_cast<void>(WfpWeightText(filter.effectiveWeight));
    static_cast<void>(WfpConditionsText(filter.conditions));
    for (const WfpCondition& condition : filter.conditions) {
        static_cast<void>(WfpConditionFieldText(condition));
        static_cast<void>(WfpConditionOpText(condition));
        static_cast<void>(WfpConditionValueText(condition));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const WfpObject object = DecodeWfpObject(data, size);
        std::visit(
            [](const auto& decoded) {
                static_cast<void>(SecurityDescriptorText(decoded.securityDescriptor));
                if constexpr (std::is_same_v<std::decay_t<decltype(decoded)>, WfpFilter>) Format(decoded);
            },
            object);
    } catch (const DecodeError&) {
    }
    return 0;
}
