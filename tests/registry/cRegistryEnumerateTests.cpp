#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "RegistryFixture.h"
#include "TestRerun.h"

using cRegistryEnumerate = RegistryFixture;

namespace {

std::vector<std::wstring> Entries(const NameList& list) {
    std::vector<std::wstring> entries;
    for (std::int32_t i = list.LBound(); i <= list.UBound(); ++i) entries.push_back(list.Item(i));
    return entries;
}

// The names EnumerateValues lists, in any order.
std::multiset<std::wstring> ListedValueNames(const cRegistry& reg) {
    NameList names;
    std::int32_t count = -1;
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(names.Count(), count);
    const auto entries = Entries(names);
    return {entries.begin(), entries.end()};
}

}  // namespace

TEST_F(cRegistryEnumerate, SectionsComeInTheRegistrysOrderFromIndexOne) {
    for (const wchar_t* name : {L"Tcpip", L"afd", L"Beta", L"NetBT", L"alpha"})
        scratch.CreateKey(L"S\\" + std::wstring(name));
    scratch.SetText(L"S", "NotAKey", "x");
    Address(L"S", L"");

    NameList names;
    names.Append(L"stale");
    std::int32_t count = -1;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    ASSERT_EQ(5, count);
    EXPECT_EQ(1, names.LBound());
    EXPECT_EQ(5, names.UBound());

    // The registry's own order, compared with what the raw API enumerates.
    std::vector<std::wstring> raw;
    UniqueHKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(scratch.get(), L"S", 0, KEY_READ, key.put()));
    wchar_t buffer[256];
    for (DWORD i = 0; RegEnumKeyW(key.get(), i, buffer, 256) == ERROR_SUCCESS; ++i) raw.push_back(buffer);
    EXPECT_EQ(raw, Entries(names));
    EXPECT_THROW(names.Item(0), std::out_of_range);
    EXPECT_THROW(names.Item(6), std::out_of_range);
}

TEST_F(cRegistryEnumerate, EmptyOrMissingKeysGiveNoSections) {
    scratch.CreateKey(L"Empty");
    for (const wchar_t* path : {L"Empty", L"Missing"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        Address(path, L"");
        NameList names;
        names.Append(L"stale");
        std::int32_t count = -1;
        EXPECT_TRUE(reg.EnumerateSections(names, count));
        EXPECT_EQ(0, count);
        EXPECT_EQ(0, names.Count());
        EXPECT_TRUE(Entries(names).empty());
    }
}

TEST_F(cRegistryEnumerate, ANameOf255CharactersEndsTheList) {
    // Names sort by their first letter: a, b (254 characters), c (255), d.
    scratch.CreateKey(L"S\\a");
    scratch.CreateKey(L"S\\" + std::wstring(254, L'b'));
    scratch.CreateKey(L"S\\" + std::wstring(255, L'c'));
    scratch.CreateKey(L"S\\d");
    Address(L"S", L"");
    NameList names;
    std::int32_t count = 0;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    ASSERT_EQ(2, count);
    EXPECT_EQ(L"a", names.Item(1));
    EXPECT_EQ(std::wstring(254, L'b'), names.Item(2));
}

TEST_F(cRegistryEnumerate, ValuesIncludeTheUnnamedOne) {
    scratch.SetText(L"V", "", "default");
    scratch.SetText(L"V", "First", "1");
    scratch.SetDword(L"V", "A much longer value name", 2);
    scratch.CreateKey(L"V\\SubKeyIsNoValue");
    Address(L"V", L"");
    EXPECT_EQ((std::multiset<std::wstring>{L"", L"First", L"A much longer value name"}), ListedValueNames(reg));
}

TEST_F(cRegistryEnumerate, ValuesOfAKeyWithAClassName) {
    UniqueHKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(scratch.get(), "Classy", 0, const_cast<char*>("SomeClass"), 0,
                                             KEY_ALL_ACCESS, nullptr, key.put(), nullptr));
    scratch.SetText(L"Classy", "Only", "1");
    Address(L"Classy", L"");
    NameList names;
    std::int32_t count = 0;
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    ASSERT_EQ(1, count);
    EXPECT_EQ(L"Only", names.Item(1));
}

TEST_F(cRegistryEnumerate, NoValuesGiveAnEmptyList) {
    scratch.CreateKey(L"Bare");
    for (const wchar_t* path : {L"Bare", L"Missing"}) {
        Address(path, L"");
        NameList names;
        names.Append(L"stale");
        std::int32_t count = -1;
        EXPECT_TRUE(reg.EnumerateValues(names, count));
        EXPECT_EQ(0, count);
        EXPECT_EQ(0, names.Count());
    }
}

// The longest value name the key reports counts characters; under a
// multi-byte code page a name takes more bytes than that.
TEST_F(cRegistryEnumerate, ValueNamesThatTakeMoreBytesThanCharacters) {
    if (!InRerun()) {
        EXPECT_EQ(0u, RerunCurrentTestUnderUtf8()) << "failed under the UTF-8 code page";
        return;
    }
    ASSERT_EQ(static_cast<UINT>(CP_UTF8), GetACP());
    const std::wstring accented(100, L'\u00E9');   // two bytes each
    const std::wstring ideographs(60, L'\u540D');  // three bytes each
    scratch.CreateKey(L"V");
    UniqueHKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(scratch.get(), L"V", 0, KEY_SET_VALUE, key.put()));
    for (const std::wstring& name : {std::wstring(L"a"), accented, ideographs})
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4));
    Address(L"V", L"");
    EXPECT_EQ((std::multiset<std::wstring>{L"a", accented, ideographs}), ListedValueNames(reg));
}
