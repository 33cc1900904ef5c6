#include <algorithm>
#include <map>

#include "Blocks.h"
#include "Values.h"
#include "WfpProviderMarks.h"

namespace inventory {
namespace {

struct Counts {
    int sublayers = 0;
    int callouts = 0;
    int filters = 0;
};

std::optional<std::string> ServiceValue(const Machine& machine, const std::optional<std::string>& service,
                                        const char* value) {
    if (!service || !machine.controlSet) return std::nullopt;
    const auto services = machine.controlSet->OpenSubkey("Services");
    const auto key = services ? services->OpenSubkey(*service) : nullptr;
    return key ? ReadText(*key, value) : std::nullopt;
}

struct ProviderTexts {
    std::string key;
    std::optional<std::string> serviceName, name, description;
};

// One provider line; the line of objects without a provider writes its texts
// as words (-, not (absent)).
Entry ProviderEntry(const Machine& machine, Mark mark, FieldKind kind, const ProviderTexts& texts,
                    const Counts& counts) {
    const auto count = [](const char* name, int number, const char* label) {
        return Field{name, FieldKind::kNumber, std::to_string(number), View::kEverywhere, label};
    };
    return {mark,
            {{"key", kind, texts.key},
             {"serviceName", kind, texts.serviceName},
             {"name", kind, texts.name},
             {"description", kind, texts.description},
             count("sublayers", counts.sublayers, "sublayers="),
             count("callouts", counts.callouts, "callouts="),
             count("filters", counts.filters, "filters="),
             {"serviceImagePath", FieldKind::kText, ServiceValue(machine, texts.serviceName, "ImagePath"),
              View::kNotInLine},
             {"serviceDisplayName", FieldKind::kText, ServiceValue(machine, texts.serviceName, "DisplayName"),
              View::kNotInLine}}};
}

}  // namespace

Block ReadWfpProviders(Machine& machine) {
    Block block{"wfp-providers", "wfpprov"};
    const WfpStore& wfp = machine.wfp;
    if (!wfp.providers.present) block.absent.push_back(wfp.providers.path);
    block.errors = wfp.providers.errors;
    block.errors.insert(block.errors.end(), wfp.sublayers.errors.begin(), wfp.sublayers.errors.end());

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
    for (const WfpSublayer& sublayer : wfp.sublayers.items) ++countOf(sublayer.providerKey).sublayers;
    for (const WfpCallout& callout : wfp.callouts.items) ++countOf(callout.providerKey).callouts;
    for (const WfpFilter& filter : wfp.filters.items) ++countOf(filter.providerKey).filters;

    for (const WfpProvider& provider : wfp.providers.items)
        block.entries.push_back(
            ProviderEntry(machine, ProviderLineMark(wfp, machine.lists, provider.key), FieldKind::kText,
                          {provider.key.Text(), provider.serviceName, provider.name, provider.description},
                          counts[provider.key.Text()]));
    for (const auto& counted : counts) {
        const std::string& key = counted.first;
        const bool persistent = std::any_of(wfp.providers.items.begin(), wfp.providers.items.end(),
                                            [&](const WfpProvider& provider) { return provider.key.Text() == key; });
        if (!persistent)
            block.entries.push_back(ProviderEntry(machine, Mark::kUnknown, FieldKind::kText,
                                                  {key, std::nullopt, "(not persistent)", std::nullopt},
                                                  counted.second));
    }
    SortEntries(block, "key");
    if (anyWithout)
        block.entries.push_back(ProviderEntry(machine, Mark::kUnknown, FieldKind::kWord,
                                              {"(none)", std::nullopt, std::nullopt, std::nullopt}, none));
    return block;
}

}  // namespace inventory
