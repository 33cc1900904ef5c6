#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <sstream>

#include "DecodeError.h"
#include "WfpBlobBuilder.h"
#include "WfpDecoders.h"

namespace inventory {
namespace {

using test::MakeGuid;
using Bytes = std::vector<std::uint8_t>;

std::string Text(const std::optional<std::string>& text) {
    return text ? "'" + *text + "'" : "null";
}
std::string Text(const std::optional<Guid>& guid) {
    return guid ? guid->Text() : "null";
}
std::string Text(const std::optional<Bytes>& data) {
    if (!data) return "null";
    std::string text = "[";
    for (const std::uint8_t byte : *data) text += std::to_string(byte) + " ";
    return text + "]";
}

std::string Describe(const WfpValue& v) {
    std::ostringstream out;
    out << "type " << v.type << (v.null ? " null" : "") << " u" << v.unsignedNumber << " s" << v.signedNumber << " r"
        << v.real << " " << Text(std::optional<Bytes>(v.bytes)) << " '" << v.text << "' m" << v.mask << " sid"
        << v.sid.subAuthorities.size() << " token" << v.token.sids.size() << "/" << v.token.restrictedSids.size();
    for (const WfpValue& side : v.range) out << " {" << Describe(side) << "}";
    return out.str();
}

std::string Describe(const WfpFilter& f) {
    std::ostringstream out;
    out << f.key.Text() << Text(f.name) << Text(f.description) << f.flags << Text(f.providerKey) << Text(f.providerData)
        << f.layerKey.Text() << f.subLayerKey.Text() << " weight " << Describe(f.weight) << " action " << f.actionType
        << f.actionKey.Text() << " context " << Text(f.providerContextKey) << f.rawContext << Text(f.reserved) << " id "
        << f.filterId << " effective " << Describe(f.effectiveWeight) << Text(f.securityDescriptor);
    for (const WfpCondition& c : f.conditions)
        out << "\n  " << c.fieldKey.Text() << " " << c.matchType << " " << Describe(c.value);
    return out.str();
}

WfpValue Number(std::uint32_t type, std::uint64_t number) {
    WfpValue value;
    value.type = type;
    value.unsignedNumber = number;
    return value;
}

WfpCondition Condition(std::uint8_t field, std::uint32_t match, WfpValue value) {
    return {MakeGuid(field), match, std::move(value)};
}

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
    f.weight = Number(kWfpUint64, 0xFFFFFFFFFFFFFFFF);
    WfpValue range;
    range.type = kWfpRange;
    range.range = {Number(kWfpUint64, 7), Number(kWfpUint8, 9)};
    WfpValue blob;
    blob.type = kWfpByteBlob;
    blob.bytes = {'S', 0, 0, 0};
    WfpValue text;
    text.type = kWfpUnicodeString;
    text.text = "x";
    WfpValue sid;
    sid.type = kWfpSid;
    sid.sid.authority[5] = 5;
    sid.sid.subAuthorities = {18};
    // Pointees of several kinds, to check they follow in condition order.
    f.conditions = {Condition(5, 5, range), Condition(6, 0, blob), Condition(7, 0, Number(kWfpUint64, 1ull << 40)),
                    Condition(8, 0, text),  Condition(9, 0, sid),  Condition(10, 6, Number(kWfpUint8, 4))};
    f.actionType = 0x1001;
    f.actionKey = MakeGuid(11);
    f.rawContext = 0x1122334455667788;
    f.reserved = MakeGuid(12);
    f.filterId = 70000;
    f.effectiveWeight = Number(kWfpUint64, 0x1000E1C200000000);
    f.securityDescriptor = {1, 0, 4, 0x80};
    return f;
}

TEST(WfpFilterDecoder, DecodesWhatTheEncoderWrote) {
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
        {"no security descriptor", [](WfpFilter& f) { f.securityDescriptor.clear(); }},
        {"null weight pointees",
         [](WfpFilter& f) {
             f.weight = f.effectiveWeight = WfpValue();
             f.weight.type = f.effectiveWeight.type = kWfpUint64;
             f.weight.null = f.effectiveWeight.null = true;
         }},
        {"empty weights", [](WfpFilter& f) { f.weight = f.effectiveWeight = WfpValue(); }},
        {"UINT8 weight", [](WfpFilter& f) { f.weight = Number(kWfpUint8, 15); }},
        {"provider context",
         [](WfpFilter& f) {
             f.flags |= WfpFilter::kHasProviderContext;
             f.providerContextKey = MakeGuid(13);
             f.rawContext = 0;
         }},
        {"provider context, empty weight",
         [](WfpFilter& f) {
             f.flags |= WfpFilter::kHasProviderContext;
             f.providerContextKey = MakeGuid(13);
             f.rawContext = 0;
             f.weight = WfpValue();
         }},
        {"callout action", [](WfpFilter& f) { f.actionType = 0x5003; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WfpFilter filter = FullFilter();
        row.change(filter);
        const Bytes blob = test::EncodeWfpFilter(filter);
        EXPECT_EQ(Describe(filter), Describe(DecodeWfpFilter(blob.data(), blob.size())));
    }
}

TEST(WfpObjectDecoder, DecodesProvidersSublayersAndCalloutsWithEachPointerNull) {
    for (int nulled = -1; nulled < 4; ++nulled) {
        SCOPED_TRACE(nulled);
        const auto keep = [&](int field) { return field != nulled; };
        WfpProvider p;
        p.key = MakeGuid(1);
        if (keep(0)) p.name = "McAfee Inc.";
        if (keep(1)) p.description = "McAfee Firewall";
        if (keep(2)) p.providerData = Bytes{9, 8};
        if (keep(3)) p.serviceName = "mfevtp";
        p.flags = 1;
        Bytes blob = test::EncodeWfpProvider(p);
        const auto provider = std::get<WfpProvider>(DecodeWfpObject(blob.data(), blob.size()));
        EXPECT_EQ(Text(p.name) + Text(p.description) + Text(p.providerData) + Text(p.serviceName) + p.key.Text(),
                  Text(provider.name) + Text(provider.description) + Text(provider.providerData) +
                      Text(provider.serviceName) + provider.key.Text());

        WfpCallout c;
        c.key = MakeGuid(2);
        if (keep(0)) c.name = "callout";
        if (keep(1)) c.description = "its description";
        if (keep(2)) c.providerData = Bytes{7};
        if (keep(3)) c.providerKey = MakeGuid(3);
        c.applicableLayer = MakeGuid(4);
        c.calloutId = 291;
        blob = test::EncodeWfpCallout(c);
        const auto callout = std::get<WfpCallout>(DecodeWfpObject(blob.data(), blob.size()));
        EXPECT_EQ(Text(c.name) + Text(c.description) + Text(c.providerData) + Text(c.providerKey) + " 291" +
                      c.applicableLayer.Text(),
                  Text(callout.name) + Text(callout.description) + Text(callout.providerData) +
                      Text(callout.providerKey) + " " + std::to_string(callout.calloutId) +
                      callout.applicableLayer.Text());

        WfpSublayer s;
        s.key = MakeGuid(5);
        if (keep(0)) s.name = "sublayer";
        if (keep(1)) s.description = "d";
        if (keep(2)) s.providerData = Bytes{};
        if (keep(3)) s.providerKey = MakeGuid(6);
        s.weight = 0x8001;
        blob = test::EncodeWfpSublayer(s);
        const auto sublayer = std::get<WfpSublayer>(DecodeWfpObject(blob.data(), blob.size()));
        EXPECT_EQ(Text(s.name) + Text(s.description) + Text(s.providerData) + Text(s.providerKey) + " 32769",
                  Text(sublayer.name) + Text(sublayer.description) + Text(sublayer.providerData) +
                      Text(sublayer.providerKey) + " " + std::to_string(sublayer.weight));
    }
}

void Put32(Bytes& blob, std::size_t offset, std::uint32_t value) {
    std::memcpy(&blob[offset], &value, sizeof value);
}

// Where the UTF-16 text `marker` starts in the blob.
std::size_t Find(const Bytes& blob, std::string_view marker) {
    const Bytes units = test::Utf16Bytes(marker);
    return static_cast<std::size_t>(std::search(blob.begin(), blob.end(), units.begin(), units.end()) - blob.begin());
}

Bytes Provider() {
    WfpProvider p;
    p.name = "MARK";
    p.serviceName = "svc";
    return test::EncodeWfpProvider(p);
}

// A filter without deferred data before its conditions: their count is at
// value offset 224 (B+164), numFilterConditions at 148 (B+88).
Bytes Filter(WfpValue value) {
    WfpFilter f;
    f.actionType = 0x1001;
    f.effectiveWeight = Number(kWfpUint8, 1);
    f.conditions = {Condition(1, 0, std::move(value))};
    return test::EncodeWfpFilter(f);
}

WfpValue StringValue(const char* text) {
    WfpValue value;
    value.type = kWfpUnicodeString;
    value.text = text;
    return value;
}

TEST(WfpObjectDecoder, RejectsBlobsThatDoNotHoldAWholeObject) {
    struct Row {
        const char* name;
        std::function<Bytes()> blob;
        const char* reason;
    } rows[] = {
        {"cut inside the header",
         [] {
             auto b = Provider();
             b.resize(10);
             return b;
         },
         "outer header runs past the end"},
        {"not a pickle",
         [] {
             auto b = Provider();
             b[1] = 0x11;
             return b;
         },
         "not a type-serialisation header"},
        {"outer length",
         [] {
             auto b = Provider();
             b[8] += 8;
             return b;
         },
         "outer header declares"},
        {"inner pickle longer than the value",
         [] {
             auto b = Provider();
             Put32(b, 24, 0x7FFFFFF0);
             Put32(b, 40, 0x7FFFFFF0);
             return b;
         },
         "inner pickle count 2147483632 at offset 40 exceeds what is left"},
        {"inner sizes differ",
         [] {
             auto b = Provider();
             Put32(b, 24, 8);
             return b;
         },
         "where its size says 8"},
        {"inner header",
         [] {
             auto b = Provider();
             b[45] = 0;
             return b;
         },
         "inner header at offset 44"},
        {"null object pointer",
         [] {
             auto b = Provider();
             Put32(b, 16, 0);
             return b;
         },
         "object pointer is null"},
        {"null body pointer",
         [] {
             auto b = Provider();
             Put32(b, 60, 0);
             return b;
         },
         "body's object pointer is null"},
        {"unknown object type",
         [] {
             auto b = Provider();
             Put32(b, 20, 1);
             return b;
         },
         "object type 1 is not"},
        {"name past the end",
         [] {
             auto b = Provider();
             const auto at = Find(b, "MARK");
             Put32(b, at - 12, 4000);
             Put32(b, at - 4, 4000);
             return b;
         },
         "name string runs past the end of the blob (declared 4000 units at offset 104"},
        {"string offset",
         [] {
             auto b = Provider();
             Put32(b, Find(b, "MARK") - 8, 1);
             return b;
         },
         "not a whole string"},
        {"12 zero bytes after the body",
         [] {
             Bytes body(44 + 12, 0);
             body[0] = 1;
             return test::WrapWfpPickle(0, body, {});
         },
         "12 bytes follow the end of the object at offset 104"},
        {"non-zero padding after the body",
         [] {
             Bytes body(44, 0);
             body[0] = 1;
             body.push_back(1);
             return test::WrapWfpPickle(0, body, {});
         },
         "not all zero"},
        {"descriptor size",
         [] {
             WfpProvider p;
             p.securityDescriptor = {1, 2};
             auto b = test::EncodeWfpProvider(p);
             Put32(b, 32, 3);
             return b;
         },
         "security descriptor holds 2 bytes"},
        {"condition count past the end",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 148, 1u << 28);
             Put32(b, 224, 1u << 28);
             return b;
         },
         "conditions count 268435456 at offset 224 exceeds"},
        {"condition counts differ",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 148, 2);
             return b;
         },
         "holds 1 conditions where numFilterConditions is 2"},
        {"conditions without their array",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 152, 0);
             return b;
         },
         "condition pointer is null"},
        {"unknown value type",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 248, 21);
             Put32(b, 252, 21);
             return b;
         },
         "condition 1 value at offset 248 has unknown type 21"},
        {"value type and arm differ",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 252, 2);
             return b;
         },
         "has type 1 but union arm 2"},
        {"action arm",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 160, 0x4000);
             return b;
         },
         "action union arm 16384"},
        {"context arm",
         [] {
             auto b = Filter(Number(kWfpUint8, 1));
             Put32(b, 180, 4);
             return b;
         },
         "context union arm 4"},
        {"condition string past the end",
         [] {
             auto b = Filter(StringValue("MARK"));
             Put32(b, Find(b, "MARK") - 4, 1000);
             Put32(b, Find(b, "MARK") - 12, 1000);
             return b;
         },
         "condition 1 value string runs past the end"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Bytes blob = row.blob();
        try {
            DecodeWfpObject(blob.data(), blob.size());
            ADD_FAILURE() << "decoded";
        } catch (const DecodeError& error) {
            EXPECT_NE(std::string::npos, std::string(error.what()).find(row.reason)) << error.what();
        }
    }
}

TEST(WfpObjectDecoder, TypedDecodersRefuseAnotherKind) {
    const Bytes provider = Provider();
    EXPECT_THROW(DecodeWfpFilter(provider.data(), provider.size()), DecodeError);
    EXPECT_THROW(DecodeWfpCallout(provider.data(), provider.size()), DecodeError);
    EXPECT_NO_THROW(DecodeWfpProvider(provider.data(), provider.size()));
}

}  // namespace
}  // namespace inventory
