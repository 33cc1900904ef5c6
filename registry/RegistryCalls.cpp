#include "RegistryCalls.h"

#include <algorithm>
#include <climits>
#include <limits>

#include "Text.h"

bool ConnectRoot(const std::wstring& machine, HKEY& root, UniqueHKey& remote) {
    if (machine.empty()) return true;
    const std::optional<std::string> systemName = ExactAnsi(machine);
    if (!systemName || RegConnectRegistryA(systemName->c_str(), root, remote.put()) != ERROR_SUCCESS) return false;
    root = remote.get();
    return true;
}

namespace {

// From this length on the 8-bit calls may refuse a path.
constexpr std::size_t kLongPath = 255;

// `step` opens or creates one path below a parent key. The whole path goes
// in one step; a long one that fails goes a key at a time, each part
// relative to the last.
template <typename Step>
LONG WholeOrByParts(HKEY root, const std::string& path, UniqueHKey& key, Step step) {
    const LONG whole = step(root, path, key);
    if (whole == ERROR_SUCCESS || path.size() < kLongPath) return whole;
    HKEY parent = root;
    UniqueHKey part;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        UniqueHKey next;
        const LONG rc = step(parent, path.substr(start, end - start), next);
        if (rc != ERROR_SUCCESS) return rc;
        part = std::move(next);
        parent = part.get();
        start = end + 1;
    }
    key = std::move(part);
    return ERROR_SUCCESS;
}

}  // namespace

LONG OpenKeyA(HKEY root, const std::string& path, REGSAM access, UniqueHKey& key) {
    return WholeOrByParts(root, path, key, [access](HKEY parent, const std::string& part, UniqueHKey& opened) {
        return RegOpenKeyExA(parent, part.c_str(), 0, access, opened.put());
    });
}

LONG CreateKeyA(HKEY root, const std::string& path, REGSAM access, UniqueHKey& key) {
    return WholeOrByParts(root, path, key, [access](HKEY parent, const std::string& part, UniqueHKey& created) {
        char noClass[] = "";
        return RegCreateKeyExA(parent, part.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access, nullptr,
                               created.put(), nullptr);
    });
}

LONG DeleteKeyA(HKEY root, const std::string& path) {
    const LONG whole = RegDeleteKeyA(root, path.c_str());
    const std::size_t last = path.rfind('\\');
    if (whole == ERROR_SUCCESS || path.size() < kLongPath || last == std::string::npos) return whole;
    UniqueHKey parent;
    const LONG rc = OpenKeyA(root, path.substr(0, last), KEY_QUERY_VALUE, parent);
    return rc == ERROR_SUCCESS ? RegDeleteKeyA(parent.get(), path.substr(last + 1).c_str()) : rc;
}

LONG OpenKeyForReading(HKEY root, std::wstring_view path, REGSAM access, UniqueHKey& key) {
    const std::optional<std::string> systemPath = ExactAnsi(path);
    if (!systemPath) return ERROR_FILE_NOT_FOUND;
    return OpenKeyA(root, *systemPath, access, key);
}

std::size_t LongestAnsiCharacter() noexcept {
    CPINFO info{};
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : MB_LEN_MAX;
}

std::optional<std::string> ExactAnsi(std::wstring_view text) {
    if (text.empty()) return std::string();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
    const int length = static_cast<int>(text.size());
    const UINT codePage = GetACP();
    // UTF-8 holds every character but a broken surrogate pair, and refuses
    // the default-character report.
    const bool unicode = codePage == CP_UTF8;
    const DWORD flags = unicode ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = unicode ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, report);
    if (needed <= 0 || usedDefault) return std::nullopt;
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), length, result.data(), needed, nullptr, report);
    return result;
}

std::optional<std::string> KeyPathAnsi(std::wstring_view path) {
    if (path.empty()) return std::string();
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find(L'\\', start);
        if (end == start || start == path.size()) return std::nullopt;
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return ExactAnsi(path);
}
