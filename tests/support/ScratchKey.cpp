#include "ScratchKey.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::wstring UniquePath() {
    static std::atomic<int> counter{0};
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name =
        L"Software\\QuillmarkTests\\" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++);
    if (info) {
        for (const char* c = info->name(); *c; ++c) name += static_cast<wchar_t>(*c == '/' ? '_' : *c);
    }
    return name;
}

std::wstring Join(const std::wstring& base, const std::wstring& sub) {
    return sub.empty() ? base : base + L"\\" + sub;
}

}  // namespace

ScratchKey::ScratchKey() : path_(UniquePath()) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    const LONG rc =
        RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.put(), nullptr);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "creating the scratch key";
}

ScratchKey::~ScratchKey() {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

void ScratchKey::CreateKey(const std::wstring& subPath) const {
    UniqueHKey key;
    const LONG rc =
        RegCreateKeyExW(key_.get(), subPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "creating " << testing::PrintToString(subPath);
}

void ScratchKey::CreateVolatileKey(const std::wstring& subPath) const {
    UniqueHKey key;
    const LONG rc = RegCreateKeyExW(key_.get(), subPath.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                    nullptr, key.put(), nullptr);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "creating volatile " << testing::PrintToString(subPath);
}

void ScratchKey::SetRaw(const std::wstring& subPath, const std::string& name, DWORD type, const void* data,
                        DWORD size) const {
    UniqueHKey key;
    LONG rc = RegCreateKeyExW(key_.get(), subPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    ASSERT_EQ(ERROR_SUCCESS, rc);
    // The system adds a text's missing terminator when the byte after the
    // data happens to be zero: a non-zero byte there keeps the data exact.
    std::vector<BYTE> exact(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    exact.push_back(0xBD);
    rc = RegSetValueExA(key.get(), name.c_str(), 0, type, exact.data(), size);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "writing " << name;
}

void ScratchKey::SetText(const std::wstring& subPath, const std::string& name, const std::string& text,
                         DWORD type) const {
    SetRaw(subPath, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void ScratchKey::SetDword(const std::wstring& subPath, const std::string& name, std::uint32_t value) const {
    SetRaw(subPath, name, REG_DWORD, &value, sizeof value);
}

void ScratchKey::DeleteTree(const std::wstring& subPath) const {
    RegDeleteTreeW(HKEY_CURRENT_USER, Join(path_, subPath).c_str());
}

ScratchKey::Raw ScratchKey::Read(const std::wstring& subPath, const std::string& name) const {
    Raw raw;
    UniqueHKey key;
    raw.status = RegOpenKeyExW(key_.get(), subPath.c_str(), 0, KEY_QUERY_VALUE, key.put());
    if (raw.status != ERROR_SUCCESS) return raw;
    DWORD size = 0;
    raw.status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &raw.type, nullptr, &size);
    if (raw.status != ERROR_SUCCESS) return raw;
    raw.bytes.assign(size, 0xBD);
    raw.status = RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, raw.bytes.data(), &size);
    raw.bytes.resize(size);
    return raw;
}

bool ScratchKey::KeyExists(const std::wstring& subPath) const {
    UniqueHKey key;
    return RegOpenKeyExW(key_.get(), subPath.c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
}

std::map<std::wstring, ScratchKey::Raw> ScratchKey::ValuesBelow(const std::wstring& subPath) const {
    std::map<std::wstring, Raw> values;
    std::vector<std::wstring> pending{L""};
    while (!pending.empty()) {
        const std::wstring relative = pending.back();
        pending.pop_back();
        UniqueHKey key;
        if (RegOpenKeyExW(key_.get(), Join(subPath, relative).c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
            ADD_FAILURE() << "opening " << testing::PrintToString(Join(subPath, relative));
            continue;
        }
        char name[16384];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            values[relative + L"\\" + std::wstring(name, name + length)] = Read(Join(subPath, relative), name);
        }
        wchar_t child[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(std::size(child));
            if (RegEnumKeyExW(key.get(), index, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            const std::wstring childName(child, length);
            pending.push_back(relative.empty() ? childName : relative + L"\\" + childName);
        }
    }
    return values;
}

namespace {

// True when a value set in `replacement` is seen through `root`.
bool PointsAt(HKEY root, HKEY replacement) {
    static constexpr char kMarker[] = "QuillmarkRootOverrideMarker";
    const DWORD token = GetCurrentProcessId() ^ GetTickCount() ^ 0x5A5A5A5Au;
    if (RegSetValueExA(replacement, kMarker, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&token), sizeof token) !=
        ERROR_SUCCESS)
        return false;
    DWORD seen = 0;
    DWORD size = sizeof seen;
    const LONG rc = RegQueryValueExA(root, kMarker, nullptr, nullptr, reinterpret_cast<BYTE*>(&seen), &size);
    RegDeleteValueA(replacement, kMarker);
    return rc == ERROR_SUCCESS && seen == token;
}

}  // namespace

RootOverride::RootOverride(HKEY root, HKEY replacement) : root_(root) {
    const LONG rc = RegOverridePredefKey(root, replacement);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "RegOverridePredefKey";
    effective_ = rc == ERROR_SUCCESS && PointsAt(root, replacement);
}

RootOverride::~RootOverride() {
    RegOverridePredefKey(root_, nullptr);
}
