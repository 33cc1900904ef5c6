#include "WfpBodies.h"

namespace inventory {

void ReadWfpObjectPointer(NdrCursor& cursor) {
    if (!cursor.Pointer("object pointer")) cursor.Fail("the body's object pointer is null");
}

WfpBlobFlat ReadWfpBlobFlat(NdrCursor& cursor, const char* what) {
    WfpBlobFlat flat;
    flat.size = cursor.U32(what);
    flat.present = cursor.Pointer(what);
    return flat;
}

std::optional<std::vector<std::uint8_t>> ReadWfpBlobPointee(NdrCursor& cursor, const WfpBlobFlat& flat,
                                                            const char* what) {
    if (!flat.present) return std::nullopt;
    return cursor.CountedBytes(flat.size, what);
}

WfpProvider ReadWfpProviderBody(NdrCursor& cursor) {
    ReadWfpObjectPointer(cursor);
    WfpProvider provider;
    provider.key = cursor.ReadGuid("providerKey");
    const bool hasName = cursor.Pointer("name");
    const bool hasDescription = cursor.Pointer("description");
    provider.flags = cursor.U32("flags");
    const WfpBlobFlat data = ReadWfpBlobFlat(cursor, "providerData");
    const bool hasServiceName = cursor.Pointer("serviceName");
    if (hasName) provider.name = cursor.String("name");
    if (hasDescription) provider.description = cursor.String("description");
    provider.providerData = ReadWfpBlobPointee(cursor, data, "providerData");
    if (hasServiceName) provider.serviceName = cursor.String("serviceName");
    return provider;
}

WfpSublayer ReadWfpSublayerBody(NdrCursor& cursor) {
    ReadWfpObjectPointer(cursor);
    WfpSublayer sublayer;
    sublayer.key = cursor.ReadGuid("subLayerKey");
    const bool hasName = cursor.Pointer("name");
    const bool hasDescription = cursor.Pointer("description");
    sublayer.flags = cursor.U32("flags");
    const bool hasProviderKey = cursor.Pointer("providerKey");
    const WfpBlobFlat data = ReadWfpBlobFlat(cursor, "providerData");
    sublayer.weight = cursor.U16("weight");
    if (hasName) sublayer.name = cursor.String("name");
    if (hasDescription) sublayer.description = cursor.String("description");
    if (hasProviderKey) sublayer.providerKey = cursor.ReadGuid("providerKey");
    sublayer.providerData = ReadWfpBlobPointee(cursor, data, "providerData");
    return sublayer;
}

WfpCallout ReadWfpCalloutBody(NdrCursor& cursor) {
    ReadWfpObjectPointer(cursor);
    WfpCallout callout;
    callout.key = cursor.ReadGuid("calloutKey");
    const bool hasName = cursor.Pointer("name");
    const bool hasDescription = cursor.Pointer("description");
    callout.flags = cursor.U32("flags");
    const bool hasProviderKey = cursor.Pointer("providerKey");
    const WfpBlobFlat data = ReadWfpBlobFlat(cursor, "providerData");
    callout.applicableLayer = cursor.ReadGuid("applicableLayer");
    callout.calloutId = cursor.U32("calloutId");
    if (hasName) callout.name = cursor.String("name");
    if (hasDescription) callout.description = cursor.String("description");
    if (hasProviderKey) callout.providerKey = cursor.ReadGuid("providerKey");
    callout.providerData = ReadWfpBlobPointee(cursor, data, "providerData");
    return callout;
}

}  // namespace inventory
