#include <gtest/gtest.h>

#include <cstddef>
#include <type_traits>

#include "RegistryFixture.h"

TEST(cRegistryAddress, NewObjectStartsEmpty) {
    const cRegistry reg;
    EXPECT_EQ(0, reg.ClassKey());
    EXPECT_EQ(L"", reg.SectionKey());
    EXPECT_EQ(L"", reg.ValueKey());
    EXPECT_EQ(0, reg.ValueType());
    EXPECT_TRUE(reg.Default().IsEmpty());
    EXPECT_EQ(L"", reg.Machine());
}

TEST(cRegistryAddress, MachineIsNormalised) {
    struct Row {
        const wchar_t* given;
        const wchar_t* stored;
    };
    const Row rows[] = {
        {L"", L""},
        {L"ab", L""},
        {L"\\\\", L""},
        {L"server", L"\\\\server"},
        {L"abc", L"\\\\abc"},
        {L"\\\\server", L"\\\\server"},
        {L"\\server", L"\\\\\\server"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.given)));
        cRegistry reg;
        reg.SetMachine(L"\\\\previous");
        reg.SetMachine(row.given);
        EXPECT_EQ(row.stored, reg.Machine());
    }
}

TEST(cRegistryAddress, PropertiesKeepWhatIsSet) {
    cRegistry reg;
    reg.SetClassKey(cRegistry::kHKeyLocalMachine);
    reg.SetSectionKey(L"A\\B");
    reg.SetValueKey(L"Name");
    reg.SetValueType(REG_EXPAND_SZ);
    reg.SetDefault(RegistryValue(std::int32_t{7}));
    EXPECT_EQ(static_cast<std::int32_t>(0x80000002u), reg.ClassKey());
    EXPECT_EQ(L"A\\B", reg.SectionKey());
    EXPECT_EQ(L"Name", reg.ValueKey());
    EXPECT_EQ(REG_EXPAND_SZ, reg.ValueType());
    EXPECT_EQ(RegistryValue(std::int32_t{7}), reg.Default());
}

TEST(cRegistryAddress, ClassKeyZeroNamesNoRoot) {
    cRegistry reg;
    reg.SetSectionKey(L"Software");
    reg.SetDefault(RegistryValue(L"fallback"));
    EXPECT_EQ(RegistryValue(L"fallback"), reg.Value());
    EXPECT_FALSE(reg.KeyExists());
    NameList names;
    std::int32_t count = -1;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(0, count);
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(0, names.Count());
}

using cRegistryKeyExists = RegistryFixture;

TEST_F(cRegistryKeyExists, AnswersWhetherTheKeyOpens) {
    scratch.CreateKey(L"Present");
    Address(L"Present", L"");
    EXPECT_TRUE(reg.KeyExists());
    Address(L"Absent", L"");
    EXPECT_FALSE(reg.KeyExists());
    // Machine plays no part.
    Address(L"Present", L"");
    reg.SetMachine(L"\\\\no-such-machine");
    EXPECT_TRUE(reg.KeyExists());
}

TEST(RegistryValueText, EveryKindHasATextForm) {
    EXPECT_EQ(L"", RegistryValue().ToText());
    EXPECT_EQ(L"abc", RegistryValue(L"abc").ToText());
    EXPECT_EQ(L"-1", RegistryValue(std::int16_t{-1}).ToText());
    EXPECT_EQ(L"-2147483648", RegistryValue(std::int32_t{INT32_MIN}).ToText());
    EXPECT_EQ(L"1.5", RegistryValue(1.5).ToText());
    EXPECT_EQ(L"True", RegistryValue::Boolean(true).ToText());
    EXPECT_EQ(L"False", RegistryValue::Boolean(false).ToText());
    EXPECT_EQ(L"00 7f ff", RegistryValue(RegistryValue::Bytes{0x00, 0x7F, 0xFF}).ToText());
    EXPECT_EQ(L"", RegistryValue(RegistryValue::Bytes{}).ToText());
}

// A boolean would become the number 1 and a null text would fail only when
// it runs: neither may make a value (booleans go through Boolean()).
TEST(RegistryValueKinds, NeitherABooleanNorANullPointerMakesAValue) {
    EXPECT_FALSE((std::is_constructible_v<RegistryValue, bool>));
    EXPECT_FALSE((std::is_constructible_v<RegistryValue, std::nullptr_t>));
}
