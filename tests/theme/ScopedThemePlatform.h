#pragma once

#include <windows.h>

#include <commctrl.h>
#include <optional>
#include <string>
#include <vector>

#include "ThemePlatform.h"

// For one test: sets the visual-style module's platform seam (only what Wine cannot show) and
// listens to its error hook; puts both back at the end.
class ScopedThemePlatform {
public:
    ScopedThemePlatform();
    ~ScopedThemePlatform();
    ScopedThemePlatform(const ScopedThemePlatform&) = delete;
    ScopedThemePlatform& operator=(const ScopedThemePlatform&) = delete;

    ThemePlatform* operator->() noexcept { return &CurrentThemePlatform(); }

    // Wine's common controls 6 answer 5.81: the version the module sees. A
    // major version of 0: the query fails as a missing export does.
    void SetComCtlVersion(DWORD major, DWORD minor = 0);
    // Under Wine the light theme is always on.
    void SetThemeState(BOOL appThemed, BOOL themeActive, DWORD appProperties);
    // Wine's light theme shapes a push button as its whole rectangle: a
    // rounded shape instead, so that corners exist.
    void UseRoundedButtonShape();

    // The procedures the error hook was told of, in order.
    static inline std::vector<std::string> errors;

private:
    ThemePlatform saved_;
};

// The reference data of the subclass `procedure` installed on hwnd with
// identifier 0; empty when none.
std::optional<DWORD_PTR> SubclassData(HWND hwnd, SUBCLASSPROC procedure);
