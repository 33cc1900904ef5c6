#include "mdXpThemeSupport.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "ThemePlatform.h"
#include "XpThemeInternals.h"

namespace mdXpThemeSupport {

namespace {

bool initThemeSupportDone = false;

}  // namespace

bool InitThemeSupportDone() noexcept {
    return initThemeSupportDone;
}

void ResetInitThemeSupport() noexcept {
    initThemeSupportDone = false;
}

bool IsComCtl6Loaded() noexcept {
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    // The status is not looked at: a failing query leaves the record at 0.
    TrapStep("IsComCtl6Loaded", [&] { CurrentThemePlatform().DllGetVersion(&version); });
    return version.dwMajorVersion >= 6;
}

bool pvIsThemed() noexcept {
    try {
        const ThemePlatform& platform = CurrentThemePlatform();
        if (!platform.IsAppThemed()) return false;
        if (!platform.IsThemeActive()) return false;
        return (platform.GetThemeAppProperties() & STAP_ALLOW_CONTROLS) != 0;
    } catch (...) {
        // Asked on every message: a failing visual-style library means no styles.
        return false;
    }
}

}  // namespace mdXpThemeSupport

using namespace mdXpThemeSupport;

void InitThemeSupport() {
    if (initThemeSupportDone) return;
    if (IsComCtl6Loaded()) {
        const ThemePlatform& platform = CurrentThemePlatform();
        // The order matters: shell32 first (never freed), then the one
        // initialisation.
        platform.LoadLibraryA("shell32.dll");
        INITCOMMONCONTROLSEX init{};
        init.dwSize = sizeof init;
        init.dwICC = ICC_USEREX_CLASSES;
        platform.InitCommonControlsEx(&init);
    }
    initThemeSupportDone = true;
}

bool FixThemeSupport(const std::vector<ThemeControl*>& controls) {
    constexpr const char* kProcedure = "FixThemeSupport";
    if (!IsComCtl6Loaded()) return false;
    for (ThemeControl* control : controls) {
        if (!control) {
            TrapStep(kProcedure, [] { throw RuntimeError(kErrObjectNotSet, kErrorSource); });
            continue;
        }
        switch (control->Kind()) {
            case ThemeControlKind::Frame:
                TrapStep(kProcedure, [&] { SetWindowSubclass(control->hWnd(), &pvRedirectFrame, 0, 0); });
                break;
            case ThemeControlKind::CommandButton:
            case ThemeControlKind::OptionButton:
            case ThemeControlKind::CheckBox:
                if (TrapTest(kProcedure, [&] { return control->Style() == 1; }))
                    TrapStep(kProcedure, [&] {
                        SetWindowSubclass(control->hWnd(), &pvRedirectButton, 0, reinterpret_cast<DWORD_PTR>(control));
                    });
                break;
            case ThemeControlKind::Other:
                break;
        }
    }
    return true;
}
