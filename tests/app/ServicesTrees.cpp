#include "ServicesTrees.h"

#include <windows.h>

#include <algorithm>
#include <random>

#include "ScratchKey.h"

namespace {

using namespace std::string_literals;

// One value as stored: its type and its exact bytes.
struct StoredValue {
    DWORD type = REG_SZ;
    std::string bytes;
};

const wchar_t* const kNames[] = {L"AFD",     L"Dhcp",   L"Dnscache", L"Dot3svc", L"LmHosts", L"RasAcd", L"Wlansvc",
                                 L"WwanSvc", L"WZCSVC", L"Tcpip",    L"NetBT",   L"Filter",  L"Shield", L"pktmon"};
// Letters beyond ASCII: some the 8-bit code page holds, some it does not
// (the 8-bit name then reads back as "?").
const wchar_t kWideLetters[] = L"\u00e9\u00fc\u00df\u00c9\u0416\u4e2d";
const StoredValue kGroups[] = {
    {REG_SZ, "tdi\0"s},
    {REG_SZ, "TDI\0"s},
    {REG_SZ, "tDi\0"s},
    {REG_SZ, "streams drivers\0"s},
    {REG_SZ, "STREAMS drivers\0"s},
    {REG_EXPAND_SZ, "TDI\0"s},
    {REG_SZ, " tdi\0"s},
    {REG_SZ, "tdi \0"s},
    {REG_SZ, "PNP_TDI\0"s},
    {REG_SZ, "\0"s},
    {REG_SZ, ""s},
    {REG_SZ, "tdi"s},
    {REG_SZ, "tdix"s},
    {REG_SZ, "tdi\0x\0"s},
    {REG_SZ, "streams  drivers\0"s},
    {REG_MULTI_SZ, "tdi\0\0"s},
    {REG_MULTI_SZ, "tdi\0"s},
    {REG_BINARY, "tdi"s},
    {REG_DWORD, "\x01\x00\x00\x00"s},
};
const DWORD kTypes[] = {REG_SZ,    REG_SZ,   REG_EXPAND_SZ,        REG_MULTI_SZ, REG_BINARY,
                        REG_DWORD, REG_LINK, REG_DWORD_BIG_ENDIAN, REG_NONE,     REG_QWORD};

// The seeded draws of one tree.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::wstring Name() {
        std::wstring name = kNames[Between(0, std::size(kNames) - 1)];
        switch (Between(0, 3)) {
            case 0:  // up to 255 characters: the longest name, and one that ends the list
                name.clear();
                for (int i = Between(0, 2) ? Between(1, 40) : Between(250, 255); i > 0; --i)
                    name += static_cast<wchar_t>(L'a' + Between(0, 25));
                break;
            case 1:
                name += kWideLetters[Between(0, 5)];
                break;
            case 2:
                name += std::to_wstring(Between(0, 30));
                break;
        }
        // Another spelling of the same name now and then.
        if (!Between(0, 9)) std::transform(name.begin(), name.end(), name.begin(), towupper);
        return name;
    }

    // Of every type: 0 bytes, no terminator, inner zeros, a repeated byte (not
    // 0x98: Wine 8's text shaping crashes on a run of its small tilde, U+02DC,
    // in the edit control's fallback font), environment references, texts
    // longer than an edit control holds unless told otherwise (32K).
    StoredValue AnyValue(bool allowHuge) {
        const int repeated = Between(0, 254);
        const std::string kinds[] = {
            "",
            Text(Between(1, 9)),
            Text(Between(0, 5)) + '\0' + Text(Between(0, 5)) + '\0',
            std::string(Between(1, 8), static_cast<char>(repeated + (repeated >= 0x98))),
            (Between(0, 1) ? "%SystemRoot%\\system32\\" : "%QUILLMARK_UNSET%\\") + Text(5) + '\0',
            Text(allowHuge ? 40000 : Between(0, 60)) + '\0',
            Text(Between(0, 60)) + '\0',
        };
        return {kTypes[Between(0, std::size(kTypes) - 1)], kinds[Between(0, std::size(kinds) - 1)]};
    }

private:
    std::string Text(int length) {
        static const char kAlphabet[] = "abcXYZ019 .,;:_-\\/()[]@\xe9\xfc\xdf\x01\x7f";
        std::string text;
        while (length-- > 0) text += kAlphabet[Between(0, sizeof kAlphabet - 2)];
        return text;
    }

    std::mt19937 random_;
};

const std::string kSep(56, '\'');
const std::string kServices = "System\\CurrentControlSet\\Services\\";
const char* const kHidden[] = {"afd",    "dhcp",    "dnscache", "dot3svc", "lmhosts",
                               "rasacd", "wlansvc", "wwansvc",  "wzcsvc"};

std::string AsciiLower(std::string text) {
    for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

// A value as text: the stored text less its final byte (expanded by the system to its first
// zero when expandable), a number in decimal, bytes in hex.
std::string TextOf(const ScratchKey::Raw& value) {
    const std::string bytes(value.bytes.begin(), value.bytes.end());
    const std::string text = bytes.substr(0, bytes.empty() ? 0 : bytes.size() - 1);
    std::uint32_t n = 0;
    for (std::size_t i = std::min<std::size_t>(4, bytes.size()); i-- > 0;)
        n = n << 8 | static_cast<std::uint8_t>(bytes[i]);
    std::string hex;
    switch (value.type) {
        case REG_SZ:
        case REG_MULTI_SZ:
            return text;
        case REG_EXPAND_SZ: {
            std::string expanded(ExpandEnvironmentStringsA(text.c_str(), nullptr, 0), '\0');
            ExpandEnvironmentStringsA(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
            return expanded.c_str();
        }
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

void WriteRandomServices(std::uint32_t seed, const ScratchKey& scratch, const std::wstring& path) {
    Generator random(seed);
    const int count = random.Between(3, 30);
    const bool huge = random.Between(1, 100) <= 3;
    for (int i = 0; i < count; ++i) {
        const std::wstring key = path + L"\\" + random.Name();
        scratch.CreateKey(key);
        if (random.Between(1, 100) > 15) {
            const StoredValue& group = kGroups[random.Between(0, std::size(kGroups) - 1)];
            scratch.SetRaw(key, "Group", group.type, group.bytes);
        }
        for (const char* name : {"Description", "DisplayName", "ImagePath"}) {
            if (random.Between(1, 100) <= 20) continue;
            const StoredValue value = random.AnyValue(huge && random.Between(1, 100) <= 5);
            scratch.SetRaw(key, name, value.type, value.bytes);
        }
    }
}

ExpectedReport ReportOf(const ScratchKey& scratch, const std::wstring& path, bool none, bool ticked,
                        const std::string& dateLine) {
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
        if (lossy || none) continue;
        auto value = [&](const char* valueName) {
            const ScratchKey::Raw raw = scratch.Read(path + L"\\" + std::wstring(name, length), valueName);
            return raw.status == ERROR_SUCCESS ? TextOf(raw) : std::string();
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
