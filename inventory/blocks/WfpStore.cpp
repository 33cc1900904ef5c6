#include "WfpStore.h"

#include "DecodeError.h"
#include "WfpDecoders.h"

namespace inventory {
namespace {

template <typename Object, typename Decode>
KeyContents<Object> ReadObjects(const RegistryKey* controlSet, const char* kind, Decode decode) {
    return ReadValues<Object>(controlSet, std::string(kWfpPersistentPath) + "\\" + kind,
                              [&](const std::string&, const RawValue& value) {
                                  if (value.type != kRegBinary) throw DecodeError("not a REG_BINARY value");
                                  return decode(value.data.data(), value.data.size());
                              });
}

}  // namespace

WfpStore WfpStore::Read(const RegistryKey* controlSet) {
    WfpStore store;
    store.providers =
        ReadObjects<WfpProvider>(controlSet, "Provider", [](auto... a) { return DecodeWfpProvider(a...); });
    store.sublayers =
        ReadObjects<WfpSublayer>(controlSet, "SubLayer", [](auto... a) { return DecodeWfpSublayer(a...); });
    store.callouts = ReadObjects<WfpCallout>(controlSet, "Callout", [](auto... a) { return DecodeWfpCallout(a...); });
    store.filters = ReadObjects<WfpFilter>(controlSet, "Filter", [](auto... a) { return DecodeWfpFilter(a...); });
    try {
        if (const auto bootTime = controlSet ? OpenPath(*controlSet, kWfpBootTimeFiltersPath) : nullptr)
            store.bootTimeFilters = bootTime->ValueNames().size();
    } catch (const ReadError& error) {
        store.filters.AddError({kWfpBootTimeFiltersPath, error.what()});
    }
    return store;
}

const WfpProvider* WfpStore::FindProvider(const Guid& key, std::vector<ErrorLine>& userErrors) const {
    for (const WfpProvider& provider : providers.Items(userErrors))
        if (provider.key == key) return &provider;
    return nullptr;
}

}  // namespace inventory
