#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "RegistryFixture.h"

using cRegistryRead = RegistryFixture;

namespace {

RegistryValue::Bytes B(std::initializer_list<std::uint8_t> bytes) {
    return RegistryValue::Bytes(bytes);
}

}  // namespace

TEST_F(cRegistryRead, ConvertsEachStoredType) {
    struct Row {
        const char* name;
        DWORD type;
        std::string bytes;
        RegistryValue expected;
    };
    using namespace std::string_literals;
    const Row rows[] = {
        {"sz", REG_SZ, "C:\\Tools\\app.exe\0"s, RegistryValue(L"C:\\Tools\\app.exe")},
        {"empty sz", REG_SZ, "\0"s, RegistryValue(L"")},
        // The zero after each item stays; only the list's final zero goes.
        {"multi", REG_MULTI_SZ, "a\0b\0\0"s, RegistryValue(std::wstring(L"a\0b\0", 4))},
        {"dword", REG_DWORD, "\x2A\x00\x00\x00"s, RegistryValue(std::int32_t{42})},
        {"negative dword", REG_DWORD, "\xFF\xFF\xFF\xFF"s, RegistryValue(std::int32_t{-1})},
        {"big endian", REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x02"s, RegistryValue(std::int32_t{258})},
        {"binary", REG_BINARY, "\x01\x02\x03"s, RegistryValue(B({1, 2, 3}))},
        {"empty binary", REG_BINARY, ""s, RegistryValue(B({}))},
        {"link", REG_LINK, "\x41\x00"s, RegistryValue(B({0x41, 0x00}))},
        {"type 0", REG_NONE, "\x09"s, RegistryValue(B({9}))},
        {"type 11", REG_QWORD, "\x01\x00\x00\x00\x00\x00\x00\x00"s, RegistryValue(B({1, 0, 0, 0, 0, 0, 0, 0}))},
        {"type 99", 99, "\xAB"s, RegistryValue(B({0xAB}))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        scratch.SetRaw(L"", row.name, row.type, row.bytes.data(), static_cast<DWORD>(row.bytes.size()));
        Address(L"", FromAnsi(row.name));
        reg.SetValueType(0x7777);
        EXPECT_EQ(row.expected, reg.Value()) << testing::PrintToString(reg.Value().ToText());
        EXPECT_EQ(static_cast<std::int32_t>(row.type), reg.ValueType()) << "the type read always wins";
    }
}

TEST_F(cRegistryRead, ExpandsEnvironmentReferences) {
    scratch.SetText(L"", "ImagePath", "%SystemRoot%\\system32\\drivers\\x.sys", REG_EXPAND_SZ);
    Address(L"", L"ImagePath");
    reg.SetValueType(REG_SZ);  // the caller's type does not steer the conversion
    char root[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("SystemRoot", root, MAX_PATH), 0u);
    EXPECT_EQ(FromAnsi(root) + L"\\system32\\drivers\\x.sys", reg.Value().Text());
    EXPECT_EQ(REG_EXPAND_SZ, reg.ValueType());

    scratch.SetText(L"", "Unknown", "%QUILLMARK_NO_SUCH_VARIABLE%\\x", REG_EXPAND_SZ);
    Address(L"", L"Unknown");
    EXPECT_EQ(L"%QUILLMARK_NO_SUCH_VARIABLE%\\x", reg.Value().Text());
}

TEST_F(cRegistryRead, MalformedSizesStayInsideTheirBuffers) {
    using namespace std::string_literals;
    struct Row {
        const char* name;
        DWORD type;
        std::string bytes;
        RegistryValue expected;
    };
    const Row rows[] = {
        {"dword of 0 bytes", REG_DWORD, ""s, RegistryValue(std::int32_t{0})},
        {"dword of 2 bytes", REG_DWORD, "\x34\x12"s, RegistryValue(std::int32_t{0x1234})},
        {"dword of 8 bytes", REG_DWORD, "\x01\x00\x00\x00\xEE\xEE\xEE\xEE"s, RegistryValue(std::int32_t{1})},
        {"big endian of 2 bytes", REG_DWORD_BIG_ENDIAN, "\x01\x02"s, RegistryValue(std::int32_t{0x01020000})},
        {"big endian of 8 bytes", REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x02\xEE\xEE\xEE\xEE"s,
         RegistryValue(std::int32_t{258})},
        {"text of 0 bytes", REG_SZ, ""s, RegistryValue(L"")},
        {"expandable text of 0 bytes", REG_EXPAND_SZ, ""s, RegistryValue(L"")},
        // Without its terminator the last character is taken for one.
        {"text without terminator", REG_SZ, "abc"s, RegistryValue(L"ab")},
        {"text with an inner zero", REG_SZ, "ab\0cd\0"s, RegistryValue(std::wstring(L"ab\0cd", 5))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        scratch.SetRaw(L"", row.name, row.type, row.bytes.data(), static_cast<DWORD>(row.bytes.size()));
        Address(L"", FromAnsi(row.name));
        EXPECT_EQ(row.expected, reg.Value()) << testing::PrintToString(reg.Value().ToText());
    }
}

TEST_F(cRegistryRead, FailuresReturnTheDefaultAndKeepTheType) {
    scratch.SetText(L"Key", "Present", "x");
    const RegistryValue fallback(L"fallback");
    struct Row {
        const char* what;
        std::int32_t classKey;
        std::wstring section;
        std::wstring value;
        std::wstring machine;
    };
    const Row rows[] = {
        {"missing value", kHKeyCurrentUser, scratch.Path() + L"\\Key", L"Absent", L""},
        {"missing key", kHKeyCurrentUser, scratch.Path() + L"\\NoKey", L"Present", L""},
        {"no root", 0, scratch.Path() + L"\\Key", L"Present", L""},
        {"unknown root", 0x12345, scratch.Path() + L"\\Key", L"Present", L""},
        {"remote machine unreachable", kHKeyCurrentUser, scratch.Path() + L"\\Key", L"Present",
         L"\\\\quillmark-no-such-host"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetClassKey(row.classKey);
        object.SetSectionKey(row.section);
        object.SetValueKey(row.value);
        object.SetValueType(REG_BINARY);
        object.SetMachine(row.machine);
        object.SetDefault(fallback);
        EXPECT_EQ(fallback, object.Value());
        EXPECT_EQ(REG_BINARY, object.ValueType());
    }
    cRegistry empty;
    empty.SetClassKey(kHKeyCurrentUser);
    empty.SetSectionKey(scratch.Path());
    empty.SetValueKey(L"Absent");
    EXPECT_TRUE(empty.Value().IsEmpty()) << "the starting Default is the empty value";
}

// The plain conversion to the code page turns the fullwidth backslash U+FF3C
// into a separator and U+0F00 into "?": a read must not reach the key or
// value that these would name.
TEST_F(cRegistryRead, APathOrNameThatDoesNotConvertExactlyFindsNothing) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character fits the UTF-8 code page";
    for (const wchar_t* path : {L"A\\B", L"?"}) {
        scratch.SetText(path, "v", "found");
        scratch.SetText(path, "?", "found");
    }
    struct Row {
        const char* what;
        std::wstring section;
        std::wstring name;
    };
    const Row rows[] = {
        {"fullwidth backslash in the path", L"A\uFF3CB", L"v"},
        {"path outside the code page", L"\u0F00", L"v"},
        {"value name outside the code page", L"A\\B", L"\u0F00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Address(row.section, row.name);
        reg.SetDefault(RegistryValue(L"fallback"));
        EXPECT_EQ(RegistryValue(L"fallback"), reg.Value()) << testing::PrintToString(reg.Value().ToText());
        if (row.name != L"v") continue;
        EXPECT_FALSE(reg.KeyExists());
        NameList names;
        std::int32_t count = -1;
        reg.EnumerateValues(names, count);
        EXPECT_EQ(0, count);
        reg.EnumerateSections(names, count);
        EXPECT_EQ(0, count);
    }
}

TEST_F(cRegistryRead, ReadsTheUnnamedValue) {
    scratch.SetText(L"Key", "", "unnamed");
    Address(L"Key", L"");
    EXPECT_EQ(RegistryValue(L"unnamed"), reg.Value());
}

TEST_F(cRegistryRead, ValueExStoresItsArgumentsThenReads) {
    scratch.SetDword(L"Key", "Number", 5);
    const RegistryValue read =
        reg.ValueEx(kHKeyCurrentUser, scratch.Path() + L"\\Key", L"Number", REG_SZ, RegistryValue(L"d"));
    EXPECT_EQ(RegistryValue(std::int32_t{5}), read);
    EXPECT_EQ(kHKeyCurrentUser, reg.ClassKey());
    EXPECT_EQ(scratch.Path() + L"\\Key", reg.SectionKey());
    EXPECT_EQ(L"Number", reg.ValueKey());
    EXPECT_EQ(REG_DWORD, reg.ValueType());
    EXPECT_EQ(RegistryValue(L"d"), reg.Default());

    EXPECT_EQ(RegistryValue(L"d"),
              reg.ValueEx(kHKeyCurrentUser, scratch.Path() + L"\\Key", L"Absent", REG_SZ, RegistryValue(L"d")));
    EXPECT_EQ(REG_SZ, reg.ValueType());
}

// A text that shrinks between the size query and the read comes back as
// it was read, not padded with zeros to the size first reported; one that
// grows does not fit the buffer, which leaves one character of it.
TEST_F(cRegistryRead, AValueChangingSizeBetweenItsTwoQueriesGivesWhatWasRead) {
    const std::string longText(200, 'x');
    const std::wstring longTextRead(200, L'x');
    scratch.SetText(L"", "Flicker", "a");
    Address(L"", L"Flicker");
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) scratch.SetText(L"", "Flicker", i % 2 ? longText : "a");
    });
    std::vector<std::wstring> unexpected;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring text = reg.Value().ToText();
        if (text.size() != 1 && text != longTextRead) unexpected.push_back(text);
    }
    stop = true;
    writer.join();
    EXPECT_TRUE(unexpected.empty()) << unexpected.size() << " reads, such as one of " << unexpected.front().size()
                                    << " characters beginning "
                                    << testing::PrintToString(unexpected.front().substr(0, 3));
}

TEST_F(cRegistryRead, KeyPathsLongerThanTheSystemsBufferAreReadWrittenAndDeleted) {
    const std::wstring deep = std::wstring(200, L'd') + L"\\" + std::wstring(120, L'e');
    Address(deep, L"Group");
    ASSERT_GT(reg.SectionKey().size(), 300u);
    reg.SetValueType(REG_SZ);
    EXPECT_NO_THROW(reg.SetValue(L"TDI")) << "the missing keys of the path are made";
    EXPECT_EQ((std::vector<std::uint8_t>{'T', 'D', 'I', 0}), scratch.Read(deep, "Group").bytes);
    scratch.CreateKey(deep + L"\\Child");
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_EQ(RegistryValue(L"TDI"), reg.Value());
    NameList names;
    std::int32_t count = 0;
    reg.EnumerateSections(names, count);
    ASSERT_EQ(1, count);
    EXPECT_EQ(L"Child", names.Item(1));
    reg.EnumerateValues(names, count);
    ASSERT_EQ(1, count);
    EXPECT_EQ(L"Group", names.Item(1));

    EXPECT_NO_THROW(reg.DeleteValue());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, scratch.Read(deep, "Group").status);
    reg.SetSectionKey(reg.SectionKey() + L"\\Child");
    EXPECT_NO_THROW(reg.DeleteKey());
    EXPECT_FALSE(scratch.KeyExists(deep + L"\\Child"));
    EXPECT_NO_THROW(reg.CreateKey());
    EXPECT_TRUE(scratch.KeyExists(deep + L"\\Child"));

    Address(deep + L"\\Missing", L"Group");
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.Value().IsEmpty());
}
