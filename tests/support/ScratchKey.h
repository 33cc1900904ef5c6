#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "UniqueHandle.h"

// A registry key of the test's own below HKEY_CURRENT_USER, unique per test,
// deleted with its whole tree before use and after. Paths are relative to it.
class ScratchKey {
public:
    ScratchKey();
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    HKEY get() const noexcept { return key_.get(); }
    const std::wstring& Path() const noexcept { return path_; }  // below HKEY_CURRENT_USER

    // Makes the key and the missing ones on its path. Below a volatile key
    // only volatile keys can be made.
    void CreateKey(const std::wstring& path, bool isVolatile = false) const;
    // Stores exactly these bytes (a text's with its terminator), making the key.
    void SetRaw(const std::wstring& path, const std::string& name, DWORD type, const std::string& bytes) const;
    void SetText(const std::wstring& path, const std::string& name, const std::string& text,
                 DWORD type = REG_SZ) const {
        SetRaw(path, name, type, std::string(text.c_str(), text.size() + 1));
    }
    void DeleteTree(const std::wstring& path) const;
    UniqueHKey Open(const std::wstring& path, REGSAM access = KEY_READ) const;
    bool KeyExists(const std::wstring& path) const;

    // A value as stored, to read back what code wrote.
    struct Raw {
        LONG status = ERROR_FILE_NOT_FOUND;
        DWORD type = 0;
        std::vector<std::uint8_t> bytes;
        bool operator==(const Raw&) const = default;
    };
    Raw Read(const std::wstring& path, const std::string& name) const;
    // Every value below the key, by its key's path relative to it, a
    // backslash and its name ("a\b\name").
    std::map<std::wstring, Raw> ValuesBelow(const std::wstring& path) const;

private:
    std::wstring path_;
    UniqueHKey key_;
};

// While it lives, a predefined root (HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT)
// of this process points at a scratch key. Effective() proves it: a marker
// value set in the replacement is seen through the root. (Wine honours the
// override of HKEY_CLASSES_ROOT only for calls without a KEY_WOW64_ flag.)
class RootOverride {
public:
    RootOverride(HKEY root, HKEY replacement);
    ~RootOverride() { RegOverridePredefKey(root_, nullptr); }
    RootOverride(const RootOverride&) = delete;
    RootOverride& operator=(const RootOverride&) = delete;

    bool Effective() const noexcept { return effective_; }

private:
    HKEY root_;
    bool effective_ = false;
};
