#include "ThemePlatform.h"

#include "RuntimeError.h"

namespace {

// Looked up at run time in the common controls this process uses, so that a
// library without the export is a failure of this call, not of loading.
HRESULT ComCtlDllGetVersion(DLLVERSIONINFO* info) {
    const HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    if (!comctl) throw RuntimeError(kErrDllNotLoaded, ErrorSource(), L"comctl32");
    auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    if (!getVersion) throw RuntimeError(kErrEntryPointMissing, ErrorSource(), L"DllGetVersion in comctl32");
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
