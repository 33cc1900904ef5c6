#include "ScopedThemePlatform.h"

#include "Error.h"
#include "XpThemeErrors.h"

namespace {

using Seen = ScopedThemePlatform;
DWORD major = 0, minor = 0;
BOOL appThemed = TRUE, themeActive = TRUE;
DWORD appProperties = 0;
mdXpThemeSupport::ErrorListener previousListener = nullptr;

HRESULT FakeDllGetVersion(DLLVERSIONINFO* info) {
    if (!major) throw Error(453, L"theme_tests", L"Specified DLL function not found: DllGetVersion in comctl32");
    info->dwMajorVersion = major;
    info->dwMinorVersion = minor;
    return S_OK;
}

BOOL WINAPI FakeIsAppThemed() {
    return appThemed;
}

BOOL WINAPI FakeIsThemeActive() {
    return themeActive;
}

DWORD WINAPI FakeGetThemeAppProperties() {
    return appProperties;
}

HRESULT WINAPI RoundedRegion(HTHEME theme, HDC, int, int, LPCRECT rect, HRGN* region) {
    *region = theme ? CreateRoundRectRgn(rect->left, rect->top, rect->right + 1, rect->bottom + 1, 8, 8) : nullptr;
    return theme ? S_OK : E_HANDLE;
}

void RecordError(const char* procedureName, const std::wstring&) {
    Seen::errors.emplace_back(procedureName);
}

}  // namespace

ScopedThemePlatform::ScopedThemePlatform() : saved_(CurrentThemePlatform()) {
    errors.clear();
    previousListener = mdXpThemeSupport::SetErrorListener(&RecordError);
}

ScopedThemePlatform::~ScopedThemePlatform() {
    CurrentThemePlatform() = saved_;
    mdXpThemeSupport::SetErrorListener(previousListener);
}

void ScopedThemePlatform::SetComCtlVersion(DWORD majorVersion, DWORD minorVersion) {
    major = majorVersion;
    minor = minorVersion;
    CurrentThemePlatform().DllGetVersion = &FakeDllGetVersion;
}

void ScopedThemePlatform::SetThemeState(BOOL themed, BOOL active, DWORD properties) {
    appThemed = themed;
    themeActive = active;
    appProperties = properties;
    CurrentThemePlatform().IsAppThemed = &FakeIsAppThemed;
    CurrentThemePlatform().IsThemeActive = &FakeIsThemeActive;
    CurrentThemePlatform().GetThemeAppProperties = &FakeGetThemeAppProperties;
}

void ScopedThemePlatform::UseRoundedButtonShape() {
    CurrentThemePlatform().GetThemeBackgroundRegion = &RoundedRegion;
}

std::optional<DWORD_PTR> SubclassData(HWND hwnd, SUBCLASSPROC procedure) {
    // The 64-bit import library leaves this export out.
    using GetWindowSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass = reinterpret_cast<GetWindowSubclassProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "GetWindowSubclass")));
    DWORD_PTR data = 0;
    if (!getWindowSubclass(hwnd, procedure, 0, &data)) return std::nullopt;
    return data;
}
