#include "FieldTraits.h"

#include <iterator>

namespace inventory {
namespace {

using T = FieldTraits;
constexpr unsigned kLine = T::kInLine | T::kInJson;
constexpr unsigned kText = T::kInText | T::kInJson;
constexpr unsigned kBoth = T::kInLine | T::kInText | T::kInJson;
constexpr unsigned kJsonOnly = T::kInJson;

// In FieldId's order.
constexpr FieldTraits kTraits[] = {
    {FieldId::kGroup, "group", T::kText, kBoth},
    {FieldId::kName, "name", T::kText, kBoth},
    // The text view writes the service's type and start in words instead.
    {FieldId::kServiceType, "type", T::kNumber, kLine},
    {FieldId::kServiceStart, "start", T::kNumber, kLine},
    {FieldId::kImagePath, "imagePath", T::kText, kBoth},
    {FieldId::kDisplayName, "displayName", T::kText, kBoth},
    {FieldId::kServiceTypeText, "typeText", T::kWord, kText},
    {FieldId::kServiceStartText, "startText", T::kWord, kText},
    {FieldId::kDecidingInf, "inf", T::kText, kText},
    {FieldId::kGuid, "guid", T::kText, kBoth},
    {FieldId::kFilterKind, "kind", T::kWord, kBoth},
    {FieldId::kComponentId, "componentId", T::kText, kBoth},
    {FieldId::kService, "service", T::kText, kBoth},
    {FieldId::kFilterClass, "filterClass", T::kText, kBoth},
    {FieldId::kFilterMode, "mode", T::kWord, kBoth},
    {FieldId::kFilterRun, "run", T::kWord, kBoth},
    {FieldId::kBoundAdapters, "bound", T::kNumber, kBoth},
    {FieldId::kInfPath, "infPath", T::kText, kBoth},
    {FieldId::kDescription, "description", T::kText, kBoth},
    {FieldId::kInstallTime, "installTime", T::kWord, kText},
    {FieldId::kVendor, "vendor", T::kText, kText},
    {FieldId::kAdapter, "adapter", T::kWord, kBoth},
    {FieldId::kNetCfgInstanceId, "netCfgInstanceId", T::kText, kBoth},
    {FieldId::kDriverDesc, "driverDesc", T::kText, kBoth},
    {FieldId::kAdapterFilters, "filters", T::kText, kBoth},
    {FieldId::kCatalog, "catalog", T::kWord, kBoth},
    {FieldId::kCatalogEntry, "entry", T::kWord, kBoth},
    {FieldId::kCatalogEntryId, "catalogEntryId", T::kNumber, kBoth},
    {FieldId::kCatalogKind, "kind", T::kWord, kBoth},
    {FieldId::kChain, "chain", T::kWord, kBoth},
    {FieldId::kProviderId, "providerId", T::kText, kBoth},
    {FieldId::kAfTypeProtocol, "afTypeProtocol", T::kWord, kBoth},
    {FieldId::kDll, "dll", T::kText, kBoth},
    {FieldId::kProtocolName, "protocol", T::kText, kBoth},
    {FieldId::kSupportedNameSpace, "supportedNameSpace", T::kNumber, kBoth},
    {FieldId::kEnabled, "enabled", T::kNumber, kBoth},
    {FieldId::kLibraryPath, "libraryPath", T::kText, kBoth},
    {FieldId::kDisplayString, "displayString", T::kText, kBoth},
    {FieldId::kKey, "key", T::kText, kBoth},
    {FieldId::kServiceName, "serviceName", T::kText, kBoth},
    {FieldId::kSublayerCount, "sublayers", T::kNumber, kBoth, "sublayers="},
    {FieldId::kCalloutCount, "callouts", T::kNumber, kBoth, "callouts="},
    {FieldId::kFilterCount, "filters", T::kNumber, kBoth, "filters="},
    {FieldId::kLayers, "layers", T::kText, kText},
    {FieldId::kServiceImagePath, "serviceImagePath", T::kText, kText},
    {FieldId::kServiceDisplayName, "serviceDisplayName", T::kText, kText},
    {FieldId::kProviderKey, "providerKey", T::kWord, kBoth},
    {FieldId::kCalloutId, "calloutId", T::kNumber, kBoth},
    // The text view names the layer instead.
    {FieldId::kApplicableLayer, "applicableLayer", T::kText, kLine},
    {FieldId::kCalloutLayer, "layer", T::kText, kText},
    {FieldId::kFilterKey, "filterKey", T::kText, kBoth},
    {FieldId::kFilterLayer, "layer", T::kText, kBoth},
    {FieldId::kAction, "action", T::kWord, kBoth},
    {FieldId::kWeight, "weight", T::kWord, kBoth},
    {FieldId::kConditions, "conditions", T::kWord, kBoth},
    {FieldId::kDetail, "description", T::kText, kText},
    {FieldId::kProviderName, "providerName", T::kText, kText},
    {FieldId::kProgram, "program", T::kText, kText},
    {FieldId::kFilterFlags, "flags", T::kNumber, kText},
    {FieldId::kSubLayerKey, "subLayerKey", T::kText, kText},
    // What only matters for diffing stays out of the text view.
    {FieldId::kEffectiveWeight, "effectiveWeight", T::kWord, kJsonOnly},
    {FieldId::kFilterId, "filterId", T::kNumber, kJsonOnly},
    {FieldId::kActionKey, "actionKey", T::kText, kJsonOnly},
    {FieldId::kProviderContextKey, "providerContextKey", T::kText, kText},
    {FieldId::kRawContext, "rawContext", T::kNumber, kJsonOnly},
    {FieldId::kProviderData, "providerData", T::kText, kText},
    {FieldId::kPosition, "position", T::kNumber, kBoth},
    {FieldId::kProviderPath, "providerPath", T::kText, kBoth},
    {FieldId::kProfile, "profile", T::kWord, kBoth},
    // The text view writes a profile's numbers in words instead.
    {FieldId::kEnableFirewall, "enableFirewall", T::kNumber, kLine},
    {FieldId::kDefaultInboundAction, "defaultInboundAction", T::kNumber, kLine},
    {FieldId::kDefaultOutboundAction, "defaultOutboundAction", T::kNumber, kLine},
    {FieldId::kDisableNotifications, "disableNotifications", T::kNumber, kLine},
    {FieldId::kFirewallState, "firewall", T::kWord, T::kInText},
    {FieldId::kInboundDefault, "inbound", T::kWord, T::kInText},
    {FieldId::kOutboundDefault, "outbound", T::kWord, T::kInText},
    {FieldId::kNotifications, "notifications", T::kWord, T::kInText},
    // JSON writes a rule's own fields by their keys (Entry::stored) instead.
    {FieldId::kRuleId, "id", T::kText, kLine},
    {FieldId::kRuleVersion, "version", T::kWord, kJsonOnly},
    {FieldId::kRuleAction, "action", T::kWord, T::kInLine | T::kInText},
    {FieldId::kRuleActive, "active", T::kWord, T::kInLine},
    {FieldId::kRuleDirection, "direction", T::kWord, T::kInLine | T::kInText},
    {FieldId::kRuleProtocol, "protocol", T::kWord, T::kInLine},
    {FieldId::kRuleProfiles, "profiles", T::kWord, T::kInLine},
    {FieldId::kRuleProgram, "program", T::kWord, T::kInLine | T::kInText},
    {FieldId::kRuleService, "service", T::kWord, T::kInLine},
    {FieldId::kRuleLocalPorts, "localPorts", T::kWord, T::kInLine | T::kInText},
    {FieldId::kRuleRemotePorts, "remotePorts", T::kWord, T::kInLine | T::kInText},
    {FieldId::kRuleRemoteAddresses, "remoteAddresses", T::kWord, T::kInLine | T::kInText},
    {FieldId::kRuleName, "name", T::kWord, T::kInLine | T::kInText},
    {FieldId::kVerdict, "verdict", T::kWord, kLine},
    {FieldId::kVerdictSubject, "subject", T::kWord, kLine},
    {FieldId::kBlockedProgram, "program", T::kWord, kLine},
    {FieldId::kBlockingRule, "rule", T::kWord, kLine},
    {FieldId::kLastWrite, "lastWrite", T::kWord, kText},
};

constexpr bool InFieldIdOrder() {
    for (std::size_t i = 0; i < std::size(kTraits); ++i)
        if (static_cast<std::size_t>(kTraits[i].id) != i) return false;
    return static_cast<std::size_t>(FieldId::kLastWrite) + 1 == std::size(kTraits);
}
static_assert(InFieldIdOrder(), "one row per FieldId, in its order");

}  // namespace

const FieldTraits& TraitsOf(FieldId id) {
    return kTraits[static_cast<std::size_t>(id)];
}

}  // namespace inventory
