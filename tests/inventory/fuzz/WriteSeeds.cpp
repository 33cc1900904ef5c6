// Writes the fuzz targets' seed corpora, well-formed blobs made by the
// tests' encoder: inventory_fuzz_seeds DIR makes DIR/catalog_entry and
// DIR/wfp_object.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "CatalogItemBytes.h"
#include "Lists.h"
#include "WfpBlobBuilder.h"

namespace {

using namespace inventory;
using Bytes = std::vector<std::uint8_t>;
using V = test::WfpValues;

void Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes CatalogEntry(std::uint32_t chainLength) {
    test::CatalogItemBytes item;
    item.PutText(0, "%SystemRoot%\\system32\\mswsock.dll");
    for (const auto& [offset, value] : {std::pair{296, 1001u}, {300, chainLength}, {336, 2u}, {348, 1u}, {352, 6u}})
        item.Put32(offset, value);
    for (std::uint32_t i = 0; i < 7; ++i) item.Put32(304 + 4 * i, i);
    item.PutUtf16(376, "MSAFD");
    return item.bytes;
}

// One condition of every value type, on one field, with match types 0 to 13.
std::vector<WfpCondition> EveryCondition(const Guid& field) {
    const Bytes sixteen(16, 0xFE), descriptor = {1, 0, 4, 0x80, 20, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0,
                                                 0, 0, 0, 0,    1,  1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
    const WfpValue values[] = {V::Value(kWfpEmpty),
                               V::Unsigned(kWfpUint8, 1),
                               V::Unsigned(kWfpUint16, 80),
                               V::Unsigned(kWfpUint32, 1),
                               V::Unsigned(kWfpUint64, 1),
                               V::Signed(kWfpInt8, -1),
                               V::Signed(kWfpInt16, -1),
                               V::Signed(kWfpInt32, -1),
                               V::Signed(kWfpInt64, -1),
                               V::Real(kWfpFloat, 1.5),
                               V::Real(kWfpDouble, 2.5),
                               V::Data(kWfpByteArray16, sixteen),
                               V::Data(kWfpByteBlob, {'S', 0, 0, 0}),
                               V::SidValue(V::MakeSid(5, {18})),
                               V::Data(kWfpSecurityDescriptor, descriptor),
                               V::Token(),
                               V::Data(kWfpTokenAccessInformation, {1}),
                               V::Text("app"),
                               V::Data(kWfpByteArray6, Bytes(6, 1)),
                               V::Unsigned(kWfpBitmapIndex, 3),
                               V::Data(kWfpBitmapArray64, Bytes(8, 2)),
                               V::Data(kWfpV4AddrMask, {}, 0xFF000000),
                               V::Data(kWfpV6AddrMask, sixteen, 64),
                               V::Range(V::Data(kWfpByteArray16, sixteen), V::Null(kWfpUint64)),
                               V::Null(kWfpByteBlob)};
    std::vector<WfpCondition> conditions;
    for (const WfpValue& value : values)
        conditions.push_back({field, static_cast<std::uint32_t>(conditions.size() % 14), value});
    return conditions;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: inventory_fuzz_seeds DIR\n";
        return 2;
    }
    const std::filesystem::path root = argv[1], catalog = root / "catalog_entry", wfp = root / "wfp_object";
    std::filesystem::create_directories(catalog);
    std::filesystem::create_directories(wfp);
    for (const std::uint32_t chainLength : {0u, 1u, 7u})
        Write(catalog / std::to_string(chainLength), CatalogEntry(chainLength));

    WfpProvider provider;
    provider.name = "Provider";
    provider.serviceName = "svc";
    provider.providerData = Bytes{1, 2};
    Write(wfp / "provider", test::EncodeWfpProvider(provider));
    WfpSublayer sublayer;
    sublayer.name = "Sublayer";
    sublayer.providerKey = test::MakeGuid(1);
    sublayer.weight = 0x8000;
    Write(wfp / "sublayer", test::EncodeWfpSublayer(sublayer));
    WfpCallout callout;
    callout.name = "Callout";
    callout.providerKey = test::MakeGuid(1);
    callout.securityDescriptor = {1, 0, 4, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Write(wfp / "callout", test::EncodeWfpCallout(callout));
    WfpFilter filter;
    filter.name = "Filter";
    filter.providerKey = test::MakeGuid(1);
    filter.actionType = 0x1001;
    filter.weight = V::Unsigned(kWfpUint64, ~0ull);
    filter.effectiveWeight = V::Unsigned(kWfpUint8, 1);
    filter.conditions = EveryCondition(test::MakeGuid(9));
    Write(wfp / "filter-every-condition", test::EncodeWfpFilter(filter));
    filter.conditions = EveryCondition(test::ParseGuid(Lists::Builtin().ConditionGuid("IP_REMOTE_ADDRESS")));
    Write(wfp / "filter-every-address-condition", test::EncodeWfpFilter(filter));
    filter.flags = WfpFilter::kHasProviderContext;
    filter.providerContextKey = test::MakeGuid(2);
    filter.reserved = test::MakeGuid(3);
    filter.weight = WfpValue();
    filter.conditions.resize(3);
    Write(wfp / "filter-provider-context", test::EncodeWfpFilter(filter));
    return 0;
}
