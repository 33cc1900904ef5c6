#pragma once

#include <gtest/gtest.h>

#include "ScratchKey.h"
#include "Text.h"
#include "cRegistry.h"

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
