#include "ThemePlatform.h"

#include "Error.h"
#include "ProgramFile.h"

namespace {

// Looked up at run time in the common controls this process uses, so that a
// library without the export is a failure of this call, not of loading.
HRESULT ComCtlDllGetVersion(DLLVERSIONINFO* info) {
    const HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    if (!comctl) throw Error(48, ProgramName(), L"Error in loading DLL comctl32");
    auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    if (!getVersion) throw Error(453, ProgramName(), L"Can't find DLL entry point DllGetVersion in comctl32");
    return getVersion(info);
}

}  // namespace

ThemePlatform& CurrentThemePlatform() noexcept {
    static ThemePlatform platform{
        .DllGetVersion = &ComCtlDllGetVersion,
        .IsAppThemed = &::IsAppThemed,
        .IsThemeActive = &::IsThemeActive,
        .GetThemeAppProperties = &::GetThemeAppProperties,
        .LoadLibraryA = &::LoadLibraryA,
        .InitCommonControlsEx = &::InitCommonControlsEx,
        .GetThemeBackgroundRegion = &::GetThemeBackgroundRegion,
        .DrawThemeParentBackground = &::DrawThemeParentBackground,
    };
    return platform;
}
