#pragma once

#include <windows.h>

#include <commctrl.h>
#include <string>
#include <vector>

#include "ThemePlatform.h"

// Sets the module's platform seam for one test and puts every member back
// when it ends. Only what Wine cannot show goes through here.
class ScopedThemePlatform {
public:
    ScopedThemePlatform();
    ~ScopedThemePlatform();
    ScopedThemePlatform(const ScopedThemePlatform&) = delete;
    ScopedThemePlatform& operator=(const ScopedThemePlatform&) = delete;

    ThemePlatform* operator->() noexcept { return &CurrentThemePlatform(); }

    // Wine's common controls 6 answer 5.81: the version the module sees.
    void SetComCtlVersion(DWORD major, DWORD minor = 0);
    // The version query fails as a missing export does.
    void FailVersionQuery();
    // Under Wine the light theme is always on: the classic theme and programs
    // excluded from theming come from here.
    void SetThemeState(BOOL appThemed, BOOL themeActive, DWORD appProperties);
    // Wine's light theme shapes every push button as its whole rectangle: a
    // shape with rounded corners, so that corners exist.
    void UseRoundedButtonShape();
    // Wine's DrawThemeParentBackground always succeeds.
    void FailParentBackground();
    // Records the start-up calls (and still makes them) in CallLog().
    void RecordStartupCalls();

    // Version queries made and the start-up calls, in order.
    static int VersionQueries();
    static const std::vector<std::string>& CallLog();
    // The record of the last version query as it was handed over.
    static DLLVERSIONINFO LastVersionRecord();

private:
    ThemePlatform saved_;
};
