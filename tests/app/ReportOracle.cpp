#include "ReportOracle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const std::string kSep(56, '\'');
const std::string kServicesPath = "System\\CurrentControlSet\\Services\\";
const char* const kHidden[] = {"afd",    "dhcp",    "dnscache", "dot3svc", "lmhosts",
                               "rasacd", "wlansvc", "wwansvc",  "wzcsvc"};

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// %NAME% replaced by the variable's value; an unknown name stays as it is.
std::string Expand(const std::string& text) {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result += text.substr(at);
            break;
        }
        result += text.substr(at, open - at);
        const std::string name = text.substr(open + 1, close - open - 1);
        char value[4096];
        const DWORD length = name.empty() ? 0 : GetEnvironmentVariableA(name.c_str(), value, sizeof value);
        result += length > 0 && length < sizeof value ? std::string(value, length) : "%" + name + "%";
        at = close + 1;
    }
    return result;
}

std::uint32_t FirstFour(const std::string& bytes) {
    unsigned char four[4] = {};
    std::memcpy(four, bytes.data(), std::min<std::size_t>(4, bytes.size()));
    return four[0] | (four[1] << 8) | (four[2] << 16) | (static_cast<std::uint32_t>(four[3]) << 24);
}

}  // namespace

std::string ReportOracle::TextOf(const StoredValue* value) {
    if (!value) return {};
    const std::string& bytes = value->bytes;
    switch (value->type) {
        case REG_SZ:
        case REG_MULTI_SZ:
            return bytes.empty() ? std::string() : bytes.substr(0, bytes.size() - 1);
        case REG_EXPAND_SZ: {
            const std::string text = bytes.empty() ? std::string() : bytes.substr(0, bytes.size() - 1);
            return Expand(text.substr(0, text.find('\0')));
        }
        case REG_DWORD:
            return std::to_string(static_cast<std::int32_t>(FirstFour(bytes)));
        case REG_DWORD_BIG_ENDIAN: {
            const std::uint32_t n = FirstFour(bytes);
            return std::to_string(
                static_cast<std::int32_t>((n >> 24) | ((n >> 8) & 0xFF00) | ((n << 8) & 0xFF0000) | (n << 24)));
        }
        default: {
            static const char kDigits[] = "0123456789abcdef";
            std::string text;
            for (unsigned char octet : bytes) {
                if (!text.empty()) text += ' ';
                text += kDigits[octet >> 4];
                text += kDigits[octet & 0xF];
            }
            return text;
        }
    }
}

const GeneratedService* ReportOracle::Find(const std::wstring& name) const {
    for (const GeneratedService& service : stored_)
        if (service.name == name) return &service;
    return nullptr;
}

std::vector<std::string> ReportOracle::Lines(bool ticked, const std::string& dateLine) const {
    std::vector<std::string> lines{"Scanning...", dateLine, kSep};
    for (const std::wstring& name : enumerated_) {
        BOOL lossy = FALSE;
        char ansi[1024] = {};
        const int length = WideCharToMultiByte(CP_ACP, 0, name.c_str(), static_cast<int>(name.size()), ansi,
                                               sizeof ansi, nullptr, &lossy);
        // A name that fills the 255-character buffer ends the list.
        if (length >= 255) break;
        // A name the 8-bit code page cannot spell is read under another name
        // that does not exist: it has no group.
        const GeneratedService* service = lossy ? nullptr : Find(name);
        if (!service) continue;
        auto value = [&](const char* valueName) {
            const auto found = service->values.find(valueName);
            return TextOf(found == service->values.end() ? nullptr : &found->second);
        };
        const std::string group = AsciiLower(value("Group"));
        if (group != "tdi" && group != "streams drivers") continue;
        const std::string path = kServicesPath + std::string(ansi, static_cast<std::size_t>(length));
        const bool excluded = std::any_of(std::begin(kHidden), std::end(kHidden), [&](const char* hidden) {
            return AsciiLower(path).rfind(AsciiLower(kServicesPath) + hidden, 0) == 0;
        });
        if (!ticked && excluded) continue;
        lines.insert(lines.end(),
                     {kSep, "HKEY_LOCAL_MACHINE\\" + path, "--Description: " + value("Description"),
                      "--DisplayName: " + value("DisplayName"), "--ImagePath: " + value("ImagePath"), kSep});
    }
    lines.insert(lines.end(), {"Done, Scan Complete.", kSep});
    return lines;
}

std::wstring BoxTextOf(const std::vector<std::string>& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? "\r\n" : "") + lines[i];
    std::wstring wide(joined.size() * 2 + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, joined.data(), static_cast<int>(joined.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    std::replace(wide.begin(), wide.end(), L'\0', L' ');
    return wide;
}

std::string LogBytesOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}
