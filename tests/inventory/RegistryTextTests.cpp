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
        {"plain", Bytes({'T', 0, 'd', 0, 'i', 0}), "Tdi"},
        {"cut at the first NUL", Bytes({'a', 0, 0, 0, 'b', 0}), "a"},
        {"odd last byte dropped", Bytes({'a', 0, 'b'}), "a"},
        {"two-byte and three-byte forms", Bytes({0xE9, 0x00, 0xAC, 0x20}), "\xC3\xA9\xE2\x82\xAC"},
        {"surrogate pair", Bytes({0x3D, 0xD8, 0x00, 0xDE}), "\xF0\x9F\x98\x80"},
        {"lone high surrogate", Bytes({0x3D, 0xD8, 'x', 0}), "\xEF\xBF\xBDx"},
        {"lone low surrogate", Bytes({0x00, 0xDE}), "\xEF\xBF\xBD"},
        {"empty", Bytes({}), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, Utf16ToUtf8(row.bytes.data(), row.bytes.size()));
    }
}

TEST(Utf16Strings, KeepsEveryNonEmptyStringToTheEnd) {
    const auto bytes = Bytes({'a', 0, 0, 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 'd', 0});
    EXPECT_EQ((std::vector<std::string>{"a", "bc", "d"}), Utf16Strings(bytes.data(), bytes.size()));
}

TEST(EscapeField, WritesControlCharactersAsHex) {
    EXPECT_EQ("a\\x09b\\x0A\\x7F\\x1F c\\\\d \xC3\xA9", EscapeField("a\tb\n\x7F\x1F c\\\\d \xC3\xA9"));
}

TEST(Latin1ToUtf8, StopsAtTheNulAndWidensHighBytes) {
    const auto bytes = Bytes({'C', ':', 0xE9, 0, 'x'});
    EXPECT_EQ("C:\xC3\xA9", Latin1ToUtf8(bytes.data(), bytes.size()));
}

}  // namespace
}  // namespace inventory
