#include "FieldTraits.h"

#include <iterator>

namespace inventory {
namespace {

using T = FieldTraits;
constexpr unsigned kBoth = T::kInLine | T::kInText;

// In FieldId's order.
constexpr FieldTraits kTraits[] = {
    {FieldId::kGroup, "group", T::kText, kBoth},
    {FieldId::kName, "name", T::kText, kBoth},
    // The text view writes the service's type and start in words instead.
    {FieldId::kServiceType, "type", T::kNumber, T::kInLine},
    {FieldId::kServiceStart, "start", T::kNumber, T::kInLine},
    {FieldId::kImagePath, "imagePath", T::kText, kBoth},
    {FieldId::kDisplayName, "displayName", T::kText, kBoth},
    {FieldId::kServiceTypeText, "typeText", T::kWord, T::kInText},
    {FieldId::kServiceStartText, "startText", T::kWord, T::kInText},
    {FieldId::kDecidingInf, "inf", T::kText, T::kInText},
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
    {FieldId::kInstallTime, "installTime", T::kWord, T::kInText},
    {FieldId::kVendor, "vendor", T::kText, T::kInText},
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
    {FieldId::kLayers, "layers", T::kText, T::kInText},
    {FieldId::kServiceImagePath, "serviceImagePath", T::kText, T::kInText},
    {FieldId::kServiceDisplayName, "serviceDisplayName", T::kText, T::kInText},
    {FieldId::kProviderKey, "providerKey", T::kWord, kBoth},
    {FieldId::kCalloutId, "calloutId", T::kNumber, kBoth},
    // The text view names the layer instead.
    {FieldId::kApplicableLayer, "applicableLayer", T::kText, T::kInLine},
    {FieldId::kCalloutLayer, "layer", T::kText, T::kInText},
    {FieldId::kFilterKey, "filterKey", T::kText, kBoth},
    {FieldId::kFilterLayer, "layer", T::kText, kBoth},
    {FieldId::kAction, "action", T::kWord, kBoth},
    {FieldId::kWeight, "weight", T::kWord, kBoth},
    {FieldId::kConditions, "conditions", T::kWord, kBoth},
    {FieldId::kDetail, "description", T::kText, T::kInText},
    {FieldId::kProviderName, "providerName", T::kText, T::kInText},
    {FieldId::kProgram, "program", T::kText, T::kInText},
    {FieldId::kFilterFlags, "flags", T::kNumber, T::kInText},
    {FieldId::kSubLayerKey, "subLayerKey", T::kText, T::kInText},
    // What only matters for diffing stays out of the text view.
    {FieldId::kEffectiveWeight, "effectiveWeight", T::kWord, T::kJsonOnly},
    {FieldId::kFilterId, "filterId", T::kNumber, T::kJsonOnly},
    {FieldId::kActionKey, "actionKey", T::kText, T::kJsonOnly},
    {FieldId::kProviderContextKey, "providerContextKey", T::kText, T::kInText},
    {FieldId::kRawContext, "rawContext", T::kNumber, T::kJsonOnly},
    {FieldId::kProviderData, "providerData", T::kText, T::kInText},
    {FieldId::kPosition, "position", T::kNumber, kBoth},
    {FieldId::kProviderPath, "providerPath", T::kText, kBoth},
    {FieldId::kLastWrite, "lastWrite", T::kWord, T::kInText},
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
