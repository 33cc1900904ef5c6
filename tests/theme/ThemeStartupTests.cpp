// Detection (IsComCtl6Loaded, pvIsThemed) and FixThemeSupport over a real window.
#include <windows.h>

#include <gtest/gtest.h>

#include "Error.h"
#include "FakeControl.h"
#include "ScopedThemePlatform.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;
using Names = std::vector<std::string>;

BOOL WINAPI ThrowingIsThemeActive() {
    throw Error(48, L"theme_tests", L"Error in loading DLL");
}

TEST(ThemeStartup, ThemedOnlyWhenAppThemedThemeActiveAndControlsAllowed) {
    ScopedThemePlatform platform;
    const struct {
        BOOL appThemed, themeActive;
        DWORD properties;
        bool themed;
    } rows[] = {{TRUE, TRUE, STAP_ALLOW_CONTROLS, true},
                {TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS, true},
                {FALSE, TRUE, STAP_ALLOW_CONTROLS, false},
                {TRUE, FALSE, STAP_ALLOW_CONTROLS, false},
                {TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_WEBCONTENT, false}};
    for (const auto& row : rows) {
        platform.SetThemeState(row.appThemed, row.themeActive, row.properties);
        EXPECT_EQ(row.themed, pvIsThemed()) << row.appThemed << row.themeActive << row.properties;
    }
    platform->IsThemeActive = &ThrowingIsThemeActive;
    EXPECT_FALSE(pvIsThemed()) << "a failing call means no styles";
    EXPECT_TRUE(ScopedThemePlatform::errors.empty()) << "asked at every message, without the hook";
}

TEST(ThemeStartup, FixThemeSupportSubclassesTheFramesAndTheGraphicalButtons) {
    ScopedThemePlatform platform;
    FakeControl controls[7];
    TestWindow window;
    const struct {
        ThemeControlKind kind;
        DWORD style;
        std::optional<std::int32_t> styleProperty;  // 1 graphical, 0 standard
        SUBCLASSPROC subclass;
    } rows[] = {
        {ThemeControlKind::Frame, BS_GROUPBOX, {}, &pvRedirectFrame},
        {ThemeControlKind::CommandButton, BS_PUSHBUTTON, 0, nullptr},
        {ThemeControlKind::CommandButton, BS_PUSHBUTTON, 1, &pvRedirectButton},
        {ThemeControlKind::CheckBox, BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, &pvRedirectButton},
        {ThemeControlKind::OptionButton, BS_AUTORADIOBUTTON | BS_PUSHLIKE, 1, &pvRedirectButton},
        {ThemeControlKind::CheckBox, BS_AUTOCHECKBOX, 2, nullptr},
        {ThemeControlKind::Other, BS_PUSHBUTTON, 1, nullptr},
    };
    std::vector<ThemeControl*> list{nullptr};  // not set: reported, and the walk goes on
    for (int i = 0; i < 7; ++i) {
        controls[i].kind = rows[i].kind;
        controls[i].style = rows[i].styleProperty;
        controls[i].window = window.AddChild(L"BUTTON", L"", rows[i].style, 5, 5 + 25 * i, 80, 20);
        list.push_back(&controls[i]);
    }
    // The test program carries no manifest: on Windows as under Wine (whose
    // version 6 answers 5.81 too) the real answer is version 5. A failing
    // version query (0 here) goes to the hook.
    EXPECT_FALSE(IsComCtl6Loaded());
    for (const DWORD major : {0u, 5u, 6u}) {
        platform.SetComCtlVersion(major);
        EXPECT_EQ(major == 6, FixThemeSupport(list));
        for (int i = 0; i < 7; ++i) {
            for (const SUBCLASSPROC procedure : {&pvRedirectFrame, &pvRedirectButton}) {
                const bool expected = major == 6 && procedure == rows[i].subclass;
                const auto object = procedure == &pvRedirectButton ? reinterpret_cast<DWORD_PTR>(list[i + 1]) : 0;
                EXPECT_EQ(expected ? std::optional(object) : std::nullopt, SubclassData(controls[i].window, procedure))
                    << "version " << major << ", control " << i;
            }
        }
    }
    EXPECT_EQ((Names{"IsComCtl6Loaded", "FixThemeSupport"}), ScopedThemePlatform::errors);
    // A Style that cannot be read is a failing test: the step it guards runs.
    controls[1].style.reset();
    EXPECT_TRUE(FixThemeSupport({&controls[1]}));
    EXPECT_TRUE(SubclassData(controls[1].window, &pvRedirectButton));
    EXPECT_EQ(3u, ScopedThemePlatform::errors.size());
}
