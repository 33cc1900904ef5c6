#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "DecodeError.h"
#include "FuzzSeeds.h"
#include "Hex.h"
#include "Lists.h"
#include "SidText.h"
#include "TestHive.h"
#include "WfpBlobBuilder.h"
#include "WfpDecoders.h"
#include "WfpNames.h"
#include "WfpText.h"
#include "WfpValueText.h"

namespace inventory {
namespace {

using test::MakeGuid;
using Bytes = std::vector<std::uint8_t>;
using V = test::WfpValues;

// Filters that rpcrt4's NDR engine pickled (tools/ndr-pickles, under Wine),
// with the texts of what the generator put into each; a row leaves out the
// fields at its end that keep these defaults.
struct PickledFilter {
    const char* file;
    const char* key;
    const char* layer;
    const char* conditions;
    const char* name = "(absent)";  // a null pointer
    const char* description = "(absent)";
    std::uint32_t flags = 1;
    const char* weight = "-";
    const char* effectiveWeight = "-";
    const char* action = "block";
    const char* actionKey = "{00000000-0000-0000-0000-000000000000}";
    const char* providerKey = "-";
    const char* providerData = "(absent)";
    const char* context = "raw:0x0000000000000000";  // or the provider context key
    const char* reserved = "-";
    std::uint64_t filterId = 0;
    const char* securityDescriptor = "-";  // the object's own, as text
};

std::string ContextText(const WfpFilter& f) {
    if (f.providerContextKey) return f.providerContextKey->Text();
    char text[32];
    std::snprintf(text, sizeof text, "raw:0x%016llX", static_cast<unsigned long long>(f.rawContext));
    return text;
}

TEST(WfpFilterDecoder, ReadsFiltersThatAnIndependentNdrEngineWrote) {
    const PickledFilter rows[] = {
        {"plain-app-id-blob-uint64-weight", "{8A5D3F10-0001-4E5B-9C11-0A1B2C3D4E01}", "ALE_AUTH_CONNECT_V4",
         "ALE_APP_ID=\\device\\harddiskvolume2\\program files\\agent\\agent.exe", "Block agent", "Blocks one program",
         0x1, "0xFFFFFFFFFFFFFFFF", "0xFFFFFFFFFFFFFFFF"},
        {"sd-then-string", "{8A5D3F10-0002-4E5B-9C11-0A1B2C3D4E02}", "ALE_AUTH_RECV_ACCEPT_V4",
         "IP_LOCAL_PORT=443 & ALE_USER_ID=sd:O:S-1-5-18G:S-1-5-32-544D:(A;;0x1;;;S-1-1-0) & "
         "PEER_NAME[=i]server.example",
         "User and peer", "(absent)", 0x1, "9", "-", "permit"},
        {"nine-conditions-sd-8-app-id-9", "{8A5D3F10-0003-4E5B-9C11-0A1B2C3D4E03}", "ALE_AUTH_CONNECT_V6",
         "IP_PROTOCOL=6 & IP_REMOTE_PORT>1023 & IP_LOCAL_PORT<5000 & INTERFACE_INDEX!=12 & INTERFACE_TYPE=6 & "
         "FLAGS[none-set]0x40 & COMPARTMENT_ID=1 & "
         "ALE_USER_ID=sd:O:S-1-5-32-544G:S-1-5-18D:(A;;0x3;;;S-1-5-32-545)(D;;0x2;;;S-1-5-7) & "
         "ALE_APP_ID=\\device\\harddiskvolume3\\tools\\sensor.exe",
         "(absent)", "(absent)", 0x1, "-", "0x0123456789ABCDEF"},
        {"blob-then-sid-uint64-double", "{8A5D3F10-0004-4E5B-9C11-0A1B2C3D4E04}", "ALE_AUTH_CONNECT_V4",
         "ALE_APP_ID=0xDEADBEEF01 & ALE_PACKAGE_ID=S-1-15-2-1-2-3-4-5-6-7 & RESERVED0>1234605616436508552 & "
         "RESERVED1<-2.5 & ALE_APP_ID=System"},
        {"ranges-of-pointers", "{8A5D3F10-0005-4E5B-9C11-0A1B2C3D4E05}", "ALE_AUTH_CONNECT_V6",
         "IP_REMOTE_ADDRESS[range]fe80::..fe80::ffff:ffff & ALE_APP_ID[range]0x0102..zz & "
         "RESERVED0[range]5..1099511627776 & PEER_NAME[range]a..m & ALE_PACKAGE_ID[range]S-1-5-18..S-1-5-20 & "
         "IP_LOCAL_PORT[range]80..90 & "
         "ALE_USER_ID[range]sd:O:S-1-5-18..token:sids=S-1-5-32-544,null;restricted=S-1-5-12 & "
         "ALE_APP_ID=\\device\\x.exe"},
        {"token-information-and-access", "{8A5D3F10-0006-4E5B-9C11-0A1B2C3D4E06}", "ALE_AUTH_RECV_ACCEPT_V4",
         "CLIENT_TOKEN=token:sids=S-1-5-18,null,S-1-5-21-1-2-3-500;restricted=S-1-5-12 & REMOTE_USER_TOKEN=0x102030 & "
         "CLIENT_TOKEN=token:sids=;restricted= & PEER_NAME=after the tokens & ALE_EFFECTIVE_NAME[prefix]svc-"},
        {"inline-numbers-and-64-bit", "{8A5D3F10-0007-4E5B-9C11-0A1B2C3D4E07}", "ALE_AUTH_CONNECT_V4",
         "FLAGS[any-set]0x81 & IP_LOCAL_PORT=65535 & IP_LOCAL_ADDRESS_V4=192.168.0.1 & RESERVED0=-5 & RESERVED0=-300 & "
         "RESERVED0=-70000 & RESERVED1>1.5 & RESERVED1=42 & RESERVED1=empty & FLAGS[all-set]0x8000000000000001 & "
         "RESERVED0<-5000000000 & RESERVED1=0.10000000000000001 & IP_PROTOCOL=17"},
        {"byte-arrays-masks-after-short-arms", "{8A5D3F10-0008-4E5B-9C11-0A1B2C3D4E08}", "ALE_AUTH_CONNECT_V6",
         "IP_LOCAL_ADDRESS_V6=2001:db8::1 & IPSEC_POLICY_KEY=0x000102030405060708090A0B0C0D0E0F & "
         "IP_LOCAL_PORT[range]1000..2000 & MAC_LOCAL_ADDRESS=00-1A-2B-3C-4D-5E & L2_FLAGS=0x0100000000000080 & "
         "IP_REMOTE_ADDRESS=10.0.0.0/255.0.0.0 & IP_REMOTE_ADDRESS=fd00::/8 & IP_PROTOCOL=58"},
        {"provider-data-context-callout", "{8A5D3F10-0009-4E5B-9C11-0A1B2C3D4E09}", "ALE_AUTH_CONNECT_V4",
         "ALE_APP_ID=\\device\\harddiskvolume1\\windows\\system32\\svchost.exe", "Inspect", "", 0x45, "15", "200",
         "callout-terminating", "{77E4D6A1-2B3C-4D5E-9F60-718293A4B5C6}", "{5A1E0F2B-3C4D-4E5F-8A9B-0C1D2E3F4A5B}",
         "0xCAFE000102", "{0C0FFEE0-1111-2222-3333-444455556666}", "{99999999-8888-7777-6666-555544443333}", 65537,
         "O:S-1-5-18G:S-1-5-18D:(A;;0x1;;;S-1-5-32-544)"},
        {"no-names-no-conditions-empty-weights", "{8A5D3F10-000A-4E5B-9C11-0A1B2C3D4E0A}", "ALE_AUTH_CONNECT_V4", "-",
         "(absent)", "(absent)", 0x23, "-", "-", "permit", "{ABCDEF01-2345-6789-ABCD-EF0123456789}", "-", "(absent)",
         "raw:0x1122334455667788", "-", 123456789012, "O:S-1-5-32-544G:S-1-5-32-544D:(A;;0xF;;;S-1-5-18)"},
        {"null-and-empty-pointees", "{8A5D3F10-000B-4E5B-9C11-0A1B2C3D4E0B}", "ALE_AUTH_RECV_ACCEPT_V4",
         "ALE_APP_ID=null & ALE_APP_ID=0x & ALE_APP_ID=0x & PEER_NAME=null & PEER_NAME= & ALE_PACKAGE_ID=null & "
         "IP_REMOTE_ADDRESS[range]null & IP_REMOTE_ADDRESS[range]null..ff00:: & ALE_APP_ID=last",
         "(absent)", "only a description", 0x1, "null"},
        {"weights-with-pointees", "{8A5D3F10-000C-4E5B-9C11-0A1B2C3D4E0C}", "ALE_AUTH_CONNECT_V4",
         "ALE_USER_ID=sd:D:(A;;0x1;;;S-1-1-0) & ALE_APP_ID=x", "Weighed", "(absent)", 0x1, "0xAABBCC", "heavy"},
        {"every-pointer-arm-in-a-row", "{8A5D3F10-000D-4E5B-9C11-0A1B2C3D4E0D}", "ALE_AUTH_RECV_ACCEPT_V4",
         "RESERVED0=7 & ALE_USER_ID=sd:O:S-1-1-0 & REMOTE_USER_TOKEN=0x01020304050607 & ALE_APP_ID=0x61 & "
         "CLIENT_TOKEN=token:sids=S-1-1-0;restricted= & ALE_PACKAGE_ID=S-1-5-32-545 & PEER_NAME=odd & "
         "MAC_LOCAL_ADDRESS=01-02-03-04-05-06 & RESERVED1=-1 & L2_FLAGS=0xFF00000000000000 & "
         "IP_REMOTE_ADDRESS=2001:db8::/32 & IP_REMOTE_ADDRESS=192.168.0.0/255.255.0.0 & RESERVED1=3 & "
         "IPSEC_POLICY_KEY=0xEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEE & ALE_USER_ID=sd:G:S-1-5-18",
         "(absent)", "(absent)", 0x1, "0x0000000000000001"},
    };
    const std::filesystem::path folder = QUILLMARK_WFP_PICKLES;
    EXPECT_EQ(std::size(rows), static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                                      std::filesystem::directory_iterator())));
    for (const PickledFilter& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string value = test::ReadAll(folder / (std::string(row.file) + ".bin"));
        test::KeepAsFuzzSeed("wfp_object", std::vector<std::uint8_t>(value.begin(), value.end()));
        WfpFilter f;
        try {
            f = DecodeWfpFilter(reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
        } catch (const DecodeError& error) {
            ADD_FAILURE() << error.what();
            continue;
        }
        EXPECT_EQ(row.key, f.key.Text());
        EXPECT_EQ(row.layer, WfpLayerText(f.layerKey));
        EXPECT_EQ("{B3CDD441-AF90-41BA-A745-7C6008FF2301}", f.subLayerKey.Text());
        EXPECT_EQ(row.conditions, WfpConditionsText(f.conditions));
        EXPECT_EQ(row.name, f.name.value_or("(absent)"));
        EXPECT_EQ(row.description, f.description.value_or("(absent)"));
        EXPECT_EQ(row.flags, f.flags);
        EXPECT_EQ(row.weight, WfpWeightText(f.weight));
        EXPECT_EQ(row.effectiveWeight, WfpWeightText(f.effectiveWeight));
        EXPECT_EQ(row.action, WfpActionText(f.actionType));
        EXPECT_EQ(row.actionKey, f.actionKey.Text());
        EXPECT_EQ(row.providerKey, f.providerKey ? f.providerKey->Text() : "-");
        EXPECT_EQ(row.providerData, f.providerData ? HexText(*f.providerData) : "(absent)");
        EXPECT_EQ(row.context, ContextText(f));
        EXPECT_EQ(row.reserved, f.reserved ? f.reserved->Text() : "-");
        EXPECT_EQ(row.filterId, f.filterId);
        EXPECT_EQ(row.securityDescriptor,
                  f.securityDescriptor.empty() ? "-" : SecurityDescriptorText(f.securityDescriptor).value_or("?"));
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
    f.effectiveWeight = V::Unsigned(kWfpUint32, 1);
    f.conditions = {{MakeGuid(1), 0, std::move(value)}};
    return test::EncodeWfpFilter(f);
}

Bytes WithBody(Bytes body) {
    body[0] = 1;  // the object pointer; then a provider's flat part of zeros
    return test::WrapWfpPickle(0, body, {});
}

TEST(WfpObjectDecoder, RejectsBlobsThatDoNotHoldAWholeObject) {
    const Bytes provider = Provider(), filter = Filter(V::Unsigned(kWfpUint8, 1)),
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
         "inner pickle count 2147483632 at offset 40 exceeds"},
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

class WfpTexts : public ::testing::Test, protected test::WfpValues {
protected:
    static WfpValue Address6(std::initializer_list<std::uint16_t> groups) {
        Bytes bytes;
        for (const std::uint16_t group : groups)
            bytes.insert(bytes.end(), {std::uint8_t(group >> 8), std::uint8_t(group)});
        return Data(kWfpByteArray16, bytes);
    }
};

// Owner S-1-5-18; a DACL with one ACE allowing 0x1F0000 to S-1-1-0, inherited by objects and containers.
const Bytes kDescriptor = {1, 0, 4,  0x80, 20, 0, 0,    0, 0,  0, 0, 0, 0, 0, 0,  0, 32, 0, 0, 0,
                           1, 1, 0,  0,    0,  0, 0,    5, 18, 0, 0, 0, 2, 0, 28, 0, 1,  0, 0, 0,
                           0, 3, 20, 0,    0,  0, 0x1F, 0, 1,  1, 0, 0, 0, 0, 0,  1, 0,  0, 0, 0};

WfpCondition On(const char* field, std::uint32_t match, WfpValue value) {
    return {test::ParseGuid(Lists::Builtin().ConditionGuid(field)), match, std::move(value)};
}

// The formatting rules the independently pickled filters do not reach.
TEST_F(WfpTexts, WritesConditionValuesAsWfpFiltersSays) {
    struct Row {
        const char* name;
        WfpCondition condition;
        const char* expected;
    } rows[] = {
        {"FLOAT", On("IP_PROTOCOL", 0, With(kWfpFloat, &WfpValue::real, double{0.1f})), "0.100000001"},
        {"loopback", On("IP_LOCAL_ADDRESS", 0, Address6({0, 0, 0, 0, 0, 0, 0, 1})), "::1"},
        {"longest zero run", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 0, 1, 0, 0, 0, 1})), "1:0:0:1::1"},
        {"first of equal runs", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 0, 2, 0, 0, 3, 4})), "1::2:0:0:3:4"},
        {"one zero group", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 2, 3, 4, 5, 6, 7})), "1:0:2:3:4:5:6:7"},
        {"IPv4-mapped", On("IP_LOCAL_ADDRESS", 0, Address6({0, 0, 0, 0, 0, 0xFFFF, 0xC0A8, 1})), "::ffff:192.168.0.1"},
        {"blob with two NULs", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0, 0, 0, 0})), "0x610000000000"},
        {"blob of odd size", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0, 0, 0})), "0x6100000000"},
        {"blob of a surrogate pair, then its NUL",
         On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0, 0xD8, 0, 0xDC, 0, 0})), "a\xF0\x90\x80\x80"},
        {"blob of a lone low surrogate", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {0, 0xDC, 0, 0})), "0x00DC0000"},
        {"blob of a high surrogate before a letter", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {0, 0xD8, 'a', 0, 0, 0})),
         "0x00D861000000"},
        {"blob ending in a surrogate pair", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0x3D, 0xD8, 0, 0xDE})),
         "0x61003DD800DE"},
        {"SID with a wide authority",
         On("ALE_USER_ID", 0, With(kWfpSid, &WfpValue::sid, Sid{1, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, {}})),
         "S-1-0x123456789ABC"},
        {"security descriptor", On("ALE_USER_ID", 0, Data(kWfpSecurityDescriptor, kDescriptor)),
         "sd:O:S-1-5-18D:(A;OICI;0x1F0000;;;S-1-1-0)"},
        {"damaged security descriptor", On("ALE_USER_ID", 0, Data(kWfpSecurityDescriptor, {1, 0, 4, 0x80})),
         "sd:0x01000480"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, WfpConditionValueText(row.condition));
    }
}

TEST_F(WfpTexts, JoinsConditionsInStoredOrder) {
    const Guid unknown = MakeGuid(0xAB);
    const std::vector<WfpCondition> conditions = {On("IP_PROTOCOL", 0, Unsigned(kWfpUint8, 6)),
                                                  {unknown, 13, Unsigned(kWfpUint16, 5)},
                                                  On("IP_LOCAL_PORT", 12, Unsigned(kWfpUint16, 1))};
    EXPECT_EQ("IP_PROTOCOL=6 & {ABABABAB-ABAB-ABAB-ABAB-ABABABABABAB}[match:13]5 & IP_LOCAL_PORT[not-prefix]1",
              WfpConditionsText(conditions));
    EXPECT_EQ("-", WfpConditionsText({}));
}

// Known layers and actions by name (the pickled filters show those), the rest as numbers.
TEST(WfpActionAndLayerText, WriteTheUnknownAsNumbers) {
    EXPECT_EQ("{01010101-0101-0101-0101-010101010101}", WfpLayerText(MakeGuid(1)));
    EXPECT_EQ("other:0x0003", WfpActionText(0x3));
    EXPECT_EQ("other:0x12345", WfpActionText(0x12345));
}

}  // namespace
}  // namespace inventory
