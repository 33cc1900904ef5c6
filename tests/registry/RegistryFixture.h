#pragma once

#include <gtest/gtest.h>

#include "ScratchKey.h"
#include "Text.h"
#include "cRegistry.h"

// An object's whole address, to show what an operation changed or kept.
struct Properties {
    std::int32_t classKey;
    std::wstring sectionKey;
    std::wstring valueKey;
    std::int32_t valueType;
    RegistryValue defaultValue;
    std::wstring machine;
    bool operator==(const Properties&) const = default;
};

inline Properties PropertiesOf(const cRegistry& reg) {
    return {reg.ClassKey(), reg.SectionKey(), reg.ValueKey(), reg.ValueType(), reg.Default(), reg.Machine()};
}

// A registry object addressed at the test's scratch key below HKEY_CURRENT_USER.
class RegistryFixture : public testing::Test {
protected:
    static constexpr std::int32_t kHKeyCurrentUser = static_cast<std::int32_t>(0x80000001u);

    void Address(const std::wstring& subPath, const std::wstring& valueName) {
        reg.SetClassKey(kHKeyCurrentUser);
        reg.SetSectionKey(subPath.empty() ? scratch.Path() : scratch.Path() + L"\\" + subPath);
        reg.SetValueKey(valueName);
    }

    ScratchKey scratch;
    cRegistry reg;
};
