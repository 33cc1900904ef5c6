#include "Blocks.h"
#include "Hex.h"
#include "RegistryText.h"
#include "WfpNames.h"
#include "WfpProviderMarks.h"
#include "WfpText.h"

namespace inventory {
namespace {

constexpr std::uint32_t kBlockAction = 0x1001;
// Where a block keeps a program from connecting or from taking connections.
constexpr const char* kConnectionLayers[] = {"ALE_AUTH_CONNECT_V4",     "ALE_AUTH_CONNECT_V6",
                                             "ALE_AUTH_RECV_ACCEPT_V4", "ALE_AUTH_RECV_ACCEPT_V6",
                                             "OUTBOUND_TRANSPORT_V4",   "OUTBOUND_TRANSPORT_V6"};

bool Is(const Lists& lists, const Guid& guid, std::string_view conditionOrLayer, bool layer) {
    const std::string_view known = layer ? lists.LayerGuid(conditionOrLayer) : lists.ConditionGuid(conditionOrLayer);
    return !known.empty() && EqualsNoCase(known, guid.Text());
}

// The condition on the application's path, if the filter has one.
const WfpCondition* ApplicationCondition(const Lists& lists, const WfpFilter& filter) {
    for (const WfpCondition& condition : filter.conditions)
        if (Is(lists, condition.fieldKey, "ALE_APP_ID", false)) return &condition;
    return nullptr;
}

// What agents are silenced with: a persistent block on a connection layer
// for one program, under no provider or one that is not Windows'.
bool LooksLikeSilencing(const Lists& lists, const WfpFilter& filter, Mark mark) {
    if (filter.actionType != kBlockAction || mark == Mark::kWindows) return false;
    bool connectionLayer = false;
    for (const char* layer : kConnectionLayers)
        connectionLayer = connectionLayer || Is(lists, filter.layerKey, layer, true);
    return connectionLayer && ApplicationCondition(lists, filter);
}

std::optional<std::string> GuidText(const std::optional<Guid>& guid) {
    return guid ? std::optional(guid->Text()) : std::nullopt;
}

// The weight's text; nothing for an empty one (the line writes -).
std::optional<std::string> WeightText(const WfpValue& weight) {
    if (weight.type == kWfpEmpty) return std::nullopt;
    return WfpWeightText(weight);
}

std::optional<std::string> OptionalHexText(const std::optional<std::vector<std::uint8_t>>& bytes) {
    return bytes ? std::optional(HexText(*bytes)) : std::nullopt;
}

Entry FilterEntry(Machine& machine, const WfpFilter& filter, Mark mark, std::vector<ErrorLine>& userErrors) {
    const Lists& lists = machine.lists();
    std::vector<Record> conditions;
    for (const WfpCondition& condition : filter.conditions)
        conditions.push_back({{"field", WfpConditionFieldText(condition, lists)},
                              {"match", WfpConditionOpText(condition)},
                              {"value", WfpConditionValueText(condition, lists)}});
    const WfpCondition* application = ApplicationCondition(lists, filter);
    const WfpProvider* provider =
        filter.providerKey ? machine.Wfp().FindProvider(*filter.providerKey, userErrors) : nullptr;
    return {
        mark,
        {{FieldId::kFilterKey, filter.key.Text()},
         {FieldId::kProviderKey, GuidText(filter.providerKey)},
         {FieldId::kFilterLayer, WfpLayerText(filter.layerKey, lists)},
         {FieldId::kAction, WfpActionText(filter.actionType)},
         {FieldId::kWeight, WeightText(filter.weight)},
         {FieldId::kName, filter.name},
         {FieldId::kConditions, WfpConditionsText(filter.conditions, lists), std::move(conditions)},
         {FieldId::kDetail, filter.description},
         {FieldId::kProviderName, provider ? provider->name : std::nullopt},
         {FieldId::kProgram, application ? std::optional(WfpConditionValueText(*application, lists)) : std::nullopt},
         {FieldId::kFilterFlags, std::to_string(filter.flags)},
         {FieldId::kSubLayerKey, filter.subLayerKey.Text()},
         {FieldId::kEffectiveWeight, WeightText(filter.effectiveWeight)},
         {FieldId::kFilterId, std::to_string(filter.filterId)},
         {FieldId::kActionKey, filter.actionKey.Text()},
         {FieldId::kProviderContextKey, GuidText(filter.providerContextKey)},
         {FieldId::kRawContext,
          filter.providerContextKey ? std::nullopt : std::optional(std::to_string(filter.rawContext))},
         {FieldId::kProviderData, OptionalHexText(filter.providerData)}}};
}

Block ReadFilters(Machine& machine, bool onlySuspicious) {
    Block block{onlySuspicious ? BlockId::kWfpSuspicious : BlockId::kWfpFilters};
    const WfpStore& wfp = machine.Wfp();
    if (!wfp.filters.present) block.absent.push_back(wfp.filters.path);
    // A filter that cannot be read may be one that silences an agent: both blocks say so.
    std::vector<ErrorLine>& errors = block.errors;
    if (!onlySuspicious && wfp.bootTimeFilters)
        block.notes.push_back("BootTime\\Filter holds " + std::to_string(*wfp.bootTimeFilters) +
                              " boot-time filters in the kernel's form, not decoded");
    for (const WfpFilter& filter : wfp.filters.Items(errors)) {
        const Mark mark = ObjectMark(wfp, machine.lists(), filter.providerKey, errors);
        const bool silencing = LooksLikeSilencing(machine.lists(), filter, mark);
        if (onlySuspicious && !silencing) continue;
        block.entries.push_back(FilterEntry(machine, filter, mark, errors));
        // A third-party provider's filters count on its line; a verdict is always listed.
        block.entries.back().folded = !onlySuspicious && mark == Mark::kThirdParty && !silencing;
    }
    SortEntries(block, FieldId::kFilterKey);
    return block;
}

}  // namespace

Block ReadWfpFilters(Machine& machine) {
    return ReadFilters(machine, false);
}
Block ReadWfpSuspicious(Machine& machine) {
    return ReadFilters(machine, true);
}

}  // namespace inventory
