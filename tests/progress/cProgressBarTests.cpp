#include "cProgressBar.h"

#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "ExpectedBar.h"
#include "OleObjects.h"
#include "Pictures.h"
#include "ProgressBarHost.h"
#include "Raises.h"
#include "Surface.h"

namespace {

// A bar's host: a hidden window of the surface's size (unless it has none) and the surface as its
// DC, whose reads, one per paint, it counts.
class TestHost : public ProgressBarHost {
public:
    TestHost(int width, int height, bool withWindow = true)
        : surface(width, height),
          hwnd_(withWindow ? CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                             nullptr, nullptr)
                           : nullptr) {}
    ~TestHost() override { DestroyWindow(hwnd_); }

    HWND hWnd() const override { return hwnd_; }
    HDC hDC() const override {
        ++paints;
        return surface.hDC();
    }

    Surface surface;
    mutable int paints = 0;

private:
    HWND hwnd_;
};

// A bar in the classic look with colours of its own (yellow back, blue bar,
// red caption, green caption over the bar) at 50 of 0..100.
class ClassicPaint : public testing::Test {
protected:
    ClassicPaint() {
        bar.SetBackColor(0x00FFFF);
        bar.SetBarColor(0xFF0000);
        bar.SetForeColor(0x0000FF);
        bar.SetBarForeColor(0x00FF00);
        bar.SetValue(50);
    }

    void Paint(Surface& target) { bar.DrawToDC(nullptr, target.hDC(), 0, 0, target.Width(), target.Height()); }

    cProgressBar bar;
};

}  // namespace

// System colours fill with the brush of index AND 0x1F; an index without a
// brush (-1 gives 31) fills nothing, so the buffer's previous pass shows.
TEST_F(ClassicPaint, BarFrameAndBackFollowValueBorderStyleAppearanceAndBackColor) {
    struct Row {
        const char* name;
        int width, height, borderStyle, appearance, value;
        RECT bar;
        Frame frame;
        std::int32_t backColor = 0x00FFFF;
        COLORREF back = kYellow;
    };
    const auto kWindowColour = static_cast<std::int32_t>(0x80000025u);  // 0x25 AND 0x1F is COLOR_WINDOW
    const Row rows[] = {
        {"200x20 at 50", 200, 20, 1, 1, 50, {1, 1, 100, 19}, Frame::kThinSunken},
        {"3.5 rounds to 4", 7, 4, 1, 1, 50, {1, 1, 4, 3}, Frame::kThinSunken},
        {"2.5 rounds to 2", 5, 3, 1, 1, 50, {1, 1, 2, 2}, Frame::kThinSunken},
        {"taller than wide: rises from the bottom", 20, 200, 1, 1, 50, {1, 100, 19, 199}, Frame::kThinSunken},
        {"BorderStyle 0: no inset, no frame", 200, 20, 0, 1, 50, {0, 0, 100, 20}, Frame::kNone},
        {"BorderStyle 3: inset, no frame", 200, 20, 3, 1, 50, {1, 1, 100, 19}, Frame::kNone},
        {"raised thin", 200, 20, 2, 1, 50, {1, 1, 100, 19}, Frame::kThinRaised},
        {"flat", 200, 20, 1, 0, 50, {1, 1, 100, 19}, Frame::kFlat},
        {"3D edge insets by 2", 200, 20, 1, 2, 50, {2, 2, 100, 18}, Frame::kEdgeSunken},
        {"raised 3D edge", 200, 20, 2, 2, 50, {2, 2, 100, 18}, Frame::kEdgeRaised},
        {"unknown Appearance: no frame", 200, 20, 1, 7, 50, {1, 1, 100, 19}, Frame::kNone},
        {"BackColor 0", 200, 20, 0, 1, 0, {}, Frame::kNone, 0, kBlack},
        {"a system colour", 200, 20, 0, 1, 0, {}, Frame::kNone, kWindowColour, GetSysColor(COLOR_WINDOW)},
        {"-1, after a system colour", 200, 20, 0, 1, 0, {}, Frame::kNone, -1, GetSysColor(COLOR_WINDOW)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bar.SetBorderStyle(row.borderStyle);
        bar.SetAppearance(row.appearance);
        bar.SetValue(row.value);
        bar.SetBackColor(row.backColor);
        Surface expected(row.width, row.height), actual(row.width, row.height);
        DrawExpectedBar(expected, row.bar, row.frame, row.back, kBlue);
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

TEST_F(ClassicPaint, CaptionTakesTwoColoursSplitAtTheBarEdgeAndIsPadded) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    bar.SetForeColor(static_cast<std::int32_t>(0x80000000u | COLOR_HIGHLIGHT));
    bar.SetText(L"MMMMMMMMMMMM");
    bar.SetShowText(true);
    Surface actual(200, 20);
    Paint(actual);
    const RECT barPart{1, 1, 100, 19}, rest{100, 1, 199, 19};
    EXPECT_GT(actual.Count(kGreen, barPart), 0) << "BarForeColor over the bar";
    EXPECT_EQ(0, actual.Count(kGreen, rest)) << "BarForeColor only over the bar";
    EXPECT_GT(actual.Count(highlight, rest), 0) << "ForeColor, a system colour, beside the bar";
    EXPECT_EQ(0, actual.Count(highlight, barPart)) << "ForeColor not over the bar";

    // Left-aligned at 0: the text with a blank on either side, in the inner rectangle.
    bar.SetTextAlignX(cProgressBar::kAlignLeft);
    bar.SetValue(0);
    Paint(actual);
    Surface expected(200, 20);
    DrawExpectedBar(expected, {}, Frame::kThinSunken, kYellow, kBlue);
    const HGDIOBJ previous = SelectObject(expected.hDC(), FontHandle(bar.Font(), ErrorSource()));
    SetBkMode(expected.hDC(), TRANSPARENT);
    SetTextColor(expected.hDC(), highlight);
    RECT inner{1, 1, 199, 19};
    DrawTextA(expected.hDC(), " MMMMMMMMMMMM ", -1, &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(expected.hDC(), previous);
    EXPECT_TRUE(SameImage(expected, actual));
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
        Surface expected(200, 20), actual(200, 20);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 200; ++x) expected.SetPixel(x, y, row.expected(x, y));
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual));
    }
}

// A pass that fails ends before anything reaches the host and leaves nothing
// behind in the buffer (no clip, no selection): the next good pass paints all.
TEST_F(ClassicPaint, AFailedPassLeavesTheHostAsItWas) {
    const ComPtr<IPicture> noBitmap = MakeEmptyPicture();
    const ComPtr<IFont> font(bar.Font());
    struct Row {
        const char* name;
        std::function<void()> breakIt, restore;
        std::int32_t error;
    };
    const Row rows[] = {
        {"Min equal to Max", [&] { bar.SetMin(100); }, [&] { bar.SetMin(0); }, 11},
        {"caption without a font", [&] { bar.SetFont(nullptr), bar.SetShowText(true); },
         [&] { bar.SetShowText(false), bar.SetFont(font.get()); }, 91},
        {"TextAlignY overflows the flags", [&] { bar.SetTextAlignY(0x40000000), bar.SetShowText(true); },
         [&] { bar.SetShowText(false), bar.SetTextAlignY(1); }, 6},
        {"tiled bar picture of no size", [&] { bar.SetBarPicture(noBitmap.get()); },
         [&] { bar.SetBarPicture(nullptr); }, 11},
        {"tiled background of no size", [&] { bar.SetPicture(noBitmap.get()); }, [&] { bar.SetPicture(nullptr); }, 11},
    };
    TestHost host(200, 20);
    bar.SetText(L"50%");
    bar.SetDrawObject(&host);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bar.SetBackColor(0x00FFFF);
        Surface before(200, 20), untouched(200, 20), target(200, 20), expected(200, 20);
        before.CopyFrom(host.surface.hDC());
        EXPECT_NO_THROW(row.breakIt());
        EXPECT_TRUE(SameImage(before, host.surface)) << "the host keeps its last good picture";
        EXPECT_TRUE(Raises([&] { Paint(target); }, row.error));
        EXPECT_TRUE(SameImage(untouched, target)) << "nothing reaches the target";

        bar.SetBackColor(0x00FF00);
        row.restore();
        DrawExpectedBar(expected, {1, 1, 100, 19}, Frame::kThinSunken, kGreen, kBlue);
        EXPECT_TRUE(SameImage(expected, host.surface)) << "the next pass paints the whole area";
    }
    TestHost windowless(200, 20, false);
    bar.SetDrawObject(&windowless);
    EXPECT_EQ(0, windowless.paints) << "a host without a window gets no paint";
}

// The host owns its DC: a pass leaves its text mode and colour, clip, font and
// pen as they were, also when the buffer has no surface to give (an area of no
// width or height on a bar that never painted) and the pass draws straight in.
TEST_F(ClassicPaint, APassLeavesTheDCAsItWas) {
    bar.SetText(L"50%");
    bar.SetShowText(true);
    Surface target(200, 20);
    const HDC dc = target.hDC();
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, kMagenta);
    const UniqueRegion clip(CreateRectRgn(0, 0, 50, 10)), kept(CreateRectRgn(0, 0, 0, 0));
    SelectClipRgn(dc, clip.get());
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT), pen = GetCurrentObject(dc, OBJ_PEN);
    for (const SIZE& area : {SIZE{200, 0}, SIZE{0, 20}, SIZE{200, 20}}) {
        SCOPED_TRACE(testing::Message() << area.cx << "x" << area.cy);
        bar.DrawToDC(nullptr, dc, 0, 0, area.cx, area.cy);
        EXPECT_EQ(OPAQUE, GetBkMode(dc));
        EXPECT_EQ(kMagenta, GetTextColor(dc));
        EXPECT_TRUE(GetClipRgn(dc, kept.get()) == 1 && EqualRgn(clip.get(), kept.get())) << "the clip changed";
        EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
        EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));
    }
}

// With XpStyle, where the platform offers the theme class "Progress": the
// theme's bar, then its chunks on the bar cut to whole pitches (chunk and
// space, the inner extent of 99 at 50), or a bar picture there.
TEST_F(ClassicPaint, XpStyleDrawsTheThemesBarAndChunks) {
    const UniqueTheme theme(OpenThemeData(nullptr, L"Progress"));
    if (!theme) GTEST_SKIP() << "visual styles are off here: no theme class \"Progress\"";
    int chunk = 0, space = 0;
    GetThemeInt(theme.get(), 0, 0, TMT_PROGRESSCHUNKSIZE, &chunk);
    GetThemeInt(theme.get(), 0, 0, TMT_PROGRESSSPACESIZE, &space);
    const RECT area{0, 0, 200, 20}, chunks{1, 1, 100 - 99 % (chunk + 2 * space), 19};
    const ComPtr<IPicture> red = MakePicture(4, 4, [](int, int) { return kRed; });
    bar.SetXpStyle(true);
    for (const bool picture : {false, true}) {
        bar.SetBarPicture(picture ? red.get() : nullptr);
        Surface expected(200, 20), actual(200, 20);
        DrawThemeBackground(theme.get(), expected.hDC(), PP_BAR, 0, &area, &area);
        if (picture)
            expected.Fill(chunks, kRed);
        else
            DrawThemeBackground(theme.get(), expected.hDC(), PP_CHUNK, 0, &chunks, &chunks);
        Paint(actual);
        EXPECT_TRUE(SameImage(expected, actual)) << (picture ? "bar picture" : "chunks");
    }
}

// Unrounded, clamped to 0..100; an empty range raises division by zero (11),
// a difference beyond 32 bits overflow (6).
TEST(cProgressBar, PercentFollowsTheRange) {
    constexpr auto kLow = std::numeric_limits<std::int32_t>::min();
    constexpr auto kHigh = std::numeric_limits<std::int32_t>::max();
    struct Row {
        std::int32_t min, max, value;
        double percent;
        std::int32_t error;
    };
    const Row rows[] = {
        {0, 100, 150, 100.0, 0}, {0, 100, -5, 0.0, 0},   {0, 3, 1, 100.0 / 3, 0},     {100, 0, 25, 75.0, 0},
        {7, 7, 7, 0.0, 11},      {1, 100, kLow, 0.0, 6}, {kLow, kHigh, kLow, 0.0, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.min << ".." << row.max << " at " << row.value);
        cProgressBar bar;
        bar.SetMin(row.min);
        bar.SetMax(row.max);
        bar.SetValue(row.value);
        if (row.error)
            EXPECT_TRUE(Raises([&] { bar.Percent(); }, row.error));
        else
            EXPECT_DOUBLE_EQ(row.percent, bar.Percent());
    }
}

TEST(cProgressBar, EverySetterButTagPaintsOnce) {
    TestHost host(200, 20);
    cProgressBar bar;
    bar.SetDrawObject(&host);
    EXPECT_EQ(1, host.paints);
    const ComPtr<IPicture> picture = MakePicture(4, 4, [](int, int) { return kRed; });
    struct Row {
        const char* name;
        std::function<void()> set;
        int paints = 1;
    };
    const Row rows[] = {
        {"Segments", [&] { bar.SetSegments(true); }},
        {"XpStyle", [&] { bar.SetXpStyle(true); }},
        {"Text", [&] { bar.SetText(L"abc"); }},
        {"TextAlignX", [&] { bar.SetTextAlignX(2); }},
        {"TextAlignY", [&] { bar.SetTextAlignY(0); }},
        {"ShowText", [&] { bar.SetShowText(true); }},
        {"Min", [&] { bar.SetMin(-50); }},
        {"Max", [&] { bar.SetMax(60); }},
        {"Value", [&] { bar.SetValue(10); }},
        {"BorderStyle", [&] { bar.SetBorderStyle(2); }},
        {"Appearance", [&] { bar.SetAppearance(2); }},
        {"BackColor", [&] { bar.SetBackColor(0x123456); }},
        {"ForeColor", [&] { bar.SetForeColor(0); }},
        {"Font", [&] { bar.SetFont(bar.Font()); }},
        {"BarColor", [&] { bar.SetBarColor(0xABCDEF); }},
        {"BarForeColor", [&] { bar.SetBarForeColor(0); }},
        {"BarPicture", [&] { bar.SetBarPicture(picture.get()); }},
        {"BarPictureMode", [&] { bar.SetBarPictureMode(2); }},
        {"BackPictureMode", [&] { bar.SetBackPictureMode(2); }},
        {"Picture", [&] { bar.SetPicture(picture.get()); }},
        {"Picture removed", [&] { bar.SetPicture(nullptr); }},
        {"DrawObject", [&] { bar.SetDrawObject(&host); }},
        {"Tag", [&] { bar.SetTag(L"5"); }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int before = host.paints;
        row.set();
        EXPECT_EQ(row.paints, host.paints - before);
    }
}
