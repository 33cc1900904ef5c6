// The registry class over scratch keys, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT pointed at them:
// reading, writing, keys and associations.
#include "cRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <set>
#include <thread>
#include <type_traits>

#include "ProgramFile.h"
#include "Raises.h"
#include "ScratchKey.h"
#include "Text.h"

using namespace std::string_literals;

namespace {

// An object's whole address, to show what an operation changed or kept.
struct Properties {
    std::int32_t classKey;
    std::wstring sectionKey, valueKey;
    std::int32_t valueType;
    RegistryValue defaultValue;
    std::wstring machine;
    bool operator==(const Properties&) const = default;
};

Properties PropertiesOf(const cRegistry& reg) {
    return {reg.ClassKey(), reg.SectionKey(), reg.ValueKey(), reg.ValueType(), reg.Default(), reg.Machine()};
}

using Bytes = RegistryValue::Bytes;

Bytes TextBytes(const std::string& text) {
    return Bytes(text.c_str(), text.c_str() + text.size() + 1);
}

// HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT point at "LM" and "CR" of the scratch key; a test
// whose roots could not be moved stops in SetUp, before it writes anything.
class RegistryTest : public testing::Test {
protected:
    static constexpr std::int32_t kMachine = cRegistry::kHKeyLocalMachine;

    void SetUp() override {
        for (const wchar_t* root : {L"LM", L"CR"}) scratch.CreateKey(root);
        machine_.emplace(HKEY_LOCAL_MACHINE, scratch.Open(L"LM", KEY_ALL_ACCESS).get());
        classes_.emplace(HKEY_CLASSES_ROOT, scratch.Open(L"CR", KEY_ALL_ACCESS).get());
        ASSERT_TRUE(machine_->Effective() && classes_->Effective()) << "the roots still name the real keys";
    }

    // reg addressed below HKEY_LOCAL_MACHINE.
    void Address(const std::wstring& path, const std::wstring& name, std::int32_t valueType = REG_SZ) {
        reg.SetClassKey(kMachine);
        reg.SetSectionKey(path);
        reg.SetValueKey(name);
        reg.SetValueType(valueType);
    }

    ScratchKey scratch;
    cRegistry reg;

private:
    std::optional<RootOverride> machine_, classes_;
};

// The text values below a root as "key path\name: text" lines.
std::string Layout(const ScratchKey& scratch, const std::wstring& root) {
    std::string layout;
    for (const auto& [where, raw] : scratch.ValuesBelow(root)) {
        EXPECT_TRUE(raw.type == REG_SZ || raw.type == REG_EXPAND_SZ);
        EXPECT_TRUE(!raw.bytes.empty() && raw.bytes.back() == 0) << "a text with its terminator";
        layout += ToAnsi(where) + ": " + std::string(raw.bytes.begin(), raw.bytes.end() - !raw.bytes.empty()) + "\n";
    }
    return layout;
}

}  // namespace

using cRegistryRead = RegistryTest;
using cRegistryWrite = RegistryTest;

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
        std::wstring section, name, machine;
        bool keyExists;
    } rows[] = {
        {"missing value", L"Key", L"Absent", L"", true},
        {"missing key", L"NoKey", L"v", L"", false},
        {"unreachable machine (KeyExists ignores it)", L"Key", L"v", L"\\\\quillmark-no-such-host", true},
        // The plain conversion makes "\" of U+FF3C and "?" of U+0F00.
        {"fullwidth backslash in the path", L"A\uFF3CB", L"v", L"", false},
        {"path outside the code page", L"\u0F00", L"v", L"", false},
        {"name outside the code page", L"Key", L"\u0F00", L"", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetMachine(row.machine);
        EXPECT_EQ(RegistryValue(L"fallback"), object.ValueEx(kMachine, row.section, row.name, REG_BINARY, L"fallback"));
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

// Extension, class, verbs and icon go under HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes,
// nothing else; the program path trimmed and quoted, an empty menu text the default.
TEST_F(RegistryTest, AssociationsAreWrittenUnderBothRoots) {
    const std::string base = ".apf\\: AppFile\nAppFile\\: App File\n";
    const auto open = [](const std::string& program) {
        return "AppFile\\shell\\open\\: &Open\nAppFile\\shell\\open\\command\\: " + program + " \"%1\"\n";
    };
    const std::string quoted = "\"C:\\App\\app.exe\"";
    const auto associate = [&](const std::wstring& path, bool verbs, std::int32_t icon) {
        reg.CreateEXEAssociation(path, L"AppFile", L"App File", L"apf", L"", verbs, L"", verbs, L"N", verbs, L"", icon);
    };
    const struct {
        std::function<void()> create;
        std::string layout;
    } rows[] = {
        {[&] { associate(L"C:\\App\\app.exe", false, -7); }, base + open(quoted)},
        {[&] { associate(L"  \"C:\\App\\app.exe\" ", false, 0); },
         base + "AppFile\\DefaultIcon\\: " + quoted + ",0\n" + open(quoted)},
        {[&] { associate(L"\"C:\\App\\app.exe", true, -1); },
         base + "AppFile\\shell\\add\\: &Install apf\nAppFile\\shell\\add\\command\\: " + quoted + " /a \"%1\"\n" +
             "AppFile\\shell\\new\\: N\nAppFile\\shell\\new\\command\\: " + quoted + " /n \"%1\"\n" + open(quoted) +
             "AppFile\\shell\\print\\: &Print\nAppFile\\shell\\print\\command\\: " + quoted + " /p \"%1\"\n"},
        {[&] { associate(L"   ", false, -1); }, base + open("\"")},
        // Verbs go to a class of the classes root; one that cannot be written (this one would set
        // the shell key's own value, its default verb) does not keep the others out.
        {[&] {
             reg.SetValueKey(L"name");
             reg.CreateAdditionalEXEAssociations(L"AppFile",
                                                 {L"", L"&Nameless", L"x.exe", std::int32_t{5}, 1.5, L"%a%"});
         },
         "AppFile\\shell\\5\\: 1.5\nAppFile\\shell\\5\\command\\: %a%\n"},
    };
    for (const auto& row : rows) {
        scratch.CreateKey(L"CR\\AppFile");
        row.create();
        EXPECT_EQ(row.layout, Layout(scratch, L"CR")) << "below HKEY_CLASSES_ROOT";
        EXPECT_EQ(row.layout, Layout(scratch, L"LM\\SOFTWARE\\Classes")) << "below HKEY_LOCAL_MACHINE";
        EXPECT_EQ(cRegistry::kHKeyLocalMachine, reg.ClassKey());
        EXPECT_EQ(L"", reg.ValueKey());
        // Every key and value out of both roots, which stay in place.
        for (const wchar_t* root : {L"LM", L"CR"}) RegDeleteTreeW(scratch.Open(root, KEY_ALL_ACCESS).get(), nullptr);
    }
    // A class only below the object's own root is no class.
    scratch.CreateKey(L"LM\\Elsewhere");
    const Properties before = PropertiesOf(reg);
    const auto addVerb = [&] { reg.CreateAdditionalEXEAssociations(L"Elsewhere", {L"a", L"b", L"c"}); };
    EXPECT_TRUE(Raises(addVerb, cRegistry::kErrClassMissing,
                       L"Error - attempt to create additional associations before class defined.",
                       ProgramName() + L".cRegistry"));
    EXPECT_EQ(before, PropertiesOf(reg));
    EXPECT_EQ("", Layout(scratch, L"CR") + Layout(scratch, L"LM\\SOFTWARE"));
}
