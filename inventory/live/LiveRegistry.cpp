#include "LiveRegistry.h"

#include <vector>

#include "UniqueHandle.h"

namespace inventory {

LoadAppKeyFunction gLoadAppKey = RegLoadAppKeyW;

namespace {

// Larger than any value a network component stores; a bigger answer is not trusted.
constexpr DWORD kLargestValueBytes = 16 * 1024 * 1024;
// The longest name a key or a value can have, in characters, with its NUL.
constexpr std::size_t kLongestName = 32768;

[[noreturn]] void Fail(const std::string& what, LSTATUS status) {
    throw ReadError(what + ": " + SystemMessage(status));
}

class LiveKey final : public RegistryKey {
public:
    explicit LiveKey(UniqueHKey key) : key_(std::move(key)) {}

    std::unique_ptr<RegistryKey> OpenSubkey(std::string_view name) const override {
        // The registry would take a backslash as a path: one name is one key.
        if (name.find('\\') != std::string_view::npos) return nullptr;
        // The calls take names up to their first NUL: another key's.
        if (name.find('\0') != std::string_view::npos) throw ReadError("cannot open a key whose name holds a NUL");
        UniqueHKey subkey;
        const LSTATUS status = RegOpenKeyExW(key_.get(), Widen(std::string(name)).c_str(), 0, KEY_READ, subkey.put());
        if (status == ERROR_FILE_NOT_FOUND) return nullptr;
        if (status != ERROR_SUCCESS) Fail("cannot open " + std::string(name), status);
        return std::make_unique<LiveKey>(std::move(subkey));
    }

    std::vector<std::string> SubkeyNames() const override {
        return ListNames(true, [&](DWORD index, wchar_t* name, DWORD* length) {
            return RegEnumKeyExW(key_.get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
        });
    }

    std::vector<std::string> ValueNames() const override {
        return ListNames(false, [&](DWORD index, wchar_t* name, DWORD* length) {
            return RegEnumValueW(key_.get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
        });
    }

    std::optional<RawValue> ReadValue(std::string_view name) const override {
        if (name.find('\0') != std::string_view::npos) throw ReadError("cannot read a value whose name holds a NUL");
        const std::wstring wideName = Widen(std::string(name));
        RawValue value;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, nullptr, nullptr, &size);
        // The value may grow between the two calls: ask again with its new size.
        for (int attempt = 0; attempt < 4 && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA); ++attempt) {
            if (size > kLargestValueBytes) throw ReadError("value " + std::string(name) + " is larger than 16 MB");
            value.data.resize(size);
            DWORD type = 0;
            status = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, value.data.data(), &size);
            if (status == ERROR_SUCCESS) {
                value.type = type;
                value.data.resize(size);
                return value;
            }
        }
        if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
        Fail("cannot read value " + std::string(name), status);
    }

    std::optional<std::uint64_t> LastWriteTime() const override {
        FILETIME time{};
        const LSTATUS status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                nullptr, nullptr, nullptr, nullptr, &time);
        if (status != ERROR_SUCCESS) return std::nullopt;
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }

private:
    // The names RegEnumKeyExW or RegEnumValueW give, index by index.
    template <typename Enumerate>
    std::vector<std::string> ListNames(bool subkeys, Enumerate enumerate) const {
        const char* what = subkeys ? "cannot list subkeys" : "cannot list values";
        DWORD longestSubkey = 0, longestValue = 0;
        LSTATUS status = RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, &longestSubkey, nullptr,
                                          nullptr, &longestValue, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) Fail(what, status);
        std::vector<std::string> names;
        std::vector<wchar_t> buffer((subkeys ? longestSubkey : longestValue) + 1);
        for (DWORD index = 0;;) {
            auto length = static_cast<DWORD>(buffer.size());
            status = enumerate(index, buffer.data(), &length);
            if (status == ERROR_NO_MORE_ITEMS) return names;
            if (status == ERROR_MORE_DATA && buffer.size() < kLongestName) {
                // A longer name was added while we listed.
                buffer.resize(kLongestName);
                continue;
            }
            if (status != ERROR_SUCCESS) Fail(what, status);
            names.push_back(Narrow(std::wstring(buffer.data(), length)));
            ++index;
        }
    }

    UniqueHKey key_;
};

// A machine's name reaches the older name services (NetBIOS) in the system's
// code page: a name it cannot hold would arrive changed, and another machine
// could answer for it.
bool FitsCodePage(const std::wstring& name) {
    if (GetACP() == CP_UTF8) return true;
    BOOL changed = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), static_cast<int>(name.size()), nullptr, 0, nullptr,
                        &changed);
    return !changed;
}

std::unique_ptr<RegistryKey> OpenSystemBelow(HKEY machineRoot, const std::string& where) {
    UniqueHKey system;
    const LSTATUS status = RegOpenKeyExW(machineRoot, L"SYSTEM", 0, KEY_READ, system.put());
    if (status != ERROR_SUCCESS) Fail(where, status);
    return std::make_unique<LiveKey>(std::move(system));
}

}  // namespace

std::string SystemMessage(LSTATUS status) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    if (message.empty()) message = L"error " + std::to_wstring(status);
    return Narrow(message);
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::unique_ptr<RegistryKey> OpenLocalSystem() {
    return OpenSystemBelow(HKEY_LOCAL_MACHINE, "cannot open HKEY_LOCAL_MACHINE\\SYSTEM");
}

std::unique_ptr<RegistryKey> OpenRemoteSystem(const std::string& machine) {
    if (!FitsCodePage(Widen(machine)))
        throw ReadError("cannot connect: the name holds characters this system's code page (" +
                        std::to_string(GetACP()) + ") cannot hold");
    UniqueHKey root;
    const std::wstring name = L"\\\\" + Widen(machine);
    const LSTATUS status = RegConnectRegistryW(name.c_str(), HKEY_LOCAL_MACHINE, root.put());
    if (status != ERROR_SUCCESS) Fail("cannot connect to its registry", status);
    return OpenSystemBelow(root.get(), "cannot open its HKEY_LOCAL_MACHINE\\SYSTEM");
}

std::unique_ptr<RegistryKey> LoadHiveFile(const std::string& path) {
    UniqueHKey root;
    // The registry loads a hive by its full path.
    const std::wstring given = Widen(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    LSTATUS status = gLoadAppKey(full.empty() ? given.c_str() : full.c_str(), root.put(), KEY_READ, 0, 0);
    if (status != ERROR_SUCCESS) Fail("cannot load the hive", status);
    // Wine's RegLoadAppKeyW answers success with a handle that is no key: ask it something.
    status = RegQueryInfoKeyW(root.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) Fail("cannot read the loaded hive", status);
    return std::make_unique<LiveKey>(std::move(root));
}

std::string LocalMachineName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &length)) return "localhost";
    return Narrow(std::wstring(name, length));
}

}  // namespace inventory
