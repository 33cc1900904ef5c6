#include "WfpBodies.h"
#include "WfpValueReader.h"

namespace inventory {
namespace {

// fieldKey, matchType, and a value's type, type again and arm.
constexpr std::size_t kSmallestConditionSize = 16 + 4 + 4 + 4;

std::string ConditionName(std::size_t index) {
    return "condition " + std::to_string(index + 1);
}

std::vector<WfpCondition> ReadConditions(NdrCursor& cursor, std::uint32_t declaredCount) {
    const std::uint32_t count = cursor.Count("conditions", kSmallestConditionSize);
    if (count != declaredCount)
        cursor.Fail("the condition array holds " + std::to_string(count) + " conditions where numFilterConditions is " +
                    std::to_string(declaredCount));
    std::vector<WfpCondition> conditions(count);
    std::vector<WfpValueFlat> flats;
    flats.reserve(count);
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        const std::string name = ConditionName(i);
        conditions[i].fieldKey = cursor.ReadGuid(name + " fieldKey");
        conditions[i].matchType = cursor.U32(name + " matchType");
        flats.push_back(ReadWfpValueFlat(cursor, true, name + " value"));
    }
    for (std::size_t i = 0; i < conditions.size(); ++i)
        conditions[i].value = ReadWfpValuePointee(cursor, flats[i], ConditionName(i) + " value");
    return conditions;
}

}  // namespace

WfpFilter ReadWfpFilterBody(NdrCursor& cursor) {
    ReadWfpObjectPointer(cursor);
    WfpFilter filter;
    // FWPM_FILTER0 holds 64-bit members: the structure is 8-aligned.
    cursor.Align(8, "filterKey");
    filter.key = cursor.ReadGuid("filterKey");
    const bool hasName = cursor.Pointer("name");
    const bool hasDescription = cursor.Pointer("description");
    filter.flags = cursor.U32("flags");
    const bool hasProviderKey = cursor.Pointer("providerKey");
    const WfpBlobFlat data = ReadWfpBlobFlat(cursor, "providerData");
    filter.layerKey = cursor.ReadGuid("layerKey");
    filter.subLayerKey = cursor.ReadGuid("subLayerKey");
    const WfpValueFlat weight = ReadWfpValueFlat(cursor, false, "weight");
    const std::uint32_t conditionCount = cursor.U32("numFilterConditions");
    const bool hasConditions = cursor.Pointer("filterCondition");
    if (conditionCount != 0 && !hasConditions)
        cursor.Fail(std::to_string(conditionCount) + " conditions declared but the condition pointer is null");

    filter.actionType = cursor.U32("action type");
    const std::uint32_t actionArm = cursor.U32("action");
    if (actionArm != (filter.actionType & WfpFilter::kCalloutAction))
        cursor.Fail("action union arm " + std::to_string(actionArm) + " does not follow action type " +
                    std::to_string(filter.actionType));
    filter.actionKey = cursor.ReadGuid("action key");

    const std::uint32_t contextArm = cursor.U32("context");
    if (contextArm != (filter.flags & WfpFilter::kHasProviderContext))
        cursor.Fail("context union arm " + std::to_string(contextArm) + " does not follow flags " +
                    std::to_string(filter.flags));
    cursor.Align(8, "context");
    if (contextArm != 0)
        filter.providerContextKey = cursor.ReadGuid("providerContextKey");
    else
        filter.rawContext = cursor.U64("rawContext");
    const bool hasReserved = cursor.Pointer("reserved");
    filter.filterId = cursor.U64("filterId");
    const WfpValueFlat effectiveWeight = ReadWfpValueFlat(cursor, false, "effectiveWeight");

    if (hasName) filter.name = cursor.String("name");
    if (hasDescription) filter.description = cursor.String("description");
    if (hasProviderKey) filter.providerKey = cursor.ReadGuid("providerKey");
    filter.providerData = ReadWfpBlobPointee(cursor, data, "providerData");
    filter.weight = ReadWfpValuePointee(cursor, weight, "weight");
    if (hasConditions) filter.conditions = ReadConditions(cursor, conditionCount);
    if (hasReserved) filter.reserved = cursor.ReadGuid("reserved");
    filter.effectiveWeight = ReadWfpValuePointee(cursor, effectiveWeight, "effectiveWeight");
    return filter;
}

}  // namespace inventory
