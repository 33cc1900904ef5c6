#include "ScopedThemePlatform.h"

#include "Error.h"

namespace {

DWORD fakeMajor = 0;
DWORD fakeMinor = 0;
int versionQueries = 0;
DLLVERSIONINFO lastRecord{};
BOOL fakeAppThemed = TRUE;
BOOL fakeThemeActive = TRUE;
DWORD fakeAppProperties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS;
std::vector<std::string> callLog;
ThemePlatform realPlatform{};

HRESULT FakeDllGetVersion(DLLVERSIONINFO* info) {
    ++versionQueries;
    lastRecord = *info;
    info->dwMajorVersion = fakeMajor;
    info->dwMinorVersion = fakeMinor;
    return S_OK;
}

HRESULT MissingDllGetVersion(DLLVERSIONINFO*) {
    ++versionQueries;
    throw Error(453, L"theme_tests", L"Can't find DLL entry point DllGetVersion in comctl32");
}

BOOL WINAPI FakeIsAppThemed() {
    return fakeAppThemed;
}

BOOL WINAPI FakeIsThemeActive() {
    return fakeThemeActive;
}

DWORD WINAPI FakeGetThemeAppProperties() {
    return fakeAppProperties;
}

HRESULT WINAPI RoundedRegion(HTHEME theme, HDC, int, int, LPCRECT rect, HRGN* region) {
    if (!theme) return E_HANDLE;
    *region = CreateRoundRectRgn(rect->left, rect->top, rect->right + 1, rect->bottom + 1, 8, 8);
    return S_OK;
}

HRESULT WINAPI FailingParentBackground(HWND, HDC, RECT*) {
    return E_FAIL;
}

HMODULE WINAPI RecordingLoadLibraryA(LPCSTR fileName) {
    callLog.push_back(std::string("LoadLibraryA ") + fileName);
    return realPlatform.LoadLibraryA(fileName);
}

BOOL WINAPI RecordingInitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    callLog.push_back("InitCommonControlsEx size " + std::to_string(init->dwSize) + " classes " +
                      std::to_string(init->dwICC));
    return realPlatform.InitCommonControlsEx(init);
}

}  // namespace

ScopedThemePlatform::ScopedThemePlatform() : saved_(CurrentThemePlatform()) {
    realPlatform = saved_;
    versionQueries = 0;
    lastRecord = {};
    callLog.clear();
}

ScopedThemePlatform::~ScopedThemePlatform() {
    CurrentThemePlatform() = saved_;
}

void ScopedThemePlatform::SetComCtlVersion(DWORD major, DWORD minor) {
    fakeMajor = major;
    fakeMinor = minor;
    CurrentThemePlatform().DllGetVersion = &FakeDllGetVersion;
}

void ScopedThemePlatform::FailVersionQuery() {
    CurrentThemePlatform().DllGetVersion = &MissingDllGetVersion;
}

void ScopedThemePlatform::SetThemeState(BOOL appThemed, BOOL themeActive, DWORD appProperties) {
    fakeAppThemed = appThemed;
    fakeThemeActive = themeActive;
    fakeAppProperties = appProperties;
    ThemePlatform& platform = CurrentThemePlatform();
    platform.IsAppThemed = &FakeIsAppThemed;
    platform.IsThemeActive = &FakeIsThemeActive;
    platform.GetThemeAppProperties = &FakeGetThemeAppProperties;
}

void ScopedThemePlatform::UseRoundedButtonShape() {
    CurrentThemePlatform().GetThemeBackgroundRegion = &RoundedRegion;
}

void ScopedThemePlatform::FailParentBackground() {
    CurrentThemePlatform().DrawThemeParentBackground = &FailingParentBackground;
}

void ScopedThemePlatform::RecordStartupCalls() {
    ThemePlatform& platform = CurrentThemePlatform();
    platform.LoadLibraryA = &RecordingLoadLibraryA;
    platform.InitCommonControlsEx = &RecordingInitCommonControlsEx;
}

int ScopedThemePlatform::VersionQueries() {
    return versionQueries;
}

const std::vector<std::string>& ScopedThemePlatform::CallLog() {
    return callLog;
}

DLLVERSIONINFO ScopedThemePlatform::LastVersionRecord() {
    return lastRecord;
}
