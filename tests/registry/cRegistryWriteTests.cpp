#include <gtest/gtest.h>

#include <functional>

#include "ProgramFile.h"
#include "Raises.h"
#include "RegistryFixture.h"
#include "Text.h"

using cRegistryWrite = RegistryTest;

TEST_F(cRegistryWrite, WritesEachValueTypeByItsRule) {
    const struct {
        const char* name;
        std::int32_t valueType;
        RegistryValue value;
        DWORD storedType;  // 0: nothing is written
        Bytes storedBytes;
    } rows[] = {
        // A text chooses its own type: expandable when a name stands between two percent signs.
        {"plain text", REG_EXPAND_SZ, L"C:\\app.exe", REG_SZ, TextBytes("C:\\app.exe")},
        {"percent pair", REG_SZ, L"%SystemRoot%\\app.exe", REG_EXPAND_SZ, TextBytes("%SystemRoot%\\app.exe")},
        {"percent pair later", REG_SZ, L"a%b%", REG_EXPAND_SZ, TextBytes("a%b%")},
        {"adjacent percent signs", REG_SZ, L"100%%", REG_SZ, TextBytes("100%%")},
        {"adjacent pair then one more", REG_SZ, L"%%x%", REG_EXPAND_SZ, TextBytes("%%x%")},
        {"single percent sign", REG_EXPAND_SZ, L"50% off", REG_SZ, TextBytes("50% off")},
        {"empty value as text", REG_SZ, RegistryValue(), REG_SZ, TextBytes("")},
        {"16-bit number as text", REG_SZ, std::int16_t{-1}, REG_SZ, TextBytes("-1")},
        {"32-bit number as text", REG_SZ, std::int32_t{-2147483647 - 1}, REG_SZ, TextBytes("-2147483648")},
        {"floating point as text", REG_SZ, 1.5, REG_SZ, TextBytes("1.5")},
        {"boolean as text", REG_SZ, RegistryValue::Boolean(true), REG_SZ, TextBytes("True")},
        {"bytes as text", REG_SZ, Bytes{0x0A, 0xFF, 0x00}, REG_SZ, TextBytes("0a ff 00")},
        {"bytes", REG_BINARY, Bytes{1, 2, 0xFE}, REG_BINARY, Bytes{1, 2, 0xFE}},
        {"no bytes", REG_BINARY, Bytes{}, REG_BINARY, Bytes{}},
        {"16-bit -1", REG_DWORD, std::int16_t{-1}, REG_DWORD, Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
        {"32-bit number", REG_DWORD, std::int32_t{0x01020304}, REG_DWORD, Bytes{4, 3, 2, 1}},
        // Type 5 is stored as type 4, in the machine's byte order.
        {"big-endian type", REG_DWORD_BIG_ENDIAN, std::int32_t{258}, REG_DWORD, Bytes{2, 1, 0, 0}},
        // A number type writes nothing for a value that is no integer.
        {"text as number", REG_DWORD, L"7", 0, {}},
        {"floating point as number", REG_DWORD_BIG_ENDIAN, 1.5, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Address(L"Types", FromAnsi(row.name), row.valueType);
        EXPECT_NO_THROW(reg.SetValue(row.value));
        const ScratchKey::Raw raw = scratch.Read(L"LM\\Types", row.name);
        EXPECT_EQ(row.storedType, raw.type);
        EXPECT_EQ(row.storedBytes, raw.bytes);
        EXPECT_EQ(row.valueType, reg.ValueType()) << "writing leaves ValueType as it was";
    }
}

// Each failure raises its error and changes neither the registry nor the
// object. Names and paths are refused rather than handed on altered (the
// plain conversion makes "?" of U+0F00 and "\" of U+FF3C), and so are key
// paths with an empty part.
TEST_F(cRegistryWrite, EachFailureRaisesItsErrorAndChangesNothing) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character fits the UTF-8 code page";
    scratch.CreateKey(L"LM\\Vol", true);
    scratch.SetText(L"LM\\Present", "?", "kept");
    scratch.CreateKey(L"LM\\Parent\\Child");
    scratch.CreateKey(L"LM\\?");
    const std::wstring address = L"'-2147483646',Section: '";
    const std::function<void(cRegistry&)> createKey = &cRegistry::CreateKey, deleteKey = &cRegistry::DeleteKey,
                                          deleteValue = &cRegistry::DeleteValue;
    const auto set = [](RegistryValue value) { return [value](cRegistry& r) { r.SetValue(value); }; };
    const struct {
        std::int32_t classKey, valueType;
        std::wstring section, name;
        std::function<void(cRegistry&)> act;
        std::int32_t number;
        std::optional<std::wstring> description;
    } rows[] = {
        {kMachine, REG_SZ, L"Vol\\Child", L"", createKey, 26001, L"Failed to create registry Key: 'Vol\\Child"},
        {kMachine, REG_SZ, L"Parent", L"", deleteKey, 26001, L"Failed to delete registry Key: " + address + L"Parent"},
        {kMachine, REG_SZ, L"Missing", L"v", deleteValue, 26001,
         L"Failed to open key " + address + L"Missing' for delete access"},
        {kMachine, REG_SZ, L"Present", L"Absent", deleteValue, 26001,
         L"Failed to delete registry Key: " + address + L"Present',Key: 'Absent"},
        {0, REG_SZ, L"W", L"v", set(std::int32_t{5}), 26001,
         L"Failed to set registry value Key: '0',Section: 'W',Key: 'v' to value: '5'"},
        {kMachine, REG_MULTI_SZ, L"W", L"v", set(Bytes{0x01, 0xAB}), cRegistry::kErrSetValue,
         L"Failed to set registry value Key: " + address + L"W',Key: 'v' to value: '01 ab'"},
        {kMachine, REG_BINARY, L"W", L"v", set(L"0102"), 26001, L""},  // raised without a source
        {kMachine, REG_DWORD, L"W", std::wstring(16384, L'n'), set(std::int32_t{1}), cRegistry::kErrSetValue, {}},
        {kMachine, REG_SZ, L"W", L"v", set(L"\u0F00"), cRegistry::kErrSetValue, {}},
        {kMachine, REG_SZ, L"W", L"\u0F00", set(L"x"), cRegistry::kErrSetValue, {}},
        {kMachine, REG_SZ, L"W\uFF3CB", L"v", set(L"x"), 26001, {}},
        {kMachine, REG_SZ, L"W\\\\B", L"v", set(L"x"), 26001, {}},
        {kMachine, REG_SZ, L"\u0F00", L"", deleteKey, 26001, {}},
        {kMachine, REG_SZ, L"Present", L"\u0F00", deleteValue, 26001, {}},
        {kMachine, REG_SZ, L"Present\\", L"?", deleteValue, 26001, {}},
    };
    const auto before = scratch.ValuesBelow(L"LM");
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.section + L"|" + row.name.substr(0, 8)));
        cRegistry object;
        object.SetClassKey(row.classKey);
        object.SetSectionKey(row.section);
        object.SetValueKey(row.name);
        object.SetValueType(row.valueType);
        object.SetDefault(L"d");
        const Properties kept = PropertiesOf(object);
        const std::wstring source = row.description == L"" ? L"" : ProgramName() + L".cRegistry";
        EXPECT_TRUE(Raises([&] { row.act(object); }, row.number, row.description, source));
        EXPECT_EQ(kept, PropertiesOf(object));
        EXPECT_EQ(before, scratch.ValuesBelow(L"LM")) << "no value written or deleted";
        scratch.DeleteTree(L"LM\\W");
    }
    EXPECT_TRUE(scratch.KeyExists(L"LM\\Parent\\Child") && scratch.KeyExists(L"LM\\?"));
}

// Keys and values at a short path and at one longer than the 8-bit calls' buffer; keys are made
// whole (not volatile: a subkey can be made below) and deleted without the machine.
TEST_F(cRegistryWrite, KeysAndValuesAreMadeAndDeletedAtAnyPathLength) {
    // RegDeleteKeyA with an empty path deletes the key the root stands for
    // (here the machine root's key, with no subkeys yet to protect it).
    Address(L"", L"");
    EXPECT_TRUE(Raises([&] { reg.DeleteKey(); }, 26001));
    ASSERT_TRUE(scratch.KeyExists(L"LM"));
    for (const std::wstring& path :
         {std::wstring(L"A\\B"), std::wstring(200, L'd') + L"\\" + std::wstring(120, L'e')}) {
        SCOPED_TRACE(path.size());
        const std::wstring key = L"LM\\" + path + L"\\Child";
        Address(path + L"\\Child", L"");
        EXPECT_NO_THROW(reg.SetValue(L"TDI")) << "the missing keys of the path are made";
        EXPECT_EQ(TextBytes("TDI"), scratch.Read(key, "").bytes);
        EXPECT_EQ(RegistryValue(L"TDI"), reg.Value());
        scratch.SetText(key, "named", "x");
        EXPECT_TRUE(reg.DeleteValue());
        EXPECT_TRUE(reg.Value().IsEmpty());
        EXPECT_EQ(ERROR_SUCCESS, scratch.Read(key, "named").status) << "only the addressed value goes";
        reg.SetMachine(L"\\\\quillmark-no-such-host");  // only values go through the connection
        EXPECT_TRUE(reg.DeleteKey());
        EXPECT_FALSE(reg.KeyExists());
        EXPECT_TRUE(reg.CreateKey());
        EXPECT_TRUE(reg.CreateKey()) << "an existing key is opened";
        scratch.CreateKey(key + L"\\Sub");  // below a volatile key this would fail
        reg.SetMachine(L"");
    }
}

// The fullwidth twin of this machine's name is no name of it, though the
// plain conversion makes the one of the other: nothing goes through it. The
// roots stay as they are (Wine looks up its own name below the machine's).
TEST(cRegistryMachine, WritesGoOnlyToTheMachineNamedExactly) {
    const ScratchKey scratch;
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &length));
    std::wstring twin = name;
    for (wchar_t& c : twin)
        if (c > L' ' && c < 0x7F) c = static_cast<wchar_t>(c + 0xFEE0);
    cRegistry reg;
    reg.SetClassKey(static_cast<std::int32_t>(0x80000001u));  // HKEY_CURRENT_USER
    reg.SetSectionKey(scratch.Path());
    reg.SetValueKey(L"v");
    reg.SetValueType(REG_SZ);
    reg.SetMachine(L"\\\\" + twin);
    EXPECT_NO_THROW(reg.SetValue(L"through a look-alike"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, scratch.Read(L"", "v").status);
    reg.SetMachine(L"\\\\" + std::wstring(name));
    reg.SetValue(L"through the connection");
    EXPECT_EQ(TextBytes("through the connection"), scratch.Read(L"", "v").bytes);
}
