#include "ServicesGenerator.h"

#include <algorithm>
#include <cstring>

#include "ScratchKey.h"
#include "UniqueHandle.h"

namespace {

const wchar_t* const kHiddenNames[] = {L"AFD",    L"Dhcp",    L"Dnscache", L"Dot3svc", L"LmHosts",
                                       L"RasAcd", L"Wlansvc", L"WwanSvc",  L"WZCSVC"};
const wchar_t* const kBaseNames[] = {L"Tcpip", L"NetBT", L"Filter", L"Shield", L"pktmon", L"vmnet", L"Guard"};
// Letters beyond ASCII: some the 8-bit code page holds (they survive), some
// it does not (the 8-bit name then reads back as "?").
const wchar_t kWideLetters[] = L"\u00e9\u00fc\u00df\u00c9\u0416\u4e2d";

}  // namespace

std::wstring ServicesGenerator::Name() {
    std::wstring name;
    switch (Between(0, 5)) {
        case 0:
            name = kHiddenNames[Between(0, 8)];
            if (Chance(50)) name += L"x" + std::to_wstring(Between(0, 99));
            break;
        case 1: {
            const int length = Chance(30) ? Between(250, 255) : Between(1, 40);
            for (int i = 0; i < length; ++i) name += static_cast<wchar_t>(L'a' + Between(0, 25));
            break;
        }
        case 2:
            name = kBaseNames[Between(0, 6)];
            name += kWideLetters[Between(0, 5)];
            break;
        default:
            name = kBaseNames[Between(0, 6)] + std::to_wstring(Between(0, 30));
            break;
    }
    // Another spelling of the same name now and then.
    if (Chance(10)) std::transform(name.begin(), name.end(), name.begin(), [](wchar_t c) { return towupper(c); });
    return name;
}

std::string ServicesGenerator::TextBytes(int length) {
    static const char kAlphabet[] = "abcXYZ019 .,;:_-\\/()[]@\xe9\xfc\xdf\x01\x7f";
    std::string text;
    for (int i = 0; i < length; ++i) text += kAlphabet[Between(0, sizeof kAlphabet - 2)];
    return text;
}

StoredValue ServicesGenerator::Group() {
    using namespace std::string_literals;
    static const StoredValue kGroups[] = {
        {REG_SZ, "tdi\0"s},
        {REG_SZ, "TDI\0"s},
        {REG_SZ, "tDi\0"s},
        {REG_SZ, "streams drivers\0"s},
        {REG_SZ, "Streams Drivers\0"s},
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
        {REG_SZ, "NDIS\0"s},
        {REG_MULTI_SZ, "tdi\0\0"s},
        {REG_MULTI_SZ, "tdi\0"s},
        {REG_BINARY, "tdi"s},
        {REG_DWORD, "\x01\x00\x00\x00"s},
    };
    return kGroups[Between(0, static_cast<int>(std::size(kGroups)) - 1)];
}

StoredValue ServicesGenerator::AnyValue(bool allowHuge) {
    static const DWORD kTypes[] = {REG_SZ,    REG_SZ,   REG_EXPAND_SZ,        REG_MULTI_SZ, REG_BINARY,
                                   REG_DWORD, REG_LINK, REG_DWORD_BIG_ENDIAN, REG_NONE,     REG_QWORD};
    StoredValue value;
    value.type = kTypes[Between(0, static_cast<int>(std::size(kTypes)) - 1)];
    switch (Between(0, 9)) {
        case 0:
            break;  // 0 bytes
        case 1:
            value.bytes = TextBytes(Between(1, 9));  // no terminator
            break;
        case 2:
            value.bytes = TextBytes(Between(0, 5)) + '\0' + TextBytes(Between(0, 5)) + '\0';
            break;
        case 3: {
            // Not 0x98: Wine 8's text shaping crashes on a run of its small
            // tilde (U+02DC) in the edit control's fallback font.
            int repeated = Between(0, 254);
            if (repeated >= 0x98) ++repeated;
            value.bytes = std::string(static_cast<std::size_t>(Between(1, 8)), static_cast<char>(repeated));
            break;
        }
        case 4:
            value.bytes = (Chance(50) ? "%SystemRoot%\\system32\\" : "%QUILLMARK_UNSET%\\") + TextBytes(5) + '\0';
            break;
        case 5:
            if (allowHuge) {
                value.bytes = TextBytes(1 << 20) + '\0';
                break;
            }
            [[fallthrough]];
        default:
            value.bytes = TextBytes(Between(0, 60)) + '\0';
            break;
    }
    return value;
}

std::vector<GeneratedService> ServicesGenerator::Generate() {
    std::vector<GeneratedService> services(static_cast<std::size_t>(Between(3, 30)));
    const bool huge = Chance(3);
    for (GeneratedService& service : services) {
        service.name = Name();
        if (!Chance(15)) service.values["Group"] = Group();
        for (const char* name : {"Description", "DisplayName", "ImagePath"})
            if (!Chance(20)) service.values[name] = AnyValue(huge && Chance(5));
    }
    return services;
}

std::vector<GeneratedService> ServicesGenerator::Write(const std::vector<GeneratedService>& services,
                                                       const ScratchKey& scratch, const std::wstring& servicesPath) {
    std::vector<GeneratedService> stored;
    for (const GeneratedService& service : services) {
        scratch.CreateKey(servicesPath + L"\\" + service.name);
        auto same = std::find_if(stored.begin(), stored.end(), [&](const GeneratedService& s) {
            return CompareStringOrdinal(s.name.c_str(), -1, service.name.c_str(), -1, TRUE) == CSTR_EQUAL;
        });
        if (same == stored.end()) same = stored.insert(stored.end(), GeneratedService{service.name, {}});
        for (const auto& [name, value] : service.values) {
            scratch.SetRaw(servicesPath + L"\\" + service.name, name, value.type, value.bytes.data(),
                           static_cast<DWORD>(value.bytes.size()));
            same->values[name] = value;
        }
    }
    return stored;
}
