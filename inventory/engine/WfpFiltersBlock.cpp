#include "Blocks.h"
#include "RegistryText.h"
#include "WfpFormat.h"
#include "WfpProviderMarks.h"

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

std::optional<std::string> HexText(const std::optional<std::vector<std::uint8_t>>& bytes) {
    if (!bytes) return std::nullopt;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (const std::uint8_t byte : *bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

Entry FilterEntry(const Machine& machine, const WfpFilter& filter, Mark mark) {
    const Lists& lists = machine.lists;
    std::vector<Record> conditions;
    for (const WfpCondition& condition : filter.conditions)
        conditions.push_back({{"field", WfpConditionFieldText(condition, lists)},
                              {"match", WfpConditionOpText(condition)},
                              {"value", WfpConditionValueText(condition, lists)}});
    const WfpCondition* application = ApplicationCondition(lists, filter);
    const WfpProvider* provider = filter.providerKey ? machine.wfp.FindProvider(*filter.providerKey) : nullptr;
    Entry entry{
        mark,
        {{"filterKey", FieldKind::kText, filter.key.Text()},
         {"providerKey", FieldKind::kWord, GuidText(filter.providerKey)},
         {"layer", FieldKind::kText, WfpLayerText(filter.layerKey, lists)},
         {"action", FieldKind::kWord, WfpActionText(filter.actionType)},
         {"weight", FieldKind::kWord, WfpWeightText(filter.weight)},
         {"name", FieldKind::kText, filter.name},
         {"conditions", FieldKind::kWord, WfpConditionsText(filter.conditions, lists), View::kEverywhere, "",
          std::move(conditions)},
         {"description", FieldKind::kText, filter.description, View::kNotInLine},
         {"providerName", FieldKind::kText, provider ? provider->name : std::nullopt, View::kNotInLine},
         {"program", FieldKind::kText,
          application ? std::optional(WfpConditionValueText(*application, lists)) : std::nullopt, View::kNotInLine},
         {"flags", FieldKind::kNumber, std::to_string(filter.flags), View::kNotInLine},
         {"subLayerKey", FieldKind::kText, filter.subLayerKey.Text(), View::kNotInLine},
         {"effectiveWeight", FieldKind::kWord, WeightText(filter.effectiveWeight), View::kNotInLine},
         {"filterId", FieldKind::kNumber, std::to_string(filter.filterId), View::kNotInLine},
         {"actionKey", FieldKind::kText, filter.actionKey.Text(), View::kNotInLine},
         {"providerContextKey", FieldKind::kText, GuidText(filter.providerContextKey), View::kNotInLine},
         {"rawContext", FieldKind::kNumber,
          filter.providerContextKey ? std::nullopt : std::optional(std::to_string(filter.rawContext)),
          View::kNotInLine},
         {"providerData", FieldKind::kText, HexText(filter.providerData), View::kNotInLine}}};
    return entry;
}

Block ReadFilters(Machine& machine, bool onlySuspicious) {
    Block block = onlySuspicious ? Block{"wfp-suspicious", "wfpsusp"} : Block{"wfp-filters", "wfpfilt"};
    const WfpStore& wfp = machine.wfp;
    if (!wfp.filters.present) block.absent.push_back(wfp.filters.path);
    if (!onlySuspicious) {
        block.errors = wfp.filters.errors;
        if (wfp.bootTimeFilters)
            block.notes.push_back("BootTime\\Filter holds " + std::to_string(*wfp.bootTimeFilters) +
                                  " boot-time filters in the kernel's form, not decoded");
    }
    for (const WfpFilter& filter : wfp.filters.items) {
        const Mark mark = ObjectMark(wfp, machine.lists, filter.providerKey);
        if (!onlySuspicious || LooksLikeSilencing(machine.lists, filter, mark))
            block.entries.push_back(FilterEntry(machine, filter, mark));
    }
    SortEntries(block, "filterKey");
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
