#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>

// The platform facts that the visual-style module depends on but that a test
// system may be unable to show (Wine's common controls 6 report 5.81, its
// theme has square buttons and its parent-background call never fails), and
// the two start-up calls whose order matters. Every member defaults to the
// real call; tests replace members and put the old ones back.
struct ThemePlatform {
    // comctl32's DllGetVersion; fails (throws Error) when the library or the
    // export is missing.
    HRESULT (*DllGetVersion)(DLLVERSIONINFO* info);
    BOOL(WINAPI* IsAppThemed)();
    BOOL(WINAPI* IsThemeActive)();
    DWORD(WINAPI* GetThemeAppProperties)();
    HMODULE(WINAPI* LoadLibraryA)(LPCSTR fileName);
    BOOL(WINAPI* InitCommonControlsEx)(const INITCOMMONCONTROLSEX* init);
    using RegionCall = HRESULT(WINAPI*)(HTHEME theme, HDC hdc, int partId, int stateId, LPCRECT rect, HRGN* region);
    RegionCall GetThemeBackgroundRegion;
    HRESULT(WINAPI* DrawThemeParentBackground)(HWND hwnd, HDC hdc, RECT* rect);
};

// The one instance the module calls through.
ThemePlatform& CurrentThemePlatform() noexcept;
