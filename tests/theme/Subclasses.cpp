#include "Subclasses.h"

std::optional<DWORD_PTR> SubclassData(HWND hwnd, SUBCLASSPROC procedure) {
    // The 64-bit import library leaves this export out.
    using GetWindowSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass = reinterpret_cast<GetWindowSubclassProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "GetWindowSubclass")));
    DWORD_PTR data = 0xDEADBEEF;
    if (!getWindowSubclass || !getWindowSubclass(hwnd, procedure, 0, &data)) return std::nullopt;
    return data;
}
