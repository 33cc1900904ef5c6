#include <gtest/gtest.h>

#include <functional>

#include "Error.h"
#include "HandleCount.h"
#include "OverriddenRootsFixture.h"
#include "ProgramFile.h"

using cRegistryWrite = OverriddenRootsFixture;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TextBytes(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::vector<std::wstring> Names(const std::map<std::wstring, ScratchKey::Raw>& values) {
    std::vector<std::wstring> names;
    for (const auto& entry : values) names.push_back(entry.first);
    return names;
}

std::wstring ThisComputer() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    EXPECT_TRUE(GetComputerNameW(name, &length));
    return name;
}

}  // namespace

TEST_F(cRegistryWrite, WritesEachValueTypeByItsRule) {
    struct Row {
        const char* name;
        std::int32_t valueType;
        RegistryValue value;
        DWORD storedType;
        Bytes storedBytes;
    };
    const Row rows[] = {
        {"plain text", REG_SZ, RegistryValue(L"C:\\Tools\\app.exe"), REG_SZ, TextBytes("C:\\Tools\\app.exe")},
        // The text chooses its type, not ValueType.
        {"type 2 without a percent pair", REG_EXPAND_SZ, RegistryValue(L"C:\\Tools\\app.exe"), REG_SZ,
         TextBytes("C:\\Tools\\app.exe")},
        {"percent pair", REG_SZ, RegistryValue(L"%SystemRoot%\\app.exe"), REG_EXPAND_SZ,
         TextBytes("%SystemRoot%\\app.exe")},
        {"percent pair later in the text", REG_SZ, RegistryValue(L"a%b%"), REG_EXPAND_SZ, TextBytes("a%b%")},
        {"adjacent percent signs", REG_SZ, RegistryValue(L"100%%"), REG_SZ, TextBytes("100%%")},
        {"adjacent pair then one more", REG_SZ, RegistryValue(L"%%x%"), REG_EXPAND_SZ, TextBytes("%%x%")},
        {"single percent sign", REG_EXPAND_SZ, RegistryValue(L"50% off"), REG_SZ, TextBytes("50% off")},
        {"five characters take six bytes", REG_SZ, RegistryValue(L"abcde"), REG_SZ, TextBytes("abcde")},
        {"empty text takes one byte", REG_SZ, RegistryValue(L""), REG_SZ, TextBytes("")},
        {"empty value as text", REG_SZ, RegistryValue(), REG_SZ, TextBytes("")},
        {"16-bit number as text", REG_SZ, RegistryValue(std::int16_t{-1}), REG_SZ, TextBytes("-1")},
        {"32-bit number as text", REG_SZ, RegistryValue(std::int32_t{-2147483647 - 1}), REG_SZ,
         TextBytes("-2147483648")},
        {"floating point as text", REG_SZ, RegistryValue(1.5), REG_SZ, TextBytes("1.5")},
        {"boolean as text", REG_SZ, RegistryValue::Boolean(true), REG_SZ, TextBytes("True")},
        {"bytes as text", REG_SZ, RegistryValue(Bytes{0x0A, 0xFF}), REG_SZ, TextBytes("0a ff")},
        {"four bytes", REG_BINARY, RegistryValue(Bytes{1, 2, 3, 0xFE}), REG_BINARY, Bytes{1, 2, 3, 0xFE}},
        {"no bytes", REG_BINARY, RegistryValue(Bytes{}), REG_BINARY, Bytes{}},
        {"16-bit -1", REG_DWORD, RegistryValue(std::int16_t{-1}), REG_DWORD, Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
        {"16-bit 258", REG_DWORD, RegistryValue(std::int16_t{258}), REG_DWORD, Bytes{0x02, 0x01, 0, 0}},
        {"32-bit number", REG_DWORD, RegistryValue(std::int32_t{0x01020304}), REG_DWORD, Bytes{4, 3, 2, 1}},
        // Type 5 is stored as type 4, in the machine's byte order.
        {"big-endian type, 32-bit", REG_DWORD_BIG_ENDIAN, RegistryValue(std::int32_t{258}), REG_DWORD,
         Bytes{0x02, 0x01, 0, 0}},
        {"big-endian type, 16-bit", REG_DWORD_BIG_ENDIAN, RegistryValue(std::int16_t{-2}), REG_DWORD,
         Bytes{0xFE, 0xFF, 0xFF, 0xFF}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AddressMachine(L"Types", FromAnsi(row.name), row.valueType);
        reg.SetValue(row.value);
        const ScratchKey::Raw raw = ReadMachine(L"Types", row.name);
        ASSERT_EQ(ERROR_SUCCESS, raw.status);
        EXPECT_EQ(row.storedType, raw.type);
        EXPECT_EQ(row.storedBytes, raw.bytes);
        EXPECT_EQ(row.valueType, reg.ValueType()) << "writing leaves ValueType as it was";
    }
}

TEST_F(cRegistryWrite, BigEndianTypeReadsBackTheSameNumber) {
    AddressMachine(L"Numbers", L"n", REG_DWORD_BIG_ENDIAN);
    reg.SetValue(std::int32_t{258});
    EXPECT_EQ(RegistryValue(std::int32_t{258}), reg.Value());
    EXPECT_EQ(REG_DWORD, reg.ValueType());
}

TEST_F(cRegistryWrite, NumberTypesWriteNothingForOtherKinds) {
    struct Row {
        const char* what;
        RegistryValue value;
    };
    const Row rows[] = {
        {"floating point", RegistryValue(1.5)},      {"text", RegistryValue(L"7")},
        {"boolean", RegistryValue::Boolean(true)},   {"empty", RegistryValue()},
        {"bytes", RegistryValue(Bytes{1, 0, 0, 0})},
    };
    for (const std::int32_t valueType : {REG_DWORD, REG_DWORD_BIG_ENDIAN}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << row.what << " as type " << valueType);
            AddressMachine(L"Numbers", L"n", valueType);
            EXPECT_NO_THROW(reg.SetValue(row.value));
            EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(L"Numbers", "n").status);
        }
    }
    EXPECT_TRUE(scratch.KeyExists(kLocalMachine + L"\\Numbers")) << "the key is created all the same";
}

TEST_F(cRegistryWrite, CreatesAMissingPathWhole) {
    AddressMachine(L"A\\B\\C", L"v", REG_SZ);
    reg.SetValue(L"deep");
    EXPECT_EQ(TextBytes("deep"), ReadMachine(L"A\\B\\C", "v").bytes);

    AddressMachine(L"K\\L\\M", L"", REG_SZ);
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(scratch.KeyExists(kLocalMachine + L"\\K\\L\\M"));
    EXPECT_TRUE(reg.CreateKey()) << "an existing key is opened";
    // Below a volatile key only volatile keys can be made: these are not.
    scratch.CreateKey(kLocalMachine + L"\\A\\B\\C\\Child");
    scratch.CreateKey(kLocalMachine + L"\\K\\L\\M\\Child");
}

TEST_F(cRegistryWrite, ValueExStoresTheAddressAndWritesDefaultForAnEmptyText) {
    struct Row {
        const char* what;
        std::int32_t valueType;
        RegistryValue newValue;
        RegistryValue defaultValue;
        DWORD storedType;
        Bytes storedBytes;
    };
    const Row rows[] = {
        {"empty text", REG_SZ, RegistryValue(L""), RegistryValue(L"fallback"), REG_SZ, TextBytes("fallback")},
        {"empty value", REG_SZ, RegistryValue(), RegistryValue(L"%TEMP%\\x"), REG_EXPAND_SZ, TextBytes("%TEMP%\\x")},
        {"text given", REG_SZ, RegistryValue(L"given"), RegistryValue(L"fallback"), REG_SZ, TextBytes("given")},
        {"type 2 keeps the empty text", REG_EXPAND_SZ, RegistryValue(L""), RegistryValue(L"fallback"), REG_SZ,
         TextBytes("")},
        {"number", REG_DWORD, RegistryValue(std::int32_t{9}), RegistryValue(std::int32_t{1}), REG_DWORD,
         Bytes{9, 0, 0, 0}},
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

TEST_F(cRegistryWrite, DeletesTheAddressedValueAndKey) {
    scratch.SetText(kLocalMachine + L"\\Gone", "", "unnamed");
    scratch.SetText(kLocalMachine + L"\\Gone", "named", "x");
    AddressMachine(L"Gone", L"", REG_SZ);
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(L"Gone", "").status);
    EXPECT_EQ(ERROR_SUCCESS, ReadMachine(L"Gone", "named").status) << "only the addressed value goes";

    reg.SetValueKey(L"named");
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(scratch.KeyExists(kLocalMachine + L"\\Gone"));
}

TEST_F(cRegistryWrite, EachFailureRaisesItsErrorAndChangesNothing) {
    scratch.CreateVolatileKey(kLocalMachine + L"\\Vol");
    scratch.SetText(kLocalMachine + L"\\Present", "kept", "x");
    scratch.CreateKey(kLocalMachine + L"\\Parent\\Child");
    const std::wstring longName(16384, L'n');
    const std::wstring source = ProgramName() + L".cRegistry";
    struct Row {
        const char* what;
        std::int32_t classKey;
        std::wstring section;
        std::wstring name;
        std::int32_t valueType;
        std::function<void(cRegistry&)> act;
        std::int32_t number;
        std::wstring source;
        std::wstring description;
        bool sectionExistsAfter;
    };
    const auto createKey = [](cRegistry& r) { r.CreateKey(); };
    const auto deleteKey = [](cRegistry& r) { r.DeleteKey(); };
    const auto deleteValue = [](cRegistry& r) { r.DeleteValue(); };
    const auto set = [](RegistryValue value) { return [value](cRegistry& r) { r.SetValue(value); }; };
    const Row rows[] = {
        {"key below a volatile key", kMachine, L"Vol\\Child", L"v", REG_SZ, createKey, 26001, source,
         L"Failed to create registry Key: 'Vol\\Child", false},
        {"missing key deleted", kMachine, L"Missing", L"", REG_SZ, deleteKey, 26001, source,
         L"Failed to delete registry Key: '-2147483646',Section: 'Missing", false},
        {"key with subkeys deleted", kMachine, L"Parent", L"", REG_SZ, deleteKey, 26001, source,
         L"Failed to delete registry Key: '-2147483646',Section: 'Parent", true},
        {"value deleted from a missing key", kMachine, L"Missing", L"kept", REG_SZ, deleteValue, 26001, source,
         L"Failed to open key '-2147483646',Section: 'Missing' for delete access", false},
        {"missing value deleted", kMachine, L"Present", L"Absent", REG_SZ, deleteValue, 26001, source,
         L"Failed to delete registry Key: '-2147483646',Section: 'Present',Key: 'Absent", true},
        {"value set where no key can be made", kMachine, L"Vol\\Child", L"v", REG_SZ, set(L"x"), 26001, source,
         L"Failed to set registry value Key: '-2147483646',Section: 'Vol\\Child',Key: 'v' to value: 'x'", false},
        {"value set with no root", 0, L"W", L"v", REG_SZ, set(std::int32_t{5}), 26001, source,
         L"Failed to set registry value Key: '0',Section: 'W',Key: 'v' to value: '5'", false},
        {"text as bytes", kMachine, L"W", L"v", REG_BINARY, set(L"0102"), 26001, L"", L"", true},
        {"number as bytes", kMachine, L"W", L"v", REG_BINARY, set(std::int32_t{1}), 26001, L"", L"", true},
        {"type 0", kMachine, L"W", L"v", 0, set(L"text"), cRegistry::kErrSetValue, source,
         L"Failed to set registry value Key: '-2147483646',Section: 'W',Key: 'v' to value: 'text'", true},
        {"type 6", kMachine, L"W", L"v", REG_LINK, set(Bytes{0x01, 0xAB}), cRegistry::kErrSetValue, source,
         L"Failed to set registry value Key: '-2147483646',Section: 'W',Key: 'v' to value: '01 ab'", true},
        {"type 7", kMachine, L"W", L"v", REG_MULTI_SZ, set(std::int16_t{7}), cRegistry::kErrSetValue, source,
         L"Failed to set registry value Key: '-2147483646',Section: 'W',Key: 'v' to value: '7'", true},
        {"name the system refuses", kMachine, L"W", longName, REG_DWORD, set(std::int32_t{1}), cRegistry::kErrSetValue,
         source, L"Failed to set registry value Key: '-2147483646',Section: 'W',Key: '" + longName + L"' to value: '1'",
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        scratch.DeleteTree(kLocalMachine + L"\\W");
        cRegistry object;
        object.SetClassKey(row.classKey);
        object.SetSectionKey(row.section);
        object.SetValueKey(row.name);
        object.SetValueType(row.valueType);
        object.SetDefault(RegistryValue(L"d"));
        const Properties before = PropertiesOf(object);
        const std::vector<std::wstring> valuesBefore = Names(scratch.ValuesBelow(kLocalMachine));
        try {
            row.act(object);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(row.number, error.Number());
            EXPECT_EQ(row.source, error.Source());
            EXPECT_EQ(row.description, error.Description());
        }
        // The first failure may load tables the system keeps; a second one
        // must not leave a handle more.
        const std::size_t handlesBefore = OpenHandleCount();
        EXPECT_THROW(row.act(object), Error);
        EXPECT_EQ(handlesBefore, OpenHandleCount()) << "no key stays open";
        EXPECT_EQ(before, PropertiesOf(object));
        EXPECT_EQ(valuesBefore, Names(scratch.ValuesBelow(kLocalMachine))) << "no value written or deleted";
        EXPECT_EQ(row.sectionExistsAfter, scratch.KeyExists(kLocalMachine + L"\\" + row.section));
    }
}

TEST_F(cRegistryWrite, RefusesNamesAndPathsItCannotHandOnUnaltered) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "every character fits the UTF-8 code page";
    // U+0F00 has no place in any 8-bit or double-byte code page; the plain
    // conversion turns it into "?" and the fullwidth backslash U+FF3C into "\".
    scratch.CreateKey(kLocalMachine + L"\\?");
    scratch.CreateKey(kLocalMachine + L"\\Leaf");
    scratch.SetText(kLocalMachine + L"\\Present", "?", "kept");
    const std::wstring source = ProgramName() + L".cRegistry";
    struct Row {
        const char* what;
        std::wstring section;
        std::wstring name;
        std::function<void(cRegistry&)> act;
        std::int32_t number;
        std::wstring description;
    };
    const auto createKey = [](cRegistry& r) { r.CreateKey(); };
    const auto deleteKey = [](cRegistry& r) { r.DeleteKey(); };
    const auto deleteValue = [](cRegistry& r) { r.DeleteValue(); };
    const auto set = [](std::wstring text) { return [text](cRegistry& r) { r.SetValue(text); }; };
    const std::wstring setMessage = L"Failed to set registry value Key: '-2147483646',Section: '";
    const Row rows[] = {
        {"text outside the code page", L"W", L"v", set(L"\u0F00 app"), cRegistry::kErrSetValue,
         setMessage + L"W',Key: 'v' to value: '\u0F00 app'"},
        {"value name outside the code page", L"W", L"\u0F00", set(L"x"), cRegistry::kErrSetValue,
         setMessage + L"W',Key: '\u0F00' to value: 'x'"},
        {"fullwidth backslash in a path", L"A\uFF3CB", L"v", set(L"x"), 26001,
         setMessage + L"A\uFF3CB',Key: 'v' to value: 'x'"},
        {"doubled backslash", L"A\\\\B", L"v", set(L"x"), 26001, setMessage + L"A\\\\B',Key: 'v' to value: 'x'"},
        {"trailing backslash", L"A\\", L"v", set(L"x"), 26001, setMessage + L"A\\',Key: 'v' to value: 'x'"},
        {"leading backslash", L"\\A", L"v", set(L"x"), 26001, setMessage + L"\\A',Key: 'v' to value: 'x'"},
        {"key with a fullwidth backslash", L"A\uFF3CB", L"", createKey, 26001,
         L"Failed to create registry Key: 'A\uFF3CB"},
        {"key with a doubled backslash", L"A\\\\B", L"", createKey, 26001, L"Failed to create registry Key: 'A\\\\B"},
        {"key outside the code page deleted", L"\u0F00", L"", deleteKey, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: '\u0F00"},
        {"key with a trailing backslash deleted", L"Leaf\\", L"", deleteKey, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Leaf\\"},
        {"value outside the code page deleted", L"Present", L"\u0F00", deleteValue, 26001,
         L"Failed to delete registry Key: '-2147483646',Section: 'Present',Key: '\u0F00"},
        {"value deleted below a trailing backslash", L"Present\\", L"?", deleteValue, 26001,
         L"Failed to open key '-2147483646',Section: 'Present\\' for delete access"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        scratch.DeleteTree(kLocalMachine + L"\\W");
        AddressMachine(row.section, row.name, REG_SZ);
        try {
            row.act(reg);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(row.number, error.Number());
            EXPECT_EQ(source, error.Source());
            EXPECT_EQ(row.description, error.Description());
        }
        EXPECT_FALSE(scratch.KeyExists(kLocalMachine + L"\\A"));
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(L"W", "?").status);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(L"W", "v").status);
        EXPECT_TRUE(scratch.KeyExists(kLocalMachine + L"\\?"));
        EXPECT_TRUE(scratch.KeyExists(kLocalMachine + L"\\Leaf"));
        EXPECT_EQ(TextBytes("kept"), ReadMachine(L"Present", "?").bytes);
    }
    EXPECT_TRUE(scratch.KeyExists(kLocalMachine));
}

// Wine looks up the computer's own name below HKEY_LOCAL_MACHINE, so these
// run on the user's scratch key with the roots left alone; Wine connects to
// its own name without a registry service.
using cRegistryRemoteWrite = RegistryFixture;

TEST_F(cRegistryRemoteWrite, WritesGoThroughTheConnection) {
    Address(L"Remote", L"v");
    reg.SetValueType(REG_SZ);
    reg.SetMachine(L"\\\\quillmark-no-such-host");
    EXPECT_NO_THROW(reg.SetValue(L"x"));
    reg.SetValueType(0);
    EXPECT_NO_THROW(reg.SetValue(L"x")) << "the write ends before the type is looked at";
    EXPECT_FALSE(scratch.KeyExists(L"Remote"));

    // With the backslashes: a name shorter than 3 characters alone would
    // mean the local registry.
    reg.SetMachine(L"\\\\" + ThisComputer());
    reg.SetValueType(REG_SZ);
    reg.SetValue(L"through the connection");
    EXPECT_EQ(TextBytes("through the connection"), scratch.Read(L"Remote", "v").bytes);

    // The fullwidth twin of the name is no name of this machine, though the
    // plain conversion makes the one of the other.
    std::wstring twin = ThisComputer();
    for (wchar_t& c : twin)
        if (c > L' ' && c < 0x7F) c = static_cast<wchar_t>(c + 0xFEE0);
    reg.SetMachine(L"\\\\" + twin);
    EXPECT_NO_THROW(reg.SetValue(L"through a look-alike"));
    EXPECT_EQ(TextBytes("through the connection"), scratch.Read(L"Remote", "v").bytes);
    reg.SetDefault(RegistryValue(L"fallback"));
    EXPECT_EQ(RegistryValue(L"fallback"), reg.Value());
}

TEST_F(cRegistryWrite, DeleteKeyRefusesAnEmptyPath) {
    // RegDeleteKeyA with an empty path deletes the key the root stands for
    // (here the machine's scratch key, which has no subkeys to protect it).
    AddressMachine(L"", L"", REG_SZ);
    try {
        reg.DeleteKey();
        ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
        EXPECT_EQ(26001, error.Number());
        EXPECT_EQ(L"Failed to delete registry Key: '-2147483646',Section: '", error.Description());
    }
    EXPECT_TRUE(scratch.KeyExists(kLocalMachine));
}

TEST_F(cRegistryWrite, KeyAndDeleteOperationsIgnoreTheMachine) {
    scratch.SetText(kLocalMachine + L"\\Local", "v", "x");
    AddressMachine(L"Local\\New", L"", REG_SZ);
    reg.SetMachine(L"\\\\quillmark-no-such-host");
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(scratch.KeyExists(kLocalMachine + L"\\Local\\New"));
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(scratch.KeyExists(kLocalMachine + L"\\Local\\New"));
    reg.SetSectionKey(L"Local");
    reg.SetValueKey(L"v");
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadMachine(L"Local", "v").status);
}
