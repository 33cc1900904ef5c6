#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
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
    // A volatile key (and volatile keys for the missing ones on its path):
    // keys created below it must be volatile too, so a non-volatile creation
    // there fails.
    void CreateVolatileKey(const std::wstring& subPath) const;
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
        bool operator==(const Raw&) const = default;
    };
    Raw Read(const std::wstring& subPath, const std::string& name) const;
    bool KeyExists(const std::wstring& subPath) const;

    // Every value below subPath, keyed by its key's path relative to subPath
    // (empty for subPath itself), a backslash and its name ("a\b\name").
    std::map<std::wstring, Raw> ValuesBelow(const std::wstring& subPath) const;

private:
    std::wstring path_;
    UniqueHKey key_;
};

// While it lives, a predefined root (HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT)
// of this process points at a scratch key.
//
// Effective() proves it: a marker value set in the replacement must be seen
// through the root. Wine honours the override of HKEY_CLASSES_ROOT only for
// calls whose access carries no KEY_WOW64_32KEY or KEY_WOW64_64KEY flag; with
// one it opens the machine's real classes. Its HKEY_CLASSES_ROOT is also not
// merged with the user's classes, as it is on Windows.
class RootOverride {
public:
    RootOverride(HKEY root, HKEY replacement);
    ~RootOverride();
    RootOverride(const RootOverride&) = delete;
    RootOverride& operator=(const RootOverride&) = delete;

    bool Effective() const noexcept { return effective_; }

private:
    HKEY root_;
    bool effective_ = false;
};
