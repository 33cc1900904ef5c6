#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegistryText.h"

namespace inventory {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (const int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

TEST(Utf16ToUtf8, DecodesAsAWin32CallerSeesIt) {
    struct Row {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::string expected;
    } rows[] = {
        {"two-byte and three-byte forms", Bytes({0xE9, 0x00, 0xAC, 0x20}), "\xC3\xA9\xE2\x82\xAC"},
        {"surrogate pair", Bytes({0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80"},
        {"lone high surrogate", Bytes({0x3D, 0xD8, 'x', 0}), "\xEF\xBF\xBDx"},
        {"lone low surrogate", Bytes({0x00, 0xDE}), "\xEF\xBF\xBD"},
        {"empty", Bytes({}), ""},
        {"a lone byte", Bytes({'a'}), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, Utf16ToUtf8(row.bytes.data(), row.bytes.size()));
    }
}

}  // namespace
}  // namespace inventory
