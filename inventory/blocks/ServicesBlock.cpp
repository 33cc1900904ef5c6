#include <algorithm>
#include <map>

#include "Blocks.h"
#include "Marks.h"
#include "RegistryText.h"
#include "Values.h"

namespace inventory {
namespace {

constexpr const char* kNetworkGroups[] = {"TDI", "Streams Drivers", "PNP_TDI", "NDIS", "NetworkProvider"};

bool IsNetworkGroup(const std::optional<std::string>& group) {
    return group && std::any_of(std::begin(kNetworkGroups), std::end(kNetworkGroups),
                                [&](const char* name) { return EqualsNoCase(*group, name); });
}

// The INF paths of the network components and adapters that name a service,
// by the service's upper-cased name.
using InfEvidence = std::map<std::string, std::vector<std::optional<std::string>>>;

InfEvidence CollectInfEvidence(const NetworkConfig& network, std::vector<ErrorLine>& userErrors) {
    InfEvidence evidence;
    for (const auto* components : {&network.clients, &network.services, &network.protocols}) {
        for (const NetworkComponent& component : components->Items(userErrors)) {
            if (component.service) evidence[UpperAscii(*component.service)].push_back(component.infPath);
            for (const std::string& name : component.coServices)
                evidence[UpperAscii(name)].push_back(component.infPath);
        }
    }
    for (const NetworkAdapter& adapter : network.adapters.Items(userErrors))
        if (adapter.service) evidence[UpperAscii(*adapter.service)].push_back(adapter.infPath);
    return evidence;
}

std::optional<std::string> StartText(std::optional<std::uint32_t> start) {
    static constexpr const char* kWords[] = {"boot", "system", "automatic", "manual", "disabled"};
    if (!start || *start >= std::size(kWords)) return std::nullopt;
    return kWords[*start];
}

std::optional<std::string> TypeText(std::optional<std::uint32_t> type) {
    if (!type) return std::nullopt;
    std::string words;
    switch (*type & ~0x100u) {
        case 0x1:
            words = "kernel driver";
            break;
        case 0x2:
            words = "file system driver";
            break;
        case 0x10:
            words = "own process";
            break;
        case 0x20:
            words = "shared process";
            break;
        case 0x50:
            words = "own process, per user";
            break;
        case 0x60:
            words = "shared process, per user";
            break;
        default:
            return std::nullopt;
    }
    if (*type & 0x100u) words += ", interactive";
    return words;
}

struct Evidence {
    Mark mark;
    std::optional<std::string> inf;  // the oemNN.inf that decided a 3p mark
};

Evidence MarkService(const Machine& machine, const std::string& name, const std::optional<std::string>& imagePath,
                     const std::optional<std::string>& displayName, const std::vector<std::string>& owners,
                     const InfEvidence& infs) {
    if (imagePath && IsOutsideWindows(*imagePath)) return {Mark::kThirdParty, std::nullopt};
    if (machine.lists().IsWindowsService(name)) return {Mark::kWindows, std::nullopt};

    std::vector<std::string> realOwners;
    for (const std::string& owner : owners)
        if (owner.front() != '!') realOwners.push_back(owner);
    const bool allOem = !realOwners.empty() && std::all_of(realOwners.begin(), realOwners.end(), IsOemInf);
    if (allOem) return {Mark::kThirdParty, realOwners.front()};

    const auto named = infs.find(UpperAscii(name));
    const auto* paths = named == infs.end() ? nullptr : &named->second;
    if (paths)
        for (const auto& inf : *paths)
            if (inf && IsOemInf(*inf)) return {Mark::kThirdParty, inf};
    if (displayName && StartsWithNoCase(*displayName, "@oem")) return {Mark::kThirdParty, std::nullopt};

    if (!realOwners.empty()) return {Mark::kWindows, std::nullopt};
    if (paths)
        for (const auto& inf : *paths)
            if (inf) return {Mark::kWindows, std::nullopt};
    return {Mark::kUnknown, std::nullopt};
}

}  // namespace

Block ReadServices(Machine& machine) {
    Block block{BlockId::kServices};
    const auto services = machine.ControlSet() ? machine.ControlSet()->OpenSubkey("Services") : nullptr;
    if (!services) {
        block.absent.emplace_back("Services");
        return block;
    }
    const InfEvidence infs = CollectInfEvidence(machine.Network(), block.errors);
    ForEachSubkey(*services, "Services", block.errors, [&](const std::string& name, const RegistryKey& key) {
        const std::optional<std::string> group = ReadText(key, "Group");
        if (!IsNetworkGroup(group)) return;
        const auto type = ReadNumber(key, "Type");
        const auto start = ReadNumber(key, "Start");
        const auto imagePath = ReadText(key, "ImagePath");
        const auto displayName = ReadText(key, "DisplayName");
        const Evidence evidence = MarkService(machine, name, imagePath, displayName, ReadTextList(key, "Owners"), infs);
        block.entries.push_back({evidence.mark,
                                 {{FieldId::kGroup, group},
                                  {FieldId::kName, name},
                                  {FieldId::kServiceType, DecimalText(type)},
                                  {FieldId::kServiceStart, DecimalText(start)},
                                  {FieldId::kImagePath, imagePath},
                                  {FieldId::kDisplayName, displayName},
                                  {FieldId::kServiceTypeText, TypeText(type)},
                                  {FieldId::kServiceStartText, StartText(start)},
                                  {FieldId::kDecidingInf, evidence.inf},
                                  VendorField(machine, evidence.inf),
                                  LastWriteField(key.LastWriteTime())}});
    });
    SortEntries(block, FieldId::kName);
    return block;
}

}  // namespace inventory
