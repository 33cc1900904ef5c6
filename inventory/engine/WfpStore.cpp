#include "WfpStore.h"

#include "DecodeError.h"
#include "WfpDecoders.h"

namespace inventory {
namespace {

template <typename Object, typename Decode>
KeyContents<Object> ReadObjects(const RegistryKey* controlSet, const char* kind, Decode decode) {
    KeyContents<Object> read;
    read.path = std::string(kWfpPersistentPath) + "\\" + kind;
    try {
        const auto key = controlSet ? OpenPath(*controlSet, read.path) : nullptr;
        if (!key) return read;
        read.present = true;
        for (const std::string& name : key->ValueNames()) {
            try {
                const std::optional<RawValue> value = key->ReadValue(name);
                if (!value) continue;
                if (value->type != kRegBinary) throw DecodeError("not a REG_BINARY value");
                read.items.push_back(decode(value->data.data(), value->data.size()));
            } catch (const std::runtime_error& error) {  // a ReadError or a DecodeError
                read.errors.push_back({read.path + "\\" + name, error.what()});
            }
        }
    } catch (const ReadError& error) {
        read.errors.push_back({read.path, error.what()});
    }
    return read;
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
        store.filters.errors.push_back({kWfpBootTimeFiltersPath, error.what()});
    }
    return store;
}

const WfpProvider* WfpStore::FindProvider(const Guid& key) const {
    for (const WfpProvider& provider : providers.items)
        if (provider.key == key) return &provider;
    return nullptr;
}

}  // namespace inventory
