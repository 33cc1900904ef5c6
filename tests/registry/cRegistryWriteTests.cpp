#include <gtest/gtest.h>

#include <functional>

#include "ProgramFile.h"
#include "Raises.h"
#include "RegistryFixture.h"
#include "Text.h"

using cRegistryWrite = RegistryTest;

namespace {

std::wstring ThisComputer() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(name, &length);
    return name;
}

}  // namespace

TEST_F(cRegistryWrite, WritesEachValueTypeByItsRule) {
    struct Row {
        const char* name;
        std::int32_t valueType;
        RegistryValue value;
        DWORD storedType;  // 0: nothing is written
        Bytes storedBytes;
    };
    const Row rows[] = {
        // A text chooses its own type: expandable when a name stands between two percent signs.
        {"plain text", REG_EXPAND_SZ, L"C:\\app.exe", REG_SZ, TextBytes("C:\\app.exe")},
        {"percent pair", REG_SZ, L"%SystemRoot%\\app.exe", REG_EXPAND_SZ, TextBytes("%SystemRoot%\\app.exe")},
        {"percent pair later", REG_SZ, L"a%b%", REG_EXPAND_SZ, TextBytes("a%b%")},
        {"adjacent percent signs", REG_SZ, L"100%%", REG_SZ, TextBytes("100%%")},
        {"adjacent pair then one more", REG_SZ, L"%%x%", REG_EXPAND_SZ, TextBytes("%%x%")},
        {"single percent sign", REG_EXPAND_SZ, L"50% off", REG_SZ, TextBytes("50% off")},
        {"empty text", REG_SZ, L"", REG_SZ, TextBytes("")},
        // Other kinds as text.
        {"empty value", REG_SZ, RegistryValue(), REG_SZ, TextBytes("")},
        {"16-bit number", REG_SZ, std::int16_t{-1}, REG_SZ, TextBytes("-1")},
        {"32-bit number", REG_SZ, std::int32_t{-2147483647 - 1}, REG_SZ, TextBytes("-2147483648")},
        {"floating point", REG_SZ, 1.5, REG_SZ, TextBytes("1.5")},
        {"boolean", REG_SZ, RegistryValue::Boolean(true), REG_SZ, TextBytes("True")},
        {"false", REG_SZ, RegistryValue::Boolean(false), REG_SZ, TextBytes("False")},
        {"bytes", REG_SZ, Bytes{0x0A, 0xFF, 0x00}, REG_SZ, TextBytes("0a ff 00")},
        {"four bytes", REG_BINARY, Bytes{1, 2, 3, 0xFE}, REG_BINARY, Bytes{1, 2, 3, 0xFE}},
        {"no bytes", REG_BINARY, Bytes{}, REG_BINARY, Bytes{}},
        {"16-bit -1", REG_DWORD, std::int16_t{-1}, REG_DWORD, Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
        {"32-bit number as number", REG_DWORD, std::int32_t{0x01020304}, REG_DWORD, Bytes{4, 3, 2, 1}},
        // Type 5 is stored as type 4, in the machine's byte order.
        {"big-endian type, 32-bit", REG_DWORD_BIG_ENDIAN, std::int32_t{258}, REG_DWORD, Bytes{2, 1, 0, 0}},
        {"big-endian type, 16-bit", REG_DWORD_BIG_ENDIAN, std::int16_t{-2}, REG_DWORD, Bytes{0xFE, 0xFF, 0xFF, 0xFF}},
        // A number type writes nothing for a value that is no integer.
        {"text as number", REG_DWORD, L"7", 0, {}},
        {"floating point as number", REG_DWORD_BIG_ENDIAN, 1.5, 0, {}},
        {"boolean as number", REG_DWORD, RegistryValue::Boolean(true), 0, {}},
        {"empty as number", REG_DWORD, RegistryValue(), 0, {}},
        {"bytes as number", REG_DWORD_BIG_ENDIAN, Bytes{1, 0, 0, 0}, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Address(L"Types", FromAnsi(row.name), row.valueType);
        EXPECT_NO_THROW(reg.SetValue(row.value));
        const ScratchKey::Raw raw = ReadMachine(L"Types", row.name);
        EXPECT_EQ(row.storedType ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND, raw.status);
        EXPECT_EQ(row.storedType, raw.type);
        EXPECT_EQ(row.storedBytes, raw.bytes);
        EXPECT_EQ(row.valueType, reg.ValueType()) << "writing leaves ValueType as it was";
    }
}

TEST_F(cRegistryWrite, EachFailureRaisesItsErrorAndChangesNothing) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character fits the UTF-8 code page";
    scratch.CreateVolatileKey(Machine(L"Vol"));
    scratch.SetText(Machine(L"Present"), "?", "kept");
    scratch.CreateKey(Machine(L"Parent\\Child"));
    scratch.CreateKey(Machine(L"?"));
    const std::wstring longName(16384, L'n');
    const std::wstring setValue = L"Failed to set registry value Key: '-2147483646',Section: '";
    const auto createKey = [](cRegistry& r) { r.CreateKey(); };
    const auto deleteKey = [](cRegistry& r) { r.DeleteKey(); };
    const auto deleteValue = [](cRegistry& r) { r.DeleteValue(); };
    const auto set = [](RegistryValue value) { return [value](cRegistry& r) { r.SetValue(value); }; };
    struct Row {
        const char* what;
        std::int32_t classKey, valueType;
        std::wstring section, name;
        std::function<void(cRegistry&)> act;
        std::int32_t number;
        std::wstring description;
    };
    const Row rows[] = {
        {"key below a volatile key", kMachine, REG_SZ, L"Vol\\Child", L"", createKey, 26001,
         L"Failed to create registry Key: 'Vol\\Child"},
        {"missing key deleted", kMachine, REG_SZ, L"Missing", L"", deleteKey, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Missing"},
        {"key with subkeys deleted", kMachine, REG_SZ, L"Parent", L"", deleteKey, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Parent"},
        {"value deleted from a missing key", kMachine, REG_SZ, L"Missing", L"kept", deleteValue, 26001,
         L"Failed to open key '-2147483646',Section: 'Missing' for delete access"},
        {"missing value deleted", kMachine, REG_SZ, L"Present", L"Absent", deleteValue, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Present',Key: 'Absent"},
        {"value set where no key can be made", kMachine, REG_SZ, L"Vol\\Child", L"v", set(L"x"), 26001,
         setValue + L"Vol\\Child',Key: 'v' to value: 'x'"},
        {"value set with no root", 0, REG_SZ, L"W", L"v", set(std::int32_t{5}), 26001,
         L"Failed to set registry value Key: '0',Section: 'W',Key: 'v' to value: '5'"},
        {"type 0", kMachine, 0, L"W", L"v", set(L"text"), cRegistry::kErrSetValue,
         setValue + L"W',Key: 'v' to value: 'text'"},
        {"type 6", kMachine, REG_LINK, L"W", L"v", set(Bytes{0x01, 0xAB}), cRegistry::kErrSetValue,
         setValue + L"W',Key: 'v' to value: '01 ab'"},
        {"type 7", kMachine, REG_MULTI_SZ, L"W", L"v", set(std::int16_t{7}), cRegistry::kErrSetValue,
         setValue + L"W',Key: 'v' to value: '7'"},
        {"name the system refuses", kMachine, REG_DWORD, L"W", longName, set(std::int32_t{1}), cRegistry::kErrSetValue,
         setValue + L"W',Key: '" + longName + L"' to value: '1'"},
        // Names and paths are refused rather than handed on altered: the plain
        // conversion makes "?" of U+0F00 and "\" of the fullwidth U+FF3C.
        {"text outside the code page", kMachine, REG_SZ, L"W", L"v", set(L"\u0F00"), cRegistry::kErrSetValue,
         setValue + L"W',Key: 'v' to value: '\u0F00'"},
        {"name outside the code page", kMachine, REG_SZ, L"W", L"\u0F00", set(L"x"), cRegistry::kErrSetValue,
         setValue + L"W',Key: '\u0F00' to value: 'x'"},
        {"fullwidth backslash", kMachine, REG_SZ, L"W\uFF3CB", L"v", set(L"x"), 26001,
         setValue + L"W\uFF3CB',Key: 'v' to value: 'x'"},
        {"doubled backslash", kMachine, REG_SZ, L"W\\\\B", L"v", set(L"x"), 26001,
         setValue + L"W\\\\B',Key: 'v' to value: 'x'"},
        {"trailing backslash", kMachine, REG_SZ, L"W\\", L"v", set(L"x"), 26001,
         setValue + L"W\\',Key: 'v' to value: 'x'"},
        {"leading backslash", kMachine, REG_SZ, L"\\W", L"v", set(L"x"), 26001,
         setValue + L"\\W',Key: 'v' to value: 'x'"},
        {"key with a fullwidth backslash", kMachine, REG_SZ, L"W\uFF3CB", L"", createKey, 26001,
         L"Failed to create registry Key: 'W\uFF3CB"},
        {"key outside the code page deleted", kMachine, REG_SZ, L"\u0F00", L"", deleteKey, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: '\u0F00"},
        {"key with a trailing backslash deleted", kMachine, REG_SZ, L"Present\\", L"", deleteKey, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Present\\"},
        {"value outside the code page deleted", kMachine, REG_SZ, L"Present", L"\u0F00", deleteValue, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Present',Key: '\u0F00"},
        {"value deleted below a trailing backslash", kMachine, REG_SZ, L"Present\\", L"?", deleteValue, 26001,
         L"Failed to open key '-2147483646',Section: 'Present\\' for delete access"},
        // Bytes only: raised without a source or a description.
        {"text as bytes", kMachine, REG_BINARY, L"W", L"v", set(L"0102"), 26001, L""},
    };
    const auto before = scratch.ValuesBelow(Machine(L""));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetClassKey(row.classKey);
        object.SetSectionKey(row.section);
        object.SetValueKey(row.name);
        object.SetValueType(row.valueType);
        object.SetDefault(L"d");
        const Properties address = PropertiesOf(object);
        const std::wstring source = row.description.empty() ? L"" : ProgramName() + L".cRegistry";
        EXPECT_TRUE(Raises([&] { row.act(object); }, row.number, row.description, source));
        EXPECT_EQ(address, PropertiesOf(object));
        EXPECT_EQ(before, scratch.ValuesBelow(Machine(L""))) << "no value written or deleted";
        scratch.DeleteTree(Machine(L"W"));
    }
    EXPECT_TRUE(scratch.KeyExists(Machine(L"Parent\\Child")) && scratch.KeyExists(Machine(L"?")));
}

TEST_F(cRegistryWrite, KeysAreMadeWholeAndDeletedWithoutTheMachine) {
    // RegDeleteKeyA with an empty path deletes the key the root stands for
    // (here the machine root's key, with no subkeys yet to protect it).
    Address(L"", L"");
    EXPECT_TRUE(Raises([&] { reg.DeleteKey(); }, 26001, L"Failed to delete registry Key: '-2147483646',Section: '"));
    ASSERT_TRUE(scratch.KeyExists(Machine(L"")));

    scratch.SetText(Machine(L"Gone"), "", "unnamed");
    scratch.SetText(Machine(L"Gone"), "named", "x");
    reg.SetSectionKey(L"A\\B\\C");
    reg.SetMachine(L"\\\\quillmark-no-such-host");  // only values go through the connection
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.CreateKey()) << "an existing key is opened";
    EXPECT_TRUE(scratch.KeyExists(Machine(L"A\\B\\C")));
    // Below a volatile key only volatile keys can be made: these are not.
    scratch.CreateKey(Machine(L"A\\B\\C\\Child"));

    reg.SetSectionKey(L"Gone");
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(L"Gone", "").status);
    EXPECT_EQ(ERROR_SUCCESS, ReadMachine(L"Gone", "named").status) << "only the addressed value goes";
    reg.SetValueKey(L"named");
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(scratch.KeyExists(Machine(L"Gone")));
}

TEST_F(cRegistryWrite, SetValueExWritesTheDefaultForAnEmptyText) {
    struct Row {
        const char* what;
        std::int32_t valueType;
        RegistryValue newValue, defaultValue;
        DWORD storedType;
        Bytes storedBytes;
    };
    const Row rows[] = {
        {"empty text", REG_SZ, L"", L"fallback", REG_SZ, TextBytes("fallback")},
        {"empty value", REG_SZ, RegistryValue(), L"%TEMP%\\x", REG_EXPAND_SZ, TextBytes("%TEMP%\\x")},
        {"text given", REG_SZ, L"given", L"fallback", REG_SZ, TextBytes("given")},
        {"type 2 keeps the empty text", REG_EXPAND_SZ, L"", L"fallback", REG_SZ, TextBytes("")},
        {"number", REG_DWORD, std::int32_t{9}, std::int32_t{1}, REG_DWORD, Bytes{9, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetValueEx(kMachine, L"Ex", FromAnsi(row.what), row.valueType, row.defaultValue, row.newValue);
        const ScratchKey::Raw raw = ReadMachine(L"Ex", row.what);
        EXPECT_EQ(row.storedType, raw.type);
        EXPECT_EQ(row.storedBytes, raw.bytes);
        EXPECT_EQ((Properties{kMachine, L"Ex", FromAnsi(row.what), row.valueType, row.defaultValue, L""}),
                  PropertiesOf(object));
    }
}

// Wine looks up the computer's own name below HKEY_LOCAL_MACHINE, so this
// runs on a scratch key of the user's with the roots left alone; Wine
// connects to its own name without a registry service.
TEST(cRegistryRemote, ValuesGoThroughTheConnection) {
    const ScratchKey scratch;
    cRegistry reg;
    reg.SetClassKey(static_cast<std::int32_t>(0x80000001u));  // HKEY_CURRENT_USER
    reg.SetSectionKey(scratch.Path());
    reg.SetValueKey(L"v");
    reg.SetValueType(0);
    reg.SetDefault(L"fallback");
    reg.SetMachine(L"\\\\quillmark-no-such-host");
    EXPECT_NO_THROW(reg.SetValue(L"x")) << "an unreachable machine ends the write before the type is looked at";

    // With the backslashes: a name shorter than 3 characters would mean the local registry.
    reg.SetMachine(L"\\\\" + ThisComputer());
    reg.SetValueType(REG_SZ);
    reg.SetValue(L"through the connection");
    EXPECT_EQ(TextBytes("through the connection"), scratch.Read(L"", "v").bytes);

    // The fullwidth twin of the name is no name of this machine, though the
    // plain conversion makes the one of the other.
    std::wstring twin = ThisComputer();
    for (wchar_t& c : twin)
        if (c > L' ' && c < 0x7F) c = static_cast<wchar_t>(c + 0xFEE0);
    reg.SetMachine(L"\\\\" + twin);
    EXPECT_NO_THROW(reg.SetValue(L"through a look-alike"));
    EXPECT_EQ(RegistryValue(L"fallback"), reg.Value());
    EXPECT_EQ(TextBytes("through the connection"), scratch.Read(L"", "v").bytes);
}
