#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <atomic>

ScratchKey::ScratchKey() {
    static std::atomic<int> counter{0};
    path_ = L"Software\\QuillmarkTests\\" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             key_.put(), nullptr));
}

ScratchKey::~ScratchKey() {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

void ScratchKey::CreateKey(const std::wstring& path, bool isVolatile) const {
    UniqueHKey key;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(key_.get(), path.c_str(), 0, nullptr, isVolatile ? REG_OPTION_VOLATILE : 0,
                                             KEY_ALL_ACCESS, nullptr, key.put(), nullptr))
        << testing::PrintToString(path);
}

void ScratchKey::SetRaw(const std::wstring& path, const std::string& name, DWORD type, const std::string& bytes) const {
    CreateKey(path);
    // The system adds a text's missing terminator when the byte after the
    // data happens to be zero: a byte that is not keeps the data exact.
    const std::string exact = bytes + '\xBD';
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExA(Open(path, KEY_SET_VALUE).get(), name.c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(exact.data()), static_cast<DWORD>(bytes.size())))
        << name;
}

void ScratchKey::DeleteTree(const std::wstring& path) const {
    RegDeleteTreeW(key_.get(), path.c_str());
}

UniqueHKey ScratchKey::Open(const std::wstring& path, REGSAM access) const {
    UniqueHKey key;
    RegOpenKeyExW(key_.get(), path.c_str(), 0, access, key.put());
    return key;
}

bool ScratchKey::KeyExists(const std::wstring& path) const {
    return static_cast<bool>(Open(path));
}

ScratchKey::Raw ScratchKey::Read(const std::wstring& path, const std::string& name) const {
    Raw raw;
    const UniqueHKey key = Open(path);
    DWORD size = 0;
    raw.status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &raw.type, nullptr, &size);
    raw.bytes.resize(size);
    if (raw.status == ERROR_SUCCESS)
        raw.status = RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, raw.bytes.data(), &size);
    return raw;
}

std::map<std::wstring, ScratchKey::Raw> ScratchKey::ValuesBelow(const std::wstring& path) const {
    std::map<std::wstring, Raw> values;
    std::vector<std::wstring> pending{L""};
    while (!pending.empty()) {
        const std::wstring relative = pending.back();
        pending.pop_back();
        const std::wstring full = relative.empty() ? path : path + L"\\" + relative;
        const UniqueHKey key = Open(full);
        char name[16384];
        wchar_t child[256];
        for (DWORD i = 0, length = sizeof name;
             RegEnumValueA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof name)
            values[relative + L"\\" + std::wstring(name, name + length)] = Read(full, name);
        for (DWORD i = 0, length = 256;
             RegEnumKeyExW(key.get(), i, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, length = 256)
            pending.push_back(relative.empty() ? std::wstring(child) : relative + L"\\" + child);
    }
    return values;
}

RootOverride::RootOverride(HKEY root, HKEY replacement) : root_(root) {
    EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(root, replacement));
    const DWORD token = GetCurrentProcessId() ^ GetTickCount();
    DWORD seen = 0, size = sizeof seen;
    RegSetValueExA(replacement, "QuillmarkRootOverride", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&token), size);
    RegQueryValueExA(root, "QuillmarkRootOverride", nullptr, nullptr, reinterpret_cast<BYTE*>(&seen), &size);
    RegDeleteValueA(replacement, "QuillmarkRootOverride");
    effective_ = seen == token;
}
