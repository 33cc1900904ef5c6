#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <optional>

#include <gtest/gtest.h>

#include "ClassicPaintFixture.h"
#include "TestPictures.h"
#include "UniqueHandle.h"

namespace {

// The same bar with XpStyle on, where the platform offers the theme class
// "Progress"; the expected pictures come from the theme itself.
class ThemedPaint : public ClassicPaint {
protected:
    void SetUp() override {
        theme.reset(OpenThemeData(nullptr, L"Progress"));
        if (!theme) GTEST_SKIP() << "visual styles are off here: no theme class \"Progress\"";
        ASSERT_EQ(S_OK, GetThemeInt(theme.get(), 0, 0, TMT_PROGRESSCHUNKSIZE, &chunk));
        ASSERT_EQ(S_OK, GetThemeInt(theme.get(), 0, 0, TMT_PROGRESSSPACESIZE, &space));
        bar.SetXpStyle(true);
    }

    // The theme's bar background on the whole area, then what goes on the
    // bar rectangle: the theme's chunk, or a colour.
    void DrawExpectedThemed(GdiSurface& expected, const RECT& barRect, std::optional<COLORREF> barFill = {}) const {
        const bool horizontal = expected.Width() > expected.Height();
        const RECT area{0, 0, expected.Width(), expected.Height()};
        DrawThemeBackground(theme.get(), expected.hDC(), horizontal ? PP_BAR : PP_BARVERT, 0, &area, &area);
        if (barFill)
            expected.Fill(barRect, *barFill);
        else
            DrawThemeBackground(theme.get(), expected.hDC(), horizontal ? PP_CHUNK : PP_CHUNKVERT, 0, &barRect,
                                &barRect);
    }

    // The 200x20 bar at 50 (inner extent 99), cut to whole pitches of the theme.
    RECT HalfBar() const { return {1, 1, 100 - 99 % (chunk + 2 * space), 19}; }

    UniqueTheme theme;
    int chunk = 0;
    int space = 0;
};

}  // namespace

TEST_F(ThemedPaint, DrawsTheThemesBarAndChunk) {
    for (const bool horizontal : {true, false}) {
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        const int width = horizontal ? 200 : 20, height = horizontal ? 20 : 200;
        const int cut = 99 % (chunk + 2 * space);
        GdiSurface expected(width, height), actual(width, height);
        DrawExpectedThemed(expected, horizontal ? HalfBar() : RECT{1, 100 + cut, 19, 199});
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

// The themed look keeps a bar picture to the bar as the classic one does.
TEST_F(ThemedPaint, BarPictureStaysWithinTheBar) {
    const ComPtr<IPicture> red = MakePicture(4, 4, [](int, int) { return kRed; });
    bar.SetBarPicture(red.get());
    GdiSurface expected(200, 20), actual(200, 20);
    DrawExpectedThemed(expected, HalfBar(), kRed);
    Paint(actual);
    EXPECT_TRUE(SameImage(expected, actual));
}

TEST_F(ThemedPaint, ClassicLookWithABackgroundPictureOrWithoutStyles) {
    const ComPtr<IPicture> red = MakePicture(4, 4, [](int, int) { return kRed; });
    const HWND unstyled =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
    SetWindowTheme(unstyled, L" ", L" ");
    const UniqueTheme none(OpenThemeData(unstyled, L"Progress"));
    for (const bool withPicture : {true, false}) {
        SCOPED_TRACE(withPicture ? "background picture" : "window without visual styles");
        if (!withPicture && none) {
            ADD_FAILURE() << "the window still has a theme; nothing to compare";
            continue;
        }
        bar.SetPicture(withPicture ? red.get() : nullptr);
        GdiSurface classic(200, 20), actual(200, 20);
        bar.SetXpStyle(false);
        bar.DrawToDC(unstyled, classic.hDC(), 0, 0, 200, 20);
        bar.SetXpStyle(true);
        bar.DrawToDC(withPicture ? nullptr : unstyled, actual.hDC(), 0, 0, 200, 20);
        EXPECT_TRUE(SameImage(classic, actual));
    }
    DestroyWindow(unstyled);
}
