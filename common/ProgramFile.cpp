#include "ProgramFile.h"

#include <windows.h>

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::wstring ProgramFolder() {
    const std::wstring path = ModulePath();
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // Keep the separator of a drive's root: "C:\quillmark.exe" lives in "C:\".
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

std::wstring ProgramName() {
    const std::wstring path = ModulePath();
    const auto slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& fileName) {
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) return folder + fileName;
    return folder + L"\\" + fileName;
}
