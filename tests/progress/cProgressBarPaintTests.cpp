#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "ClassicPaintFixture.h"
#include "DCGuards.h"
#include "Error.h"
#include "TestHost.h"
#include "TestPictures.h"

TEST_F(ClassicPaint, BarRectangleFollowsTheFraction) {
    struct Row {
        const char* name;
        int width, height, borderStyle, value;
        RECT bar;
        Frame frame;
    };
    const Row rows[] = {
        {"200x20 at 50", 200, 20, 1, 50, {1, 1, 100, 19}, Frame::kThinSunken},
        {"above Max fills the inner rectangle", 200, 20, 1, 150, {1, 1, 199, 19}, Frame::kThinSunken},
        {"below Min shows no bar", 200, 20, 1, -5, {1, 1, 1, 19}, Frame::kThinSunken},
        {"3.5 rounds to 4", 7, 4, 1, 50, {1, 1, 4, 3}, Frame::kThinSunken},
        {"2.5 rounds to 2", 5, 3, 1, 50, {1, 1, 2, 2}, Frame::kThinSunken},
        {"5.5 rounds to 6", 11, 4, 0, 50, {0, 0, 6, 4}, Frame::kNone},
        {"taller than wide: rises from the bottom", 20, 200, 1, 50, {1, 100, 19, 199}, Frame::kThinSunken},
        {"square: vertical", 20, 20, 1, 50, {1, 10, 19, 19}, Frame::kThinSunken},
        {"BorderStyle 0: no inset, no frame", 200, 20, 0, 50, {0, 0, 100, 20}, Frame::kNone},
        {"BorderStyle 3: inset, no frame", 200, 20, 3, 50, {1, 1, 100, 19}, Frame::kNone},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bar.SetBorderStyle(row.borderStyle);
        bar.SetValue(row.value);
        GdiSurface expected(row.width, row.height), actual(row.width, row.height);
        DrawExpected(expected, row.bar, row.frame);
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

TEST_F(ClassicPaint, SegmentsShowWholeBlocksAndGaps) {
    bar.SetSegments(true);
    for (const bool horizontal : {true, false}) {
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        // Extent 99 snaps to 90: nine blocks of 8, each followed by a gap of 2.
        const int width = horizontal ? 200 : 20, height = horizontal ? 20 : 200;
        GdiSurface expected(width, height), actual(width, height);
        DrawExpected(expected, {}, Frame::kThinSunken);
        for (int k = 0; k < 9; ++k)
            expected.Fill(horizontal ? RECT{1 + 10 * k, 1, 9 + 10 * k, 19} : RECT{1, 191 - 10 * k, 19, 199 - 10 * k},
                          kBlue);
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

TEST_F(ClassicPaint, FrameFollowsBorderStyleAndAppearance) {
    struct Row {
        int borderStyle, appearance;
        RECT bar;
        Frame frame;
    };
    const Row rows[] = {
        {1, 0, {1, 1, 100, 19}, Frame::kFlat},       {2, 0, {1, 1, 100, 19}, Frame::kFlat},
        {1, 1, {1, 1, 100, 19}, Frame::kThinSunken}, {2, 1, {1, 1, 100, 19}, Frame::kThinRaised},
        {1, 2, {2, 2, 100, 18}, Frame::kEdgeSunken}, {2, 2, {2, 2, 100, 18}, Frame::kEdgeRaised},
        {1, 7, {1, 1, 100, 19}, Frame::kNone},
    };
    ASSERT_NE(shadow, highlight);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "BorderStyle " << row.borderStyle << ", Appearance " << row.appearance);
        bar.SetBorderStyle(row.borderStyle);
        bar.SetAppearance(row.appearance);
        GdiSurface expected(200, 20), actual(200, 20);
        DrawExpected(expected, row.bar, row.frame);
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

// System colours fill with the brush of index AND 0x1F; an index without a
// brush (-1 gives 31) fills nothing, so the buffer's previous pass shows.
TEST_F(ClassicPaint, BackColorFollowsTheColourRules) {
    struct Row {
        std::int32_t backColor;
        COLORREF shows;
    };
    const Row rows[] = {
        {0x00FFFF, kYellow},
        {static_cast<std::int32_t>(0x80000005u), GetSysColor(COLOR_WINDOW)},
        {static_cast<std::int32_t>(0x80000025u), GetSysColor(COLOR_WINDOW)},
        {-1, kGreen},
        {static_cast<std::int32_t>(0x8000001Fu), kGreen},
    };
    bar.SetBorderStyle(0);
    bar.SetValue(0);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.backColor);
        GdiSurface previous(50, 10), actual(50, 10);
        bar.SetBackColor(kGreen);
        Paint(previous);
        bar.SetBackColor(row.backColor);
        Paint(actual);
        EXPECT_EQ(50 * 10, actual.Count({0, 0, 50, 10}, row.shows)) << std::hex << "(0, 0) is " << actual.Pixel(0, 0);
    }
}

TEST_F(ClassicPaint, CaptionTakesTwoColoursSplitAtTheBarEdge) {
    const ComPtr<IFont> font = MakeFont(L"Tahoma", 12, true);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(kBlue, highlightText);
    bar.SetFont(font.get());
    bar.SetForeColor(static_cast<std::int32_t>(0x80000000u | COLOR_HIGHLIGHT));
    bar.SetText(L"MMMMMMMMMM");
    bar.SetShowText(true);
    GdiSurface actual(200, 20);
    Paint(actual);
    const RECT barPart{1, 1, 100, 19}, rest{100, 1, 199, 19};
    EXPECT_GT(actual.Count(barPart, kGreen), 0) << "BarForeColor over the bar";
    EXPECT_EQ(0, actual.Count(rest, kGreen)) << "BarForeColor only over the bar";
    EXPECT_GT(actual.Count(rest, highlightText), 0) << "ForeColor, a system colour, beside the bar";
    EXPECT_EQ(0, actual.Count(barPart, highlightText)) << "ForeColor not over the bar";
}

TEST_F(ClassicPaint, CaptionIsPaddedWithOneSpace) {
    const ComPtr<IFont> font = MakeFont(L"Tahoma", 12, true);
    bar.SetFont(font.get());
    bar.SetValue(0);
    bar.SetTextAlignX(cProgressBar::kAlignLeft);
    bar.SetText(L"MMMM");
    bar.SetShowText(true);
    GdiSurface actual(200, 20);
    Paint(actual);

    HFONT hfont = nullptr;
    font->get_hFont(&hfont);
    const SelectionGuard selected(actual.hDC(), hfont);
    SIZE space{};
    GetTextExtentPoint32W(actual.hDC(), L" ", 1, &space);
    int firstInk = 200;
    for (int x = 199; x >= 1; --x)
        if (actual.Count({x, 1, x + 1, 19}, kRed) > 0) firstInk = x;
    EXPECT_GE(firstInk, 1 + space.cx) << "space " << space.cx;
    EXPECT_LE(firstInk, 1 + space.cx + 3) << "space " << space.cx;
}

TEST_F(ClassicPaint, NoCaptionWithoutShowTextOrText) {
    GdiSurface plain(200, 20);
    Paint(plain);
    for (const bool showText : {true, false}) {
        SCOPED_TRACE(showText ? "ShowText, empty Text" : "Text, no ShowText");
        bar.SetShowText(showText);
        bar.SetText(showText ? L"" : L"MMMM");
        GdiSurface actual(200, 20);
        Paint(actual);
        EXPECT_TRUE(SameImage(plain, actual));
    }
}

TEST_F(ClassicPaint, PicturesAreTiledOrStretched) {
    auto pattern = [](int x, int y) { return RGB(x * 16, y * 16, 0x80); };
    auto quadrant = [](int x, int y) { return x ? (y ? kYellow : kGreen) : (y ? kBlue : kRed); };
    const ComPtr<IPicture> tile = MakePicture(16, 16, pattern);
    const ComPtr<IPicture> quads = MakePicture(2, 2, quadrant);
    struct Row {
        const char* name;
        bool barPicture;
        std::int32_t mode;
        std::function<COLORREF(int, int)> expected;
    };
    // The bar covers x 0 to 99 of a 200x20 area without a frame.
    const Row rows[] = {
        {"background tiled", false, 1, [&](int x, int y) { return x < 100 ? kBlue : pattern(x % 16, y % 16); }},
        {"background stretched", false, 2, [&](int x, int y) { return x < 100 ? kBlue : quadrant(x / 100, y / 10); }},
        {"bar tiled", true, 1, [&](int x, int y) { return x < 100 ? pattern(x % 16, y % 16) : kYellow; }},
        {"bar stretched", true, 5, [&](int x, int y) { return x < 100 ? quadrant(x / 100, y / 10) : kYellow; }},
    };
    bar.SetBorderStyle(0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        IPicture* picture = (row.mode == 1 ? tile : quads).get();
        bar.SetPicture(row.barPicture ? nullptr : picture);
        bar.SetBarPicture(row.barPicture ? picture : nullptr);
        bar.SetBackPictureMode(row.mode);
        bar.SetBarPictureMode(row.mode);
        GdiSurface expected(200, 20), actual(200, 20);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 200; ++x) expected.SetPixel(x, y, row.expected(x, y));
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

// A pass that fails ends before anything reaches the host and leaves nothing
// behind in the buffer (no clip, no selection): the next good pass paints all.
TEST_F(ClassicPaint, FailedPassLeavesTheHostAsItWas) {
    const ComPtr<IPicture> noBitmap = MakeIconPicture();
    const ComPtr<IFont> defaultFont(bar.Font());
    struct Row {
        const char* name;
        std::function<void()> breakIt, restore;
        std::int32_t error;
    };
    const Row rows[] = {
        {"Min equal to Max", [&] { bar.SetMin(100); }, [&] { bar.SetMin(0); }, 11},
        {"Value - Min overflows", [&] { bar.SetMin(std::numeric_limits<std::int32_t>::min()); }, [&] { bar.SetMin(0); },
         6},
        {"caption without a font",
         [&] {
             bar.SetFont(nullptr);
             bar.SetText(L"50%");
             bar.SetShowText(true);
         },
         [&] {
             bar.SetShowText(false);
             bar.SetFont(defaultFont.get());
         },
         91},
        {"TextAlignY overflows the flags",
         [&] {
             bar.SetTextAlignY(0x40000000);
             bar.SetText(L"50%");
             bar.SetShowText(true);
         },
         [&] {
             bar.SetShowText(false);
             bar.SetTextAlignY(1);
         },
         6},
        {"tiled bar picture of no size", [&] { bar.SetBarPicture(noBitmap.get()); },
         [&] { bar.SetBarPicture(nullptr); }, 11},
        {"tiled background of no size", [&] { bar.SetPicture(noBitmap.get()); }, [&] { bar.SetPicture(nullptr); }, 11},
    };
    TestHost host(200, 20);
    bar.SetDrawObject(&host);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bar.SetBackColor(kYellow);
        GdiSurface before(200, 20);
        before.CopyFrom(host.surface.hDC());
        EXPECT_NO_THROW(row.breakIt());
        EXPECT_TRUE(SameImage(before, host.surface)) << "the host keeps its last good picture";

        GdiSurface untouched(200, 20), target(200, 20);
        try {
            Paint(target);
            ADD_FAILURE() << "DrawToDC raised no error";
        } catch (const Error& error) {
            EXPECT_EQ(row.error, error.Number()) << testing::PrintToString(error.Description());
        }
        EXPECT_TRUE(SameImage(untouched, target)) << "nothing reaches the target";

        bar.SetBackColor(kGreen);
        row.restore();
        GdiSurface expected(200, 20);
        DrawExpected(expected, {1, 1, 100, 19}, Frame::kThinSunken, kGreen);
        EXPECT_TRUE(SameImage(expected, host.surface)) << "the next pass paints the whole area";
    }
}

TEST_F(ClassicPaint, HostWithoutAWindowGetsNoPaint) {
    TestHost host(200, 20, TestHost::Window::kAbsent);
    EXPECT_NO_THROW(bar.SetDrawObject(&host));
    EXPECT_NO_THROW(bar.Draw());
    EXPECT_EQ(0, host.Paints());
    EXPECT_EQ(200 * 20, host.surface.Count({0, 0, 200, 20}, kSentinel));
}

// The buffer keeps a larger surface from earlier passes; an area of no width
// or height must not copy any of it out.
TEST_F(ClassicPaint, AreaWithoutWidthOrHeightPaintsNothing) {
    GdiSurface first(200, 20);
    Paint(first);
    for (const RECT& area : {RECT{0, 0, 0, 20}, RECT{0, 0, 200, 0}, RECT{30, 5, 30, 15}}) {
        SCOPED_TRACE(testing::Message() << area.left << "," << area.top << "," << area.right << "," << area.bottom);
        GdiSurface untouched(200, 20), target(200, 20);
        bar.DrawToDC(nullptr, target.hDC(), area.left, area.top, area.right, area.bottom);
        EXPECT_TRUE(SameImage(untouched, target));
    }
}

// The host owns its DC. A pass whose buffer has no surface to give (an area
// of no width or height, on a bar that never painted) draws straight into
// it; the DC still ends the pass as the host left it.
TEST_F(ClassicPaint, APassLeavesTheHostsDCAsItWas) {
    bar.SetText(L"50%");
    bar.SetShowText(true);
    GdiSurface target(200, 20);
    const HDC dc = target.hDC();
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, kSentinel);
    const UniqueRegion clip(CreateRectRgn(0, 0, 50, 10));
    SelectClipRgn(dc, clip.get());
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    for (const RECT& area : {RECT{0, 0, 200, 0}, RECT{0, 0, 0, 20}}) {
        SCOPED_TRACE(testing::Message() << area.right << "x" << area.bottom);
        bar.DrawToDC(nullptr, dc, area.left, area.top, area.right, area.bottom);
        EXPECT_EQ(OPAQUE, GetBkMode(dc));
        EXPECT_EQ(kSentinel, GetTextColor(dc));
        const UniqueRegion kept(CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(1, GetClipRgn(dc, kept.get())) << "the clip is gone";
        EXPECT_TRUE(EqualRgn(clip.get(), kept.get()));
        EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
        EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));
    }
}
