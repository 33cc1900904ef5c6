#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "ScratchKey.h"
#include "cRegistry.h"

// An object's whole address, to show what an operation changed or kept.
struct Properties {
    std::int32_t classKey;
    std::wstring sectionKey, valueKey;
    std::int32_t valueType;
    RegistryValue defaultValue;
    std::wstring machine;
    bool operator==(const Properties&) const = default;
};

inline Properties PropertiesOf(const cRegistry& reg) {
    return {reg.ClassKey(), reg.SectionKey(), reg.ValueKey(), reg.ValueType(), reg.Default(), reg.Machine()};
}

using Bytes = RegistryValue::Bytes;

inline Bytes TextBytes(const std::string& text) {
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

    // Takes every key and value out of both roots, which stay in place.
    void EmptyRoots() const {
        for (const wchar_t* root : {L"LM", L"CR"}) RegDeleteTreeW(scratch.Open(root, KEY_ALL_ACCESS).get(), nullptr);
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
