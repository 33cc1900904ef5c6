#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "DecodeError.h"
#include "WfpBlobBuilder.h"
#include "WfpDecoders.h"

namespace inventory {
namespace {

using test::MakeGuid;
using Bytes = std::vector<std::uint8_t>;
using V = test::WfpValues;

WfpFilter FullFilter() {
    WfpFilter f;
    f.key = MakeGuid(1);
    f.name = "Block agent";
    f.description = "";
    f.flags = 1;
    f.providerKey = MakeGuid(2);
    f.providerData = Bytes{1, 2, 3};
    f.layerKey = MakeGuid(3);
    f.subLayerKey = MakeGuid(4);
    f.weight = V::Unsigned(kWfpUint64, ~0ull);
    WfpValue range = V::Value(kWfpRange), blob = V::Value(kWfpByteBlob);
    range.range = {V::Unsigned(kWfpUint64, 7), V::Unsigned(kWfpUint8, 9)};
    blob.bytes = {'S', 0, 0, 0};
    // Pointees of several kinds, to check they follow in condition order.
    f.conditions = {{MakeGuid(5), 5, range},
                    {MakeGuid(6), 0, blob},
                    {MakeGuid(7), 6, V::Unsigned(kWfpUint8, 4)},
                    {MakeGuid(8), 0, V::Unsigned(kWfpUint64, 1)}};
    f.actionType = 0x1001;
    f.actionKey = MakeGuid(11);
    f.rawContext = 0x1122334455667788;
    f.reserved = MakeGuid(12);
    f.filterId = 70000;
    f.effectiveWeight = V::Unsigned(kWfpUint64, 0x1000E1C200000000);
    f.securityDescriptor = {1, 0, 4, 0x80};
    return f;
}

// Decoding and encoding again gives the same bytes when the decoder read
// every field the encoder wrote, from where it wrote it.
TEST(WfpFilterDecoder, DecodesEveryFieldTheEncoderWrote) {
    struct Row {
        const char* name;
        std::function<void(WfpFilter&)> change;
    } rows[] = {
        {"every field", [](WfpFilter&) {}},
        {"no name", [](WfpFilter& f) { f.name.reset(); }},
        {"no description", [](WfpFilter& f) { f.description.reset(); }},
        {"no providerKey", [](WfpFilter& f) { f.providerKey.reset(); }},
        {"no providerData", [](WfpFilter& f) { f.providerData.reset(); }},
        {"no reserved", [](WfpFilter& f) { f.reserved.reset(); }},
        {"no conditions", [](WfpFilter& f) { f.conditions.clear(); }},
        {"null weight pointees", [](WfpFilter& f) { f.weight.null = f.effectiveWeight.null = true; }},
        {"empty weights", [](WfpFilter& f) { f.weight = f.effectiveWeight = WfpValue(); }},
        {"UINT8 weight", [](WfpFilter& f) { f.weight = V::Unsigned(kWfpUint8, 15); }},
        {"provider context",
         [](WfpFilter& f) {
             f.flags |= 4;
             f.providerContextKey = MakeGuid(13);
         }},
        {"provider context, empty weight",
         [](WfpFilter& f) {
             f.flags |= 4;
             f.providerContextKey = MakeGuid(13);
             f.weight = WfpValue();
         }},
        {"callout action", [](WfpFilter& f) { f.actionType = 0x5003; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WfpFilter filter = FullFilter();
        row.change(filter);
        const Bytes blob = test::EncodeWfpFilter(filter);
        EXPECT_EQ(blob, test::EncodeWfpFilter(DecodeWfpFilter(blob.data(), blob.size())));
    }
}

TEST(WfpObjectDecoder, DecodesProvidersSublayersAndCalloutsWithEachPointerNull) {
    for (int nulled = -1; nulled < 4; ++nulled) {
        SCOPED_TRACE(nulled);
        const auto keep = [&](int field) { return field != nulled; };
        WfpProvider p;
        WfpSublayer s;
        WfpCallout c;
        p.key = s.key = c.key = MakeGuid(1);
        if (keep(0)) p.name = s.name = c.name = "McAfee Inc.";
        if (keep(1)) p.description = s.description = c.description = "";
        if (keep(2)) p.providerData = s.providerData = c.providerData = Bytes{9, 8};
        if (keep(3)) {
            p.serviceName = "mfevtp";
            s.providerKey = c.providerKey = MakeGuid(2);
        }
        s.weight = 0x8001;
        c.applicableLayer = MakeGuid(3);
        c.calloutId = 291;
        c.securityDescriptor = {1, 2, 3};

        Bytes blob = test::EncodeWfpProvider(p);
        const WfpProvider provider = std::get<WfpProvider>(DecodeWfpObject(blob.data(), blob.size()));
        EXPECT_EQ(blob, test::EncodeWfpProvider(provider));
        EXPECT_EQ(p.serviceName, provider.serviceName);
        EXPECT_THROW(DecodeWfpFilter(blob.data(), blob.size()), DecodeError);  // a provider is not a filter
        blob = test::EncodeWfpSublayer(s);
        EXPECT_EQ(blob, test::EncodeWfpSublayer(std::get<WfpSublayer>(DecodeWfpObject(blob.data(), blob.size()))));
        blob = test::EncodeWfpCallout(c);
        EXPECT_EQ(blob, test::EncodeWfpCallout(std::get<WfpCallout>(DecodeWfpObject(blob.data(), blob.size()))));
    }
}

Bytes Provider() {
    WfpProvider p;
    p.name = "MARK";  // its string at value offset 104 (B+44): max, offset, actual
    p.securityDescriptor = {1, 2};
    return test::EncodeWfpProvider(p);
}

// No deferred data before the conditions: numFilterConditions at value offset
// 148 (B+88), the condition array at 224: its count, then fieldKey, matchType
// at 244, the value's type at 248 and 252, its arm at 256; a pointee at 260.
Bytes Filter(WfpValue value) {
    WfpFilter f;
    f.actionType = 0x1001;
    f.effectiveWeight = V::Unsigned(kWfpUint8, 1);
    f.conditions = {{MakeGuid(1), 0, std::move(value)}};
    return test::EncodeWfpFilter(f);
}

Bytes WithBody(Bytes body) {
    body[0] = 1;  // the object pointer; then a provider's flat part of zeros
    return test::WrapWfpPickle(0, body, {});
}

TEST(WfpObjectDecoder, RejectsBlobsThatDoNotHoldAWholeObject) {
    const Bytes provider = Provider(), filter = Filter(V::Unsigned(kWfpUint8, 1)),
                stringFilter = Filter(V::Text("MARK")),
                rangeFilter = Filter(V::Range(V::Unsigned(kWfpUint16, 1), V::Unsigned(kWfpUint16, 2)));
    Bytes nonZeroPadding(45);
    nonZeroPadding[44] = 1;
    struct Row {
        const char* name;
        Bytes blob;
        std::vector<std::pair<std::size_t, std::uint32_t>> patches;
        const char* reason;
    } rows[] = {
        {"cut inside the header", Bytes(provider.begin(), provider.begin() + 10), {}, "outer header runs past the end"},
        {"not a pickle", provider, {{0, 0x00081101}}, "not a type-serialisation header"},
        {"outer length", provider, {{8, 8}}, "outer header declares 8 bytes"},
        {"inner pickle past the end",
         provider,
         {{24, 0x7FFFFFF0}, {40, 0x7FFFFFF0}},
         "inner pickle count 2147483632 at offset 40 exceeds what is left"},
        {"inner sizes differ", provider, {{24, 8}}, "where its size says 8"},
        {"inner header", provider, {{44, 0}}, "inner header at offset 44"},
        {"null object pointer", provider, {{16, 0}}, "object pointer is null"},
        {"null body pointer", provider, {{60, 0}}, "body's object pointer is null"},
        {"unknown object type", provider, {{20, 1}}, "object type 1 is not"},
        {"descriptor size", provider, {{32, 3}}, "security descriptor holds 2 bytes"},
        {"name past the end",
         provider,
         {{104, 4000}, {112, 4000}},
         "name string runs past the end of the blob (declared 4000 units at offset 104"},
        {"string offset", provider, {{108, 1}}, "not a whole string"},
        {"8 zero bytes after the body", WithBody(Bytes(52)), {}, "12 bytes follow the end of the object at offset 104"},
        {"non-zero padding after the body", WithBody(nonZeroPadding), {}, "not all zero"},
        {"condition count past the end",
         filter,
         {{148, 1u << 28}, {224, 1u << 28}},
         "conditions count 268435456 at offset 224 exceeds"},
        {"condition counts differ", filter, {{148, 2}}, "holds 1 conditions where numFilterConditions is 2"},
        {"conditions without their array", filter, {{152, 0}}, "condition pointer is null"},
        {"unknown value type",
         filter,
         {{248, 21}, {252, 21}},
         "condition 1 value at offset 248 has type 21, not one this value can hold"},
        {"range in a range",
         rangeFilter,
         {{260, 0x102}, {264, 0x102}},
         "condition 1 value low at offset 260 has type 258, not one"},
        {"value type and arm differ", filter, {{252, 2}}, "has type 1 but union arm 2"},
        {"action arm", filter, {{160, 0x4000}}, "action union arm 16384"},
        {"context arm", filter, {{180, 4}}, "context union arm 4"},
        {"condition string past the end",
         stringFilter,
         {{260, 1000}, {268, 1000}},
         "condition 1 value string runs past the end"},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& [offset, value] : row.patches) std::memcpy(&row.blob.at(offset), &value, sizeof value);
        try {
            DecodeWfpObject(row.blob.data(), row.blob.size());
            ADD_FAILURE() << "decoded";
        } catch (const DecodeError& error) {
            EXPECT_NE(std::string::npos, std::string(error.what()).find(row.reason)) << error.what();
        }
    }
}

}  // namespace
}  // namespace inventory
