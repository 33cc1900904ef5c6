#include <gtest/gtest.h>

#include <new>
#include <set>

#include "Error.h"
#include "FailingAllocation.h"
#include "ProgramFile.h"
#include "RegistryFixture.h"
#include "TestRerun.h"

using cRegistryEnumerate = RegistryTest;

namespace {

std::vector<std::wstring> Entries(const NameList& list) {
    std::vector<std::wstring> entries;
    for (std::int32_t i = list.LBound(); i <= list.UBound(); ++i) entries.push_back(list.Item(i));
    return entries;
}

// What an enumeration delivers, with its count checked against the list.
template <typename Enumerate>
std::vector<std::wstring> Listed(Enumerate enumerate) {
    NameList names;
    names.Append(L"stale");
    std::int32_t count = -1;
    EXPECT_TRUE(enumerate(names, count));
    EXPECT_EQ(names.Count(), count);
    return Entries(names);
}

}  // namespace

TEST_F(cRegistryEnumerate, SectionsComeInTheRegistrysOrderUpToANameOf255Characters) {
    // Names sort by their first letter; the one of 255 characters does not
    // fit the buffer (the terminator needs room) and ends the list.
    const std::wstring names[] = {L"Tcpip", L"afd", std::wstring(254, L'b'), std::wstring(255, L'c'), L"d"};
    for (const std::wstring& name : names) scratch.CreateKey(Machine(L"S\\" + name));
    scratch.SetText(Machine(L"S"), "NotAKey", "x");
    Address(L"S", L"");
    const auto sections = [&](NameList& list, std::int32_t& count) { return reg.EnumerateSections(list, count); };
    EXPECT_EQ((std::vector<std::wstring>{L"afd", names[2]}), Listed(sections));

    scratch.DeleteTree(Machine(L"S\\") + names[3]);
    const auto listed = Listed(sections);
    std::vector<std::wstring> raw;
    UniqueHKey key;
    RegOpenKeyExW(scratch.get(), Machine(L"S").c_str(), 0, KEY_READ, key.put());
    wchar_t buffer[256];
    for (DWORD i = 0; RegEnumKeyW(key.get(), i, buffer, 256) == ERROR_SUCCESS; ++i) raw.push_back(buffer);
    EXPECT_EQ(raw, listed) << "the registry's own order";
    EXPECT_EQ(4u, listed.size());

    for (const wchar_t* path : {L"S\\afd", L"Missing"}) {
        reg.SetSectionKey(path);
        EXPECT_TRUE(Listed(sections).empty()) << testing::PrintToString(std::wstring(path));
    }
    NameList list;
    EXPECT_THROW(list.Item(1), std::out_of_range);
}

TEST_F(cRegistryEnumerate, ValuesIncludeTheUnnamedOne) {
    UniqueHKey classy;
    RegCreateKeyExA(scratch.get(), "LocalMachine\\V", 0, const_cast<char*>("SomeClass"), 0, KEY_ALL_ACCESS, nullptr,
                    classy.put(), nullptr);
    scratch.SetText(Machine(L"V"), "", "default");
    scratch.SetText(Machine(L"V"), "First", "1");
    scratch.SetDword(Machine(L"V"), "A much longer value name", 2);
    scratch.CreateKey(Machine(L"V\\SubKeyIsNoValue"));
    const auto values = [&](NameList& list, std::int32_t& count) { return reg.EnumerateValues(list, count); };
    Address(L"V", L"");
    const auto listed = Listed(values);
    EXPECT_EQ((std::multiset<std::wstring>{L"", L"First", L"A much longer value name"}),
              std::multiset<std::wstring>(listed.begin(), listed.end()));
    for (const wchar_t* path : {L"V\\SubKeyIsNoValue", L"Missing"}) {
        reg.SetSectionKey(path);
        EXPECT_TRUE(Listed(values).empty()) << testing::PrintToString(std::wstring(path));
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
    const std::wstring names[] = {L"a", std::wstring(100, L'\u00E9'), std::wstring(60, L'\u540D')};
    UniqueHKey key;
    RegOpenKeyExW(scratch.get(), L"LocalMachine", 0, KEY_SET_VALUE, key.put());
    for (const std::wstring& name : names)
        RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
    Address(L"", L"");
    NameList list;
    std::int32_t count = 0;
    reg.EnumerateValues(list, count);
    EXPECT_EQ((std::multiset<std::wstring>(std::begin(names), std::end(names))),
              std::multiset<std::wstring>(list.begin(), list.end()));
}

TEST_F(cRegistryEnumerate, AFailedAllocationRaisesItsErrorForSectionsAndPassesForValues) {
    for (const wchar_t* name : {L"One", L"Two", L"Three"}) scratch.CreateKey(Machine(L"S\\") + name);
    scratch.SetText(Machine(L"S"), "a", "1");
    Address(L"S", L"");
    NameList names;
    std::int32_t count = 0;
    bool valuesRaised = false;
    for (int failAt = 0; failAt < 6; ++failAt) {
        SCOPED_TRACE(failAt);
        // Nothing of the test's own allocates between the two calls.
        FailAllocationAfter(failAt);
        try {
            reg.EnumerateSections(names, count);
            StopFailingAllocations();
            EXPECT_EQ(3, count) << "no failure was met, so every name is there";
        } catch (const Error& error) {
            StopFailingAllocations();
            EXPECT_EQ(cRegistry::kErrEnumerate, error.Number());
            EXPECT_EQ(ProgramName() + L".cRegistry", error.Source());
            EXPECT_EQ(L"std::bad_alloc", error.Description());
        }
        FailAllocationAfter(failAt);
        try {
            reg.EnumerateValues(names, count);
        } catch (const std::bad_alloc&) {
            valuesRaised = true;
        }
        StopFailingAllocations();
    }
    EXPECT_TRUE(valuesRaised);
}
