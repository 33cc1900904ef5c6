#pragma once

#include <optional>

#include "RegistryFixture.h"
#include "UniqueHandle.h"

// For code that writes below HKEY_CLASSES_ROOT or HKEY_LOCAL_MACHINE: while a
// test runs, both roots point at keys of the test's scratch key, which raw
// reads reach as kClassesRoot and kLocalMachine. A test whose roots could not
// be moved stops in SetUp, before it writes anything.
class OverriddenRootsFixture : public RegistryFixture {
protected:
    static constexpr std::int32_t kMachine = cRegistry::kHKeyLocalMachine;
    static constexpr std::int32_t kClasses = cRegistry::kHKeyClassesRoot;
    static inline const std::wstring kClassesRoot = L"ClassesRoot";
    static inline const std::wstring kLocalMachine = L"LocalMachine";

    void SetUp() override {
        classesRoot_.emplace(HKEY_CLASSES_ROOT, OpenScratch(kClassesRoot).get());
        localMachine_.emplace(HKEY_LOCAL_MACHINE, OpenScratch(kLocalMachine).get());
        ASSERT_TRUE(classesRoot_->Effective()) << "HKEY_CLASSES_ROOT still names the real classes";
        ASSERT_TRUE(localMachine_->Effective()) << "HKEY_LOCAL_MACHINE still names the real machine key";
    }

    void TearDown() override {
        localMachine_.reset();
        classesRoot_.reset();
    }

    // Takes every key and value out of both roots, which stay in place.
    void EmptyRoots() const {
        for (const std::wstring& root : {kClassesRoot, kLocalMachine}) {
            UniqueHKey key = OpenScratch(root);
            EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeW(key.get(), nullptr));
        }
    }

    // reg addressed below HKEY_LOCAL_MACHINE.
    void AddressMachine(const std::wstring& path, const std::wstring& name, std::int32_t valueType) {
        reg.SetClassKey(kMachine);
        reg.SetSectionKey(path);
        reg.SetValueKey(name);
        reg.SetValueType(valueType);
    }

    ScratchKey::Raw ReadMachine(const std::wstring& path, const std::string& name) const {
        return scratch.Read(kLocalMachine + L"\\" + path, name);
    }

private:
    UniqueHKey OpenScratch(const std::wstring& subPath) const {
        scratch.CreateKey(subPath);
        UniqueHKey key;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(scratch.get(), subPath.c_str(), 0, KEY_ALL_ACCESS, key.put()));
        return key;
    }

    std::optional<RootOverride> classesRoot_;
    std::optional<RootOverride> localMachine_;
};
