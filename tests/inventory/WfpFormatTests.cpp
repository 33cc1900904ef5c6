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
        {"UINT32", On("IP_LOCAL_INTERFACE", 0, Unsigned(kWfpUint32, 0xC0A80001)), "3232235521"},
        {"FLOAT", On("IP_PROTOCOL", 0, Real(kWfpFloat, 0.1f)), "0.100000001"},
        {"loopback", On("IP_LOCAL_ADDRESS", 0, Address6({0, 0, 0, 0, 0, 0, 0, 1})), "::1"},
        {"longest zero run", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 0, 1, 0, 0, 0, 1})), "1:0:0:1::1"},
        {"first of equal runs", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 0, 2, 0, 0, 3, 4})), "1::2:0:0:3:4"},
        {"one zero group", On("IP_LOCAL_ADDRESS", 0, Address6({1, 0, 2, 3, 4, 5, 6, 7})), "1:0:2:3:4:5:6:7"},
        {"IPv4-mapped", On("IP_LOCAL_ADDRESS", 0, Address6({0, 0, 0, 0, 0, 0xFFFF, 0xC0A8, 1})), "::ffff:192.168.0.1"},
        {"blob without NUL", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 'b', 0})), "0x61006200"},
        {"blob with two NULs", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0, 0, 0, 0})), "0x610000000000"},
        {"blob of odd size", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0})), "0x610000"},
        {"blob ending in a surrogate pair", On("ALE_APP_ID", 0, Data(kWfpByteBlob, {'a', 0, 0x3D, 0xD8, 0, 0xDE})),
         "0x61003DD800DE"},
        {"SID with a wide authority", On("ALE_USER_ID", 0, SidValue(0x123456789ABC, {})),
         "S-1-0x123456789ABC"},
        {"security descriptor", On("ALE_USER_ID", 0, Data(kWfpSecurityDescriptor, kDescriptor)),
         "sd:O:S-1-5-18D:(A;OICI;0x1F0000;;;S-1-1-0)"},
        {"damaged security descriptor", On("ALE_USER_ID", 0, Data(kWfpSecurityDescriptor, {1, 0, 4, 0x80})),
         "sd:0x01000480"},
        {"unicode string", On("ALE_APP_ID", 0, Text("caf\xC3\xA9")), "caf\xC3\xA9"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, WfpConditionValueText(row.condition));
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
