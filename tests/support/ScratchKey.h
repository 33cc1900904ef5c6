#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "UniqueHandle.h"

// A registry key of the test's own below HKEY_CURRENT_USER, unique per test,
// deleted with its whole tree before use and after.
class ScratchKey {
public:
    ScratchKey();
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    HKEY get() const noexcept { return key_.get(); }
    // Path below HKEY_CURRENT_USER.
    const std::wstring& Path() const noexcept { return path_; }

    // Raw registry writes below the scratch key (subPath may be empty).
    void CreateKey(const std::wstring& subPath) const;
    void SetRaw(const std::wstring& subPath, const std::string& name, DWORD type, const void* data, DWORD size) const;
    void SetText(const std::wstring& subPath, const std::string& name, const std::string& text,
                 DWORD type = REG_SZ) const;
    void SetDword(const std::wstring& subPath, const std::string& name, std::uint32_t value) const;
    void DeleteTree(const std::wstring& subPath) const;

    // The raw type and bytes of a value, for reading back what code wrote.
    struct Raw {
        LONG status = ERROR_FILE_NOT_FOUND;
        DWORD type = 0;
        std::vector<std::uint8_t> bytes;
    };
    Raw Read(const std::wstring& subPath, const std::string& name) const;

private:
    std::wstring path_;
    UniqueHKey key_;
};

// While it lives, a predefined root (HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT)
// of this process points at a scratch key.
class RootOverride {
public:
    RootOverride(HKEY root, HKEY replacement);
    ~RootOverride();
    RootOverride(const RootOverride&) = delete;
    RootOverride& operator=(const RootOverride&) = delete;

private:
    HKEY root_;
};
