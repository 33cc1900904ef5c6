#include "ServicesGenerator.h"

#include <algorithm>

#include "ScratchKey.h"

namespace {

using namespace std::string_literals;

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

}  // namespace

std::wstring ServicesGenerator::Name() {
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

std::string ServicesGenerator::Text(int length) {
    static const char kAlphabet[] = "abcXYZ019 .,;:_-\\/()[]@\xe9\xfc\xdf\x01\x7f";
    std::string text;
    while (length-- > 0) text += kAlphabet[Between(0, sizeof kAlphabet - 2)];
    return text;
}

// Of every type: 0 bytes, no terminator, inner zeros, a repeated byte (not
// 0x98: Wine 8's text shaping crashes on a run of its small tilde, U+02DC,
// in the edit control's fallback font), environment references, texts
// longer than an edit control holds unless told otherwise (32K).
StoredValue ServicesGenerator::AnyValue(bool allowHuge) {
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

std::vector<GeneratedService> ServicesGenerator::Generate() {
    std::vector<GeneratedService> services(Between(3, 30));
    const bool huge = Between(1, 100) <= 3;
    for (GeneratedService& service : services) {
        service.name = Name();
        if (Between(1, 100) > 15) service.values["Group"] = kGroups[Between(0, std::size(kGroups) - 1)];
        for (const char* name : {"Description", "DisplayName", "ImagePath"})
            if (Between(1, 100) > 20) service.values[name] = AnyValue(huge && Between(1, 100) <= 5);
    }
    return services;
}

std::vector<GeneratedService> ServicesGenerator::Write(const std::vector<GeneratedService>& services,
                                                       const ScratchKey& scratch, const std::wstring& path) {
    std::vector<GeneratedService> stored;
    for (const GeneratedService& service : services) {
        scratch.CreateKey(path + L"\\" + service.name);
        auto same = std::find_if(stored.begin(), stored.end(), [&](const GeneratedService& s) {
            return CompareStringOrdinal(s.name.c_str(), -1, service.name.c_str(), -1, TRUE) == CSTR_EQUAL;
        });
        if (same == stored.end()) same = stored.insert(stored.end(), GeneratedService{service.name, {}});
        for (const auto& [name, value] : service.values) {
            scratch.SetRaw(path + L"\\" + service.name, name, value.type, value.bytes);
            same->values[name] = value;
        }
    }
    return stored;
}
