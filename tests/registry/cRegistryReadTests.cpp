#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <type_traits>

#include "RegistryFixture.h"
#include "Text.h"

using namespace std::string_literals;
using cRegistryRead = RegistryTest;

// A boolean would become the number 1 and a null text would fail only when it
// runs: neither makes a value (booleans go through Boolean()).
static_assert(!std::is_constructible_v<RegistryValue, bool> && !std::is_constructible_v<RegistryValue, std::nullptr_t>);

TEST_F(cRegistryRead, ConvertsEachStoredTypeAndSize) {
    char root[MAX_PATH] = {};
    GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
        RegistryValue expected;
    } rows[] = {
        {"sz", REG_SZ, "C:\\app.exe\0"s, L"C:\\app.exe"},
        // Without its terminator the last character is taken for one.
        {"sz without terminator", REG_SZ, "abc"s, L"ab"},
        {"sz with an inner zero", REG_SZ, "ab\0cd\0"s, std::wstring(L"ab\0cd", 5)},
        // The zero after each item stays; only the list's final zero goes.
        {"multi", REG_MULTI_SZ, "a\0b\0\0"s, std::wstring(L"a\0b\0", 4)},
        {"expandable", REG_EXPAND_SZ, "%SystemRoot%\\x.sys\0"s, FromAnsi(root) + L"\\x.sys"},
        {"unknown variable", REG_EXPAND_SZ, "%QUILLMARK_NO_SUCH%\\x\0"s, L"%QUILLMARK_NO_SUCH%\\x"},
        {"expandable of 0 bytes", REG_EXPAND_SZ, ""s, L""},
        {"dword", REG_DWORD, "\xFE\xFF\xFF\xFF"s, std::int32_t{-2}},
        // A malformed size reads what is there, never more than 4 bytes.
        {"dword of 0 bytes", REG_DWORD, ""s, std::int32_t{0}},
        {"dword of 2 bytes", REG_DWORD, "\x34\x12"s, std::int32_t{0x1234}},
        {"big endian", REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x02"s, std::int32_t{258}},
        {"big endian of 2 bytes", REG_DWORD_BIG_ENDIAN, "\x01\x02"s, std::int32_t{0x01020000}},
        {"binary", REG_BINARY, "\x01\x02\x03"s, Bytes{1, 2, 3}},
        {"type 11", REG_QWORD, "\x01\x00\x00\x00\x00\x00\x00\x00"s, Bytes{1, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        scratch.SetRaw(L"LM\\Key", row.name, row.type, row.bytes);
        Address(L"Key", FromAnsi(row.name), 0x7777);
        EXPECT_EQ(row.expected, reg.Value()) << testing::PrintToString(reg.Value().ToText());
        EXPECT_EQ(static_cast<std::int32_t>(row.type), reg.ValueType()) << "the type read wins";
    }
}

TEST_F(cRegistryRead, FailuresGiveTheDefaultAndKeepTheType) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character fits the UTF-8 code page";
    for (const wchar_t* key : {L"LM\\Key", L"LM\\?", L"LM\\A\\B"}) scratch.SetText(key, "v", "found");
    scratch.SetText(L"LM\\Key", "?", "found");
    const struct {
        const char* what;
        std::int32_t classKey;
        std::wstring section, name, machine;
        bool keyExists;
    } rows[] = {
        {"missing value", kMachine, L"Key", L"Absent", L"", true},
        {"missing key", kMachine, L"NoKey", L"v", L"", false},
        {"no root", 0, L"Key", L"v", L"", false},
        {"unreachable machine (KeyExists ignores it)", kMachine, L"Key", L"v", L"\\\\quillmark-no-such-host", true},
        // The plain conversion makes "\" of U+FF3C and "?" of U+0F00.
        {"fullwidth backslash in the path", kMachine, L"A\uFF3CB", L"v", L"", false},
        {"path outside the code page", kMachine, L"\u0F00", L"v", L"", false},
        {"name outside the code page", kMachine, L"Key", L"\u0F00", L"", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetMachine(row.machine);
        EXPECT_EQ(RegistryValue(L"fallback"),
                  object.ValueEx(row.classKey, row.section, row.name, REG_BINARY, L"fallback"));
        EXPECT_EQ(REG_BINARY, object.ValueType());
        EXPECT_EQ(row.keyExists, object.KeyExists());
    }
    Address(L"Key", L"Absent");
    EXPECT_TRUE(reg.Value().IsEmpty()) << "no Default given: the empty value";
}

TEST_F(cRegistryRead, ValuesIncludeTheUnnamedOneAndIgnoreTheClassName) {
    UniqueHKey classy;
    RegCreateKeyExA(scratch.get(), "LM\\V", 0, const_cast<char*>("SomeClass"), 0, KEY_ALL_ACCESS, nullptr, classy.put(),
                    nullptr);
    std::multiset<std::wstring> names{L"", L"First", L"A much longer value name"};
    // Under UTF-8 (registry_utf8_tests) a name takes more bytes than characters.
    if (GetACP() == CP_UTF8) names.insert({std::wstring(100, L'\u00E9'), std::wstring(60, L'\u540D')});
    for (const std::wstring& name : names) scratch.SetText(L"LM\\V", ToAnsi(name), "1");
    scratch.CreateKey(L"LM\\V\\SubKeyIsNoValue");
    Address(L"V", L"");
    // The names delivered, 1-based, with their count.
    const auto listed = [&] {
        NameList list;
        list.Append(L"stale");
        std::int32_t count = -1;
        EXPECT_TRUE(reg.EnumerateValues(list, count));
        EXPECT_EQ(list.Count(), count);
        std::multiset<std::wstring> entries;
        for (std::int32_t i = list.LBound(); i <= list.UBound(); ++i) entries.insert(list.Item(i));
        return entries;
    };
    EXPECT_EQ(names, listed());
    for (const wchar_t* path : {L"V\\SubKeyIsNoValue", L"Missing"}) {
        reg.SetSectionKey(path);
        EXPECT_TRUE(listed().empty()) << testing::PrintToString(std::wstring(path));
    }
}

// A text that shrinks between the size query and the read comes back as it
// was read, not padded with zeros to the size first reported; one that grows
// does not fit the buffer, which leaves one character of it.
TEST_F(cRegistryRead, AValueChangingSizeBetweenItsTwoQueriesGivesWhatWasRead) {
    const std::string longText(200, 'x');
    scratch.SetText(L"LM", "Flicker", "a");
    Address(L"", L"Flicker");
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) scratch.SetText(L"LM", "Flicker", i % 2 ? longText : "a");
    });
    int unexpected = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring text = reg.Value().ToText();
        if (text.size() != 1 && text != FromAnsi(longText)) ++unexpected;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(0, unexpected);
}
