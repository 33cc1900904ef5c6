#include "ReportOracle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "ScratchKey.h"

namespace {

const std::string kSep(56, '\'');
const std::string kServices = "System\\CurrentControlSet\\Services\\";
const char* const kHidden[] = {"afd",    "dhcp",    "dnscache", "dot3svc", "lmhosts",
                               "rasacd", "wlansvc", "wwansvc",  "wzcsvc"};

std::string AsciiLower(std::string text) {
    for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

// %NAME% replaced by the variable's value; an unknown name stays as it is.
std::string Expand(const std::string& text) {
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) return result + text.substr(at);
        const std::string name = text.substr(open + 1, close - open - 1);
        char value[4096];
        const DWORD length = name.empty() ? 0 : GetEnvironmentVariableA(name.c_str(), value, sizeof value);
        result += text.substr(at, open - at) + (length && length < sizeof value ? value : "%" + name + "%");
        at = close + 1;
    }
    return result;
}

// A value as text: the stored text less its final byte (expanded to its first zero when
// expandable), a number in decimal, bytes in hex.
std::string TextOf(const StoredValue& value) {
    const std::string& bytes = value.bytes;
    const std::string text = bytes.substr(0, bytes.empty() ? 0 : bytes.size() - 1);
    std::uint32_t n = 0;
    for (std::size_t i = std::min<std::size_t>(4, bytes.size()); i-- > 0;)
        n = n << 8 | static_cast<std::uint8_t>(bytes[i]);
    std::string hex;
    switch (value.type) {
        case REG_SZ:
        case REG_MULTI_SZ:
            return text;
        case REG_EXPAND_SZ:
            return Expand(text.substr(0, text.find('\0')));
        case REG_DWORD:
            return std::to_string(static_cast<std::int32_t>(n));
        case REG_DWORD_BIG_ENDIAN:
            return std::to_string(
                static_cast<std::int32_t>(n >> 24 | (n >> 8 & 0xFF00) | (n << 8 & 0xFF0000) | n << 24));
        default:
            for (const unsigned char octet : bytes) {
                if (!hex.empty()) hex += ' ';
                hex += "0123456789abcdef"[octet >> 4];
                hex += "0123456789abcdef"[octet & 15];
            }
            return hex;
    }
}

}  // namespace

ExpectedReport ReportOf(const std::vector<GeneratedService>& stored, const ScratchKey& scratch,
                        const std::wstring& path, bool ticked, const std::string& dateLine) {
    std::string log = "Scanning...\r\n" + dateLine + "\r\n" + kSep + "\r\n";
    const UniqueHKey key = scratch.Open(path);
    wchar_t name[512];
    DWORD i = 0;
    for (DWORD length = 512;
         RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 512) {
        BOOL lossy = FALSE;
        char ansi[1024] = {};
        const int size =
            WideCharToMultiByte(CP_ACP, 0, name, static_cast<int>(length), ansi, sizeof ansi, nullptr, &lossy);
        // A name that fills the 255-character buffer ends the list.
        if (size >= 255) break;
        // A name the 8-bit code page cannot spell is read under another name
        // that does not exist: it has no group.
        const auto service = std::find_if(stored.begin(), stored.end(), [&](const GeneratedService& s) {
            return s.name == std::wstring(name, length);
        });
        if (lossy || service == stored.end()) continue;
        auto value = [&](const char* valueName) {
            const auto found = service->values.find(valueName);
            return found == service->values.end() ? std::string() : TextOf(found->second);
        };
        const std::string group = AsciiLower(value("Group"));
        const std::string keyPath = kServices + std::string(ansi, size);
        const bool excluded = std::any_of(std::begin(kHidden), std::end(kHidden), [&](const char* hidden) {
            return AsciiLower(keyPath).rfind(AsciiLower(kServices) + hidden, 0) == 0;
        });
        if ((group != "tdi" && group != "streams drivers") || (excluded && !ticked)) continue;
        log += kSep + "\r\nHKEY_LOCAL_MACHINE\\" + keyPath + "\r\n--Description: " + value("Description") +
               "\r\n--DisplayName: " + value("DisplayName") + "\r\n--ImagePath: " + value("ImagePath") + "\r\n" + kSep +
               "\r\n";
    }
    log += "Done, Scan Complete.\r\n" + kSep + "\r\n";
    // The box: the lines widened, without the last line end, zero characters as blanks.
    std::wstring box(log.size(), L'\0');
    box.resize(MultiByteToWideChar(CP_ACP, 0, log.data(), static_cast<int>(log.size() - 2), box.data(),
                                   static_cast<int>(box.size())));
    std::replace(box.begin(), box.end(), L'\0', L' ');
    return {box, log, static_cast<std::int32_t>(i)};
}
