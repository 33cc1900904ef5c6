#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "RegistryFixture.h"
#include "Text.h"

using namespace std::string_literals;
using cRegistryRead = RegistryTest;

TEST_F(cRegistryRead, ConvertsEachStoredTypeAndSize) {
    char root[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("SystemRoot", root, MAX_PATH), 0u);
    struct Row {
        const char* name;
        DWORD type;
        std::string bytes;
        RegistryValue expected;
    };
    const Row rows[] = {
        {"sz", REG_SZ, "C:\\app.exe\0"s, L"C:\\app.exe"},
        {"empty sz", REG_SZ, "\0"s, L""},
        {"sz of 0 bytes", REG_SZ, ""s, L""},
        // Without its terminator the last character is taken for one.
        {"sz without terminator", REG_SZ, "abc"s, L"ab"},
        {"sz with an inner zero", REG_SZ, "ab\0cd\0"s, std::wstring(L"ab\0cd", 5)},
        // The zero after each item stays; only the list's final zero goes.
        {"multi", REG_MULTI_SZ, "a\0b\0\0"s, std::wstring(L"a\0b\0", 4)},
        {"expandable", REG_EXPAND_SZ, "%SystemRoot%\\x.sys\0"s, FromAnsi(root) + L"\\x.sys"},
        {"unknown variable", REG_EXPAND_SZ, "%QUILLMARK_NO_SUCH%\\x\0"s, L"%QUILLMARK_NO_SUCH%\\x"},
        {"expandable of 0 bytes", REG_EXPAND_SZ, ""s, L""},
        {"dword", REG_DWORD, "\x2A\x00\x00\x00"s, std::int32_t{42}},
        {"negative dword", REG_DWORD, "\xFF\xFF\xFF\xFF"s, std::int32_t{-1}},
        // A malformed size reads what is there, never more than 4 bytes.
        {"dword of 0 bytes", REG_DWORD, ""s, std::int32_t{0}},
        {"dword of 2 bytes", REG_DWORD, "\x34\x12"s, std::int32_t{0x1234}},
        {"dword of 8 bytes", REG_DWORD, "\x01\x00\x00\x00\xEE\xEE\xEE\xEE"s, std::int32_t{1}},
        {"big endian", REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x02"s, std::int32_t{258}},
        {"big endian of 2 bytes", REG_DWORD_BIG_ENDIAN, "\x01\x02"s, std::int32_t{0x01020000}},
        {"binary", REG_BINARY, "\x01\x02\x03"s, Bytes{1, 2, 3}},
        {"empty binary", REG_BINARY, ""s, Bytes{}},
        {"link", REG_LINK, "\x41\x00"s, Bytes{0x41, 0}},
        {"type 0", REG_NONE, "\x09"s, Bytes{9}},
        {"type 11", REG_QWORD, "\x01\x00\x00\x00\x00\x00\x00\x00"s, Bytes{1, 0, 0, 0, 0, 0, 0, 0}},
        {"type 99", 99, "\xAB"s, Bytes{0xAB}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        scratch.SetRaw(Machine(L"Key"), row.name, row.type, row.bytes.data(), static_cast<DWORD>(row.bytes.size()));
        Address(L"Key", FromAnsi(row.name), 0x7777);
        EXPECT_EQ(row.expected, reg.Value()) << testing::PrintToString(reg.Value().ToText());
        EXPECT_EQ(static_cast<std::int32_t>(row.type), reg.ValueType()) << "the type read wins";
    }
}

TEST_F(cRegistryRead, FailuresGiveTheDefaultAndKeepTheType) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character fits the UTF-8 code page";
    scratch.SetText(Machine(L"Key"), "v", "x");
    scratch.SetText(Machine(L"?"), "v", "found");
    scratch.SetText(Machine(L"A\\B"), "v", "found");
    scratch.SetText(Machine(L"Key"), "?", "found");
    struct Row {
        const char* what;
        std::int32_t classKey;
        std::wstring section, name, machine;
        bool keyExists;
    };
    const Row rows[] = {
        {"missing value", kMachine, L"Key", L"Absent", L"", true},
        {"missing key", kMachine, L"NoKey", L"v", L"", false},
        {"no root", 0, L"Key", L"v", L"", false},
        {"unknown root", 0x12345, L"Key", L"v", L"", false},
        {"unreachable machine (KeyExists ignores it)", kMachine, L"Key", L"v", L"\\\\quillmark-no-such-host", true},
        // The plain conversion makes "\" of U+FF3C and "?" of U+0F00.
        {"fullwidth backslash in the path", kMachine, L"A\uFF3CB", L"v", L"", false},
        {"path outside the code page", kMachine, L"\u0F00", L"v", L"", false},
        {"name outside the code page", kMachine, L"Key", L"\u0F00", L"", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetClassKey(row.classKey);
        object.SetSectionKey(row.section);
        object.SetValueKey(row.name);
        object.SetValueType(REG_BINARY);
        object.SetMachine(row.machine);
        object.SetDefault(L"fallback");
        EXPECT_EQ(RegistryValue(L"fallback"), object.Value());
        EXPECT_EQ(REG_BINARY, object.ValueType());
        EXPECT_EQ(row.keyExists, object.KeyExists());
    }
    Address(L"Key", L"Absent");
    EXPECT_TRUE(reg.Value().IsEmpty()) << "no Default given: the empty value";
}

// A text that shrinks between the size query and the read comes back as it
// was read, not padded with zeros to the first size; one that grows does not
// fit the buffer, which leaves one character of it.
TEST_F(cRegistryRead, ATextChangingSizeBetweenTheTwoQueriesGivesWhatWasRead) {
    scratch.SetText(Machine(L""), "Flicker", "a");
    Address(L"", L"Flicker");
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) scratch.SetText(Machine(L""), "Flicker", i % 2 ? std::string(200, 'x') : "a");
    });
    int unexpected = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring text = reg.Value().ToText();
        unexpected += text.size() != 1 && text != std::wstring(200, L'x');
    }
    stop = true;
    writer.join();
    EXPECT_EQ(0, unexpected);
}

TEST_F(cRegistryRead, KeyPathsLongerThanTheSystemsBufferAreReadWrittenAndDeleted) {
    const std::wstring deep = std::wstring(200, L'd') + L"\\" + std::wstring(120, L'e');
    Address(deep, L"Group");
    EXPECT_NO_THROW(reg.SetValue(L"TDI")) << "the missing keys of the path are made";
    EXPECT_EQ(TextBytes("TDI"), ReadMachine(deep, "Group").bytes);
    EXPECT_EQ(RegistryValue(L"TDI"), reg.Value());
    scratch.CreateKey(Machine(deep + L"\\Child"));
    NameList names;
    std::int32_t count = 0;
    reg.EnumerateSections(names, count);
    EXPECT_EQ(1, count);
    reg.EnumerateValues(names, count);
    EXPECT_EQ(L"Group", names.Item(count));
    EXPECT_NO_THROW(reg.DeleteValue());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(deep, "Group").status);
    reg.SetSectionKey(deep + L"\\Child");
    EXPECT_NO_THROW(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_NO_THROW(reg.CreateKey());
    EXPECT_TRUE(scratch.KeyExists(Machine(deep + L"\\Child")));
}

TEST(cRegistryAddress, MachineNamesGetTheirBackslashesShortOnesNone) {
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"", L""},
        {L"ab", L""},
        {L"\\\\", L""},
        {L"abc", L"\\\\abc"},
        {L"\\\\server", L"\\\\server"},
        {L"\\server", L"\\\\\\server"},
    };
    for (const auto& [given, stored] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(given)));
        cRegistry reg;
        reg.SetMachine(L"\\\\previous");
        reg.SetMachine(given);
        EXPECT_EQ(stored, reg.Machine());
    }
}

TEST_F(cRegistryRead, ValueExSetsTheAddressThenReads) {
    scratch.SetDword(Machine(L"Key"), "Number", 5);
    EXPECT_EQ(RegistryValue(std::int32_t{5}), reg.ValueEx(kMachine, L"Key", L"Number", REG_SZ, L"d"));
    EXPECT_EQ((Properties{kMachine, L"Key", L"Number", REG_DWORD, L"d", L""}), PropertiesOf(reg));
    EXPECT_EQ(RegistryValue(L"d"), reg.ValueEx(kMachine, L"Key", L"Absent", REG_SZ, L"d"));
}
