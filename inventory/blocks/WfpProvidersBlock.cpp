#include <algorithm>
#include <map>

#include "Blocks.h"
#include "Values.h"
#include "WfpNames.h"
#include "WfpProviderMarks.h"

namespace inventory {
namespace {

// How many layers a provider's line names before it says how many more.
constexpr std::size_t kLayersNamed = 3;

struct Counts {
    int sublayers = 0;
    int callouts = 0;
    int filters = 0;
    std::map<std::string, int> layers;  // by name without _V4/_V6: callouts and filters on it
};

std::optional<std::string> ServiceValue(const Machine& machine, const std::optional<std::string>& service,
                                        const char* value) {
    if (!service || !machine.ControlSet()) return std::nullopt;
    const auto services = machine.ControlSet()->OpenSubkey("Services");
    const auto key = services ? services->OpenSubkey(*service) : nullptr;
    return key ? ReadText(*key, value) : std::nullopt;
}

bool CutSuffix(std::string& text, std::string_view suffix) {
    if (text.size() <= suffix.size() || text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    text.resize(text.size() - suffix.size());
    return true;
}

// A layer without its address family and discard twin: ALE_AUTH_CONNECT_V4_DISCARD is ALE_AUTH_CONNECT.
void CountLayer(Counts& counts, std::string layer) {
    CutSuffix(layer, "_DISCARD");
    if (!CutSuffix(layer, "_V4")) CutSuffix(layer, "_V6");
    ++counts.layers[layer];
}

// The layers the provider's callouts and filters work on, the busiest first.
std::optional<std::string> LayersText(const Counts& counts) {
    if (counts.layers.empty()) return std::nullopt;
    std::vector<std::pair<std::string, int>> layers(counts.layers.begin(), counts.layers.end());
    std::stable_sort(layers.begin(), layers.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string text;
    for (std::size_t i = 0; i < layers.size() && i < kLayersNamed; ++i) text += (i ? ", " : "") + layers[i].first;
    if (layers.size() > kLayersNamed) text += " +" + std::to_string(layers.size() - kLayersNamed) + " more";
    return text;
}

struct ProviderTexts {
    std::string key;
    std::optional<std::string> serviceName, name, description;
};

Entry ProviderEntry(const Machine& machine, Mark mark, const ProviderTexts& texts, const Counts& counts) {
    return {
        mark,
        {{FieldId::kKey, texts.key},
         {FieldId::kServiceName, texts.serviceName},
         {FieldId::kName, texts.name},
         {FieldId::kDescription, texts.description},
         {FieldId::kSublayerCount, std::to_string(counts.sublayers)},
         {FieldId::kCalloutCount, std::to_string(counts.callouts)},
         {FieldId::kFilterCount, std::to_string(counts.filters)},
         {FieldId::kLayers, LayersText(counts)},
         Extra(FieldId::kServiceImagePath, [&] { return ServiceValue(machine, texts.serviceName, "ImagePath"); }),
         Extra(FieldId::kServiceDisplayName, [&] { return ServiceValue(machine, texts.serviceName, "DisplayName"); })}};
}

}  // namespace

Block ReadWfpProviders(Machine& machine) {
    Block block{BlockId::kWfpProviders};
    const WfpStore& wfp = machine.Wfp();
    const Lists& lists = machine.lists();
    if (!wfp.providers.present) block.absent.push_back(wfp.providers.path);

    std::map<std::string, Counts> counts;
    Counts none;
    bool anyWithout = false;
    const auto countOf = [&](const std::optional<Guid>& key) -> Counts& {
        if (!key) {
            anyWithout = true;
            return none;
        }
        return counts[key->Text()];
    };
    const auto& providers = wfp.providers.Items(block.errors);
    for (const WfpSublayer& sublayer : wfp.sublayers.Items(block.errors)) ++countOf(sublayer.providerKey).sublayers;
    for (const WfpCallout& callout : wfp.callouts.Items(block.errors)) {
        Counts& of = countOf(callout.providerKey);
        ++of.callouts;
        CountLayer(of, WfpLayerText(callout.applicableLayer, lists));
    }
    for (const WfpFilter& filter : wfp.filters.Items(block.errors)) {
        Counts& of = countOf(filter.providerKey);
        ++of.filters;
        CountLayer(of, WfpLayerText(filter.layerKey, lists));
    }

    for (const WfpProvider& provider : providers)
        block.entries.push_back(
            ProviderEntry(machine, ProviderLineMark(wfp, lists, provider.key, block.errors),
                          {provider.key.Text(), provider.serviceName, provider.name, provider.description},
                          counts[provider.key.Text()]));
    for (const auto& [key, counted] : counts) {
        const bool persistent =
            std::any_of(providers.begin(), providers.end(),
                        [&, &k = key](const WfpProvider& provider) { return provider.key.Text() == k; });
        if (!persistent)
            block.entries.push_back(
                ProviderEntry(machine, Mark::kUnknown, {key, std::nullopt, "(not persistent)", std::nullopt}, counted));
    }
    SortEntries(block, FieldId::kKey);
    if (anyWithout) {
        Entry entry =
            ProviderEntry(machine, Mark::kUnknown, {"(none)", std::nullopt, std::nullopt, std::nullopt}, none);
        for (Field& field : entry.fields) field.notApplicable = !field.value;
        block.entries.push_back(std::move(entry));
    }
    return block;
}

}  // namespace inventory
