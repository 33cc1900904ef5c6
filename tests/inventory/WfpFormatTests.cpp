#include <gtest/gtest.h>

#include <limits>

#include "Lists.h"
#include "WfpBlobBuilder.h"
#include "WfpDecoders.h"
#include "WfpNames.h"
#include "WfpText.h"

namespace inventory {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Ipv6(std::initializer_list<std::uint16_t> groups) {
    Bytes bytes;
    for (const std::uint16_t group : groups) bytes.insert(bytes.end(), {std::uint8_t(group >> 8), std::uint8_t(group)});
    return bytes;
}

class WfpTexts : public ::testing::Test, protected test::WfpValues {
protected:
    static WfpValue Address6(std::initializer_list<std::uint16_t> groups) {
        return Data(kWfpByteArray16, Ipv6(groups));
    }
};

// Owner S-1-5-18; a DACL with one ACE allowing 0x1F0000 to S-1-1-0, inherited by objects and containers.
const Bytes kDescriptor = {1, 0, 4,  0x80, 20, 0, 0,    0, 0,  0, 0, 0, 0, 0, 0,  0, 32, 0, 0, 0,
                           1, 1, 0,  0,    0,  0, 0,    5, 18, 0, 0, 0, 2, 0, 28, 0, 1,  0, 0, 0,
                           0, 3, 20, 0,    0,  0, 0x1F, 0, 1,  1, 0, 0, 0, 0, 0,  1, 0,  0, 0, 0};

// Through the encoder and the decoder, so every type's pointee is read too.
WfpFilter RoundTrip(const WfpFilter& filter) {
    const Bytes blob = test::EncodeWfpFilter(filter);
    return DecodeWfpFilter(blob.data(), blob.size());
}

WfpCondition On(const char* field, std::uint32_t match, WfpValue value) {
    return {test::ParseGuid(Lists::Builtin().ConditionGuid(field)), match, std::move(value)};
}

TEST_F(WfpTexts, WritesEveryConditionValueTypeAsWfpFiltersSays) {
    const auto ipv6 = Ipv6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1});
    struct Row {
        const char* name;
        WfpCondition condition;
        const char* expected;
    } rows[] = {
        {"empty", On("IP_PROTOCOL", 0, Value(kWfpEmpty)), "empty"},
        {"UINT8", On("IP_PROTOCOL", 0, Unsigned(kWfpUint8, 255)), "255"},
        {"UINT16", On("IP_LOCAL_PORT", 0, Unsigned(kWfpUint16, 65535)), "65535"},
        {"UINT32", On("IP_LOCAL_INTERFACE", 0, Unsigned(kWfpUint32, 0xC0A80001)), "3232235521"},
        {"UINT32 address", On("IP_REMOTE_ADDRESS", 0, Unsigned(kWfpUint32, 0xC0A80001)), "192.168.0.1"},
        {"UINT32 V4 address", On("IP_LOCAL_ADDRESS_V4", 3, Unsigned(kWfpUint32, 0x0A000001)), "10.0.0.1"},
        {"UINT32 flags", On("FLAGS", 6, Unsigned(kWfpUint32, 0xC0000)), "0xC0000"},
        {"UINT8 none-set", On("FLAGS", 8, Unsigned(kWfpUint8, 1)), "0x1"},
        {"UINT64", On("IP_PROTOCOL", 0, Unsigned(kWfpUint64, ~0ull)), "18446744073709551615"},
        {"UINT64 any-set", On("FLAGS", 7, Unsigned(kWfpUint64, 1ull << 40)), "0x10000000000"},
        {"INT8", On("IP_PROTOCOL", 0, Signed(kWfpInt8, -128)), "-128"},
        {"INT16", On("IP_PROTOCOL", 0, Signed(kWfpInt16, -2)), "-2"},
        {"INT32", On("IP_PROTOCOL", 0, Signed(kWfpInt32, std::numeric_limits<std::int32_t>::min())), "-2147483648"},
        {"INT64", On("IP_PROTOCOL", 0, Signed(kWfpInt64, std::numeric_limits<std::int64_t>::min())),
         "-9223372036854775808"},
        {"FLOAT", On("IP_PROTOCOL", 0, Real(kWfpFloat, 0.1)), "0.100000001"},
        {"DOUBLE", On("IP_PROTOCOL", 0, Real(kWfpDouble, 0.1)), "0.10000000000000001"},
        {"16 bytes", On("IP_PROTOCOL", 0, Data(kWfpByteArray16, ipv6)), "0x20010DB8000000000000000000000001"},
        {"16 bytes address", On("IP_REMOTE_ADDRESS_V6", 0, Data(kWfpByteArray16, ipv6)), "2001:db8::1"},
        {"loopback", On("IP_LOCAL_ADDRESS", 0, Address6({0, 0, 0, 0, 0, 0, 0, 1})), "::1"},
        {"longest zero run", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 0, 1, 0, 0, 0, 1})), "1:0:0:1::1"},
        {"first of equal runs", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 0, 2, 0, 0, 3, 4})), "1::2:0:0:3:4"},
        {"one zero group", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 2, 3, 4, 5, 6, 7})), "1:0:2:3:4:5:6:7"},
        {"IPv4-mapped", On("IP_LOCAL_ADDRESS", 0, Address6({0, 0, 0, 0, 0, 0xFFFF, 0xC0A8, 1})), "::ffff:192.168.0.1"},
        {"application id",
         On("ALE_APP_ID", 0,
            Data(kWfpByteBlob, test::Utf16Bytes(std::string("\\device\\harddiskvolume2\\agent.exe") + '\0'))),
         "\\device\\harddiskvolume2\\agent.exe"},
        {"blob without NUL", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 'b', 0})), "0x61006200"},
        {"blob with two NULs", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0, 0, 0, 0})), "0x610000000000"},
        {"blob of odd size", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0})), "0x610000"},
        {"blob ending in a surrogate pair", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0x3D, 0xD8, 0, 0xDE})),
         "0x61003DD800DE"},
        {"empty blob", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {})), "0x"},
        {"SID", On("ALE_USER_ID", 0, SidValue(MakeSid(5, {21, 1, 4294967295u}))), "S-1-5-21-1-4294967295"},
        {"SID with a wide authority", On("ALE_USER_ID", 0, SidValue(MakeSid(0x123456789ABC, {}))),
         "S-1-0x123456789ABC"},
        {"security descriptor", On("ALE_USER_ID", 0, Data(kWfpSecurityDescriptor, kDescriptor)),
         "sd:O:S-1-5-18D:(A;OICI;0x1F0000;;;S-1-1-0)"},
        {"damaged security descriptor", On("ALE_USER_ID", 0, Data(kWfpSecurityDescriptor, {1, 0, 4, 0x80})),
         "sd:0x01000480"},
        {"token information", On("ALE_USER_ID", 0, Token()), "token:sids=S-1-5-18,null;restricted=S-1-5-12"},
        {"token access information", On("ALE_USER_ID", 0, Data(kWfpTokenAccessInformation, {1, 0xAB})), "0x01AB"},
        {"unicode string", On("ALE_APP_ID", 0, Text("caf\xC3\xA9")), "caf\xC3\xA9"},
        {"6 bytes", On("MAC_LOCAL_ADDRESS", 0, Data(kWfpByteArray6, {0, 0x1A, 0x2B, 0x3C, 0x4D, 0xEF})),
         "00-1A-2B-3C-4D-EF"},
        {"bitmap index", On("IP_PROTOCOL", 0, Unsigned(kWfpBitmapIndex, 63)), "63"},
        {"bitmap array", On("IP_PROTOCOL", 0, Data(kWfpBitmapArray64, {1, 2, 3, 4, 5, 6, 7, 0xFF})),
         "0x01020304050607FF"},
        {"V4 mask", On("IP_REMOTE_ADDRESS", 0, Data(kWfpV4AddrMask, {}, 0xFF000000)), "0.0.0.0/255.0.0.0"},
        {"V6 mask", On("IP_REMOTE_ADDRESS", 0, Data(kWfpV6AddrMask, Ipv6({0xFE80, 0, 0, 0, 0, 0, 0, 0}), 64)),
         "fe80::/64"},
        {"range of ports", On("IP_LOCAL_PORT", 5, Range(Unsigned(kWfpUint16, 80), Unsigned(kWfpUint16, 443))),
         "80..443"},
        {"range of addresses",
         On("IP_REMOTE_ADDRESS", 5,
            Range(Address6({0xFE80, 0, 0, 0, 0, 0, 0, 0}),
                  Address6({0xFE80, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}))),
         "fe80::..fe80:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"range with a null side", On("IP_PROTOCOL", 5, Range(Null(kWfpUint64), Unsigned(kWfpUint64, 5))), "null..5"},
        {"null range", On("IP_PROTOCOL", 5, Null(kWfpRange)), "null"},
        {"null UINT64", On("IP_PROTOCOL", 0, Null(kWfpUint64)), "null"},
        {"null blob", On("ALE_APP_ID", 0, Null(kWfpByteBlob)), "null"},
        {"null SID", On("ALE_USER_ID", 0, Null(kWfpSid)), "null"},
        {"null string", On("ALE_APP_ID", 0, Null(kWfpUnicodeString)), "null"},
        {"null V4 mask", On("IP_REMOTE_ADDRESS", 0, Null(kWfpV4AddrMask)), "null"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // An unaligned pointee after the row's own shows that the row's pointee read its exact size.
        WfpFilter filter;
        filter.conditions = {row.condition, On("MAC_LOCAL_ADDRESS", 0, Data(kWfpByteArray6, {1, 2, 3, 4, 5, 6}))};
        const WfpFilter decoded = RoundTrip(filter);
        EXPECT_EQ(row.expected, WfpConditionValueText(decoded.conditions.at(0)));
        EXPECT_EQ("01-02-03-04-05-06", WfpConditionValueText(decoded.conditions.at(1)));
    }
}

TEST_F(WfpTexts, WritesEachWeightForm) {
    struct Row {
        const char* name;
        WfpValue weight;
        const char* expected;
    } rows[] = {
        {"empty", Value(kWfpEmpty), "-"},
        {"UINT8", Unsigned(kWfpUint8, 15), "15"},
        {"UINT64", Unsigned(kWfpUint64, 0xFF), "0x00000000000000FF"},
        {"null UINT64", Null(kWfpUint64), "null"},
        {"INT32", Signed(kWfpInt32, -5), "-5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WfpFilter filter;
        filter.weight = row.weight;
        EXPECT_EQ(row.expected, WfpWeightText(RoundTrip(filter).weight));
    }
}

TEST_F(WfpTexts, JoinsConditionsInStoredOrder) {
    const Guid unknown = test::MakeGuid(0xAB);
    const std::vector<WfpCondition> conditions = {On("IP_PROTOCOL", 0, Unsigned(kWfpUint8, 6)),
                                                  {unknown, 13, Unsigned(kWfpUint16, 5)},
                                                  On("IP_LOCAL_PORT", 12, Unsigned(kWfpUint16, 1))};
    EXPECT_EQ("IP_PROTOCOL=6 & {ABABABAB-ABAB-ABAB-ABAB-ABABABABABAB}[match:13]5 & IP_LOCAL_PORT[not-prefix]1",
              WfpConditionsText(conditions));
    EXPECT_EQ("-", WfpConditionsText({}));
}

// Known layers and actions by name (the blocks' lines show those), the rest as numbers.
TEST(WfpActionAndLayerText, WriteTheUnknownAsNumbers) {
    EXPECT_EQ("{01010101-0101-0101-0101-010101010101}", WfpLayerText(test::MakeGuid(1)));
    EXPECT_EQ("callout-terminating", WfpActionText(0x5003));
    EXPECT_EQ("other:0x0003", WfpActionText(0x3));
    EXPECT_EQ("other:0x12345", WfpActionText(0x12345));
}

}  // namespace
}  // namespace inventory
