#include "cProgressBar.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "Error.h"
#include "GdiSurface.h"
#include "TestHost.h"
#include "TestPictures.h"

namespace {

constexpr std::int32_t kNoColour = -1;

// The caption's ink: the columns of the host that hold a pixel of the colour.
int InkWidth(const GdiSurface& surface, COLORREF ink) {
    int first = surface.Width(), last = -1;
    for (int x = 0; x < surface.Width(); ++x) {
        if (surface.Count({x, 0, x + 1, surface.Height()}, ink) == 0) continue;
        first = std::min(first, x);
        last = x;
    }
    return last < first ? 0 : last - first + 1;
}

}  // namespace

TEST(cProgressBarModel, NewBarHasItsDefaults) {
    cProgressBar bar;
    EXPECT_EQ(L"", bar.Tag());
    EXPECT_FALSE(bar.Segments());
    EXPECT_FALSE(bar.XpStyle());
    EXPECT_EQ(L"", bar.Text());
    EXPECT_EQ(1, bar.TextAlignX());
    EXPECT_EQ(1, bar.TextAlignY());
    EXPECT_FALSE(bar.ShowText());
    EXPECT_EQ(0.0, bar.Percent());
    EXPECT_EQ(0, bar.Min());
    EXPECT_EQ(100, bar.Max());
    EXPECT_EQ(0, bar.Value());
    EXPECT_EQ(1, bar.BorderStyle());
    EXPECT_EQ(1, bar.Appearance());
    EXPECT_EQ(nullptr, bar.DrawObject());
    EXPECT_EQ(kNoColour, bar.BackColor());
    EXPECT_EQ(0, bar.ForeColor());
    EXPECT_EQ(kNoColour, bar.BarColor());
    EXPECT_EQ(0xFFFFFF, bar.BarForeColor());
    EXPECT_EQ(1, bar.BarPictureMode());
    EXPECT_EQ(1, bar.BackPictureMode());

    // The platform's font object reports the face and size it realised (a
    // substitute where Tahoma is missing); the font it made keeps the request.
    ASSERT_NE(nullptr, bar.Font());
    HFONT hfont = nullptr;
    ASSERT_EQ(S_OK, bar.Font()->get_hFont(&hfont));
    LOGFONTW requested{};
    ASSERT_NE(0, GetObjectW(hfont, sizeof requested, &requested));
    EXPECT_STREQ(L"Tahoma", requested.lfFaceName);
    const ComPtr<IFont> reference = MakeFont(L"Tahoma", 8, false);
    CY size{}, referenceSize{};
    ASSERT_EQ(S_OK, bar.Font()->get_Size(&size));
    ASSERT_EQ(S_OK, reference->get_Size(&referenceSize));
    EXPECT_EQ(referenceSize.int64, size.int64) << "8 points";
}

// Every setter stores its value unchanged and paints once; Tag never paints.
TEST(cProgressBarModel, EverySetterButTagPaintsOnce) {
    TestHost host(200, 20);
    cProgressBar bar;
    bar.SetDrawObject(&host);
    EXPECT_EQ(1, host.Paints());
    EXPECT_EQ(&host, bar.DrawObject());
    const ComPtr<IPicture> picture = MakePicture(4, 4, [](int, int) { return kRed; });
    const ComPtr<IFont> font = MakeFont(L"Tahoma", 12, true);

    struct Row {
        const char* name;
        std::function<void()> set;
        std::function<bool()> stored;
        int paints;
    };
    const Row rows[] = {
        {"Tag", [&] { bar.SetTag(L"5"); }, [&] { return bar.Tag() == L"5"; }, 0},
        {"Segments", [&] { bar.SetSegments(true); }, [&] { return bar.Segments(); }, 1},
        {"XpStyle", [&] { bar.SetXpStyle(true); }, [&] { return bar.XpStyle(); }, 1},
        {"Text", [&] { bar.SetText(L"abc"); }, [&] { return bar.Text() == L"abc"; }, 1},
        {"TextAlignX", [&] { bar.SetTextAlignX(7); }, [&] { return bar.TextAlignX() == 7; }, 1},
        {"TextAlignY", [&] { bar.SetTextAlignY(-3); }, [&] { return bar.TextAlignY() == -3; }, 1},
        {"ShowText", [&] { bar.SetShowText(true); }, [&] { return bar.ShowText(); }, 1},
        {"Min", [&] { bar.SetMin(-50); }, [&] { return bar.Min() == -50; }, 1},
        {"Max", [&] { bar.SetMax(-60); }, [&] { return bar.Max() == -60; }, 1},
        {"Value", [&] { bar.SetValue(150); }, [&] { return bar.Value() == 150; }, 1},
        {"BorderStyle", [&] { bar.SetBorderStyle(9); }, [&] { return bar.BorderStyle() == 9; }, 1},
        {"Appearance", [&] { bar.SetAppearance(-1); }, [&] { return bar.Appearance() == -1; }, 1},
        {"BackColor", [&] { bar.SetBackColor(0x123456); }, [&] { return bar.BackColor() == 0x123456; }, 1},
        {"ForeColor", [&] { bar.SetForeColor(kNoColour); }, [&] { return bar.ForeColor() == kNoColour; }, 1},
        {"Font", [&] { bar.SetFont(font.get()); }, [&] { return bar.Font() == font.get(); }, 1},
        {"BarColor", [&] { bar.SetBarColor(0xABCDEF); }, [&] { return bar.BarColor() == 0xABCDEF; }, 1},
        {"BarForeColor", [&] { bar.SetBarForeColor(0); }, [&] { return bar.BarForeColor() == 0; }, 1},
        {"BarPicture", [&] { bar.SetBarPicture(picture.get()); }, [] { return true; }, 1},
        {"BarPictureMode", [&] { bar.SetBarPictureMode(3); }, [&] { return bar.BarPictureMode() == 3; }, 1},
        {"BackPictureMode", [&] { bar.SetBackPictureMode(0); }, [&] { return bar.BackPictureMode() == 0; }, 1},
        {"Picture", [&] { bar.SetPicture(picture.get()); }, [] { return true; }, 1},
        {"Picture removed", [&] { bar.SetPicture(nullptr); }, [] { return true; }, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int before = host.Paints();
        row.set();
        EXPECT_EQ(row.paints, host.Paints() - before);
        EXPECT_TRUE(row.stored());
    }
}

// Unrounded, clamped to 0..100; an empty range raises division by zero (11),
// a difference beyond 32 bits overflow (6).
TEST(cProgressBarModel, PercentFollowsTheRange) {
    constexpr auto kLow = std::numeric_limits<std::int32_t>::min();
    constexpr auto kHigh = std::numeric_limits<std::int32_t>::max();
    struct Row {
        std::int32_t min, max, value;
        double percent;
        std::int32_t error;
    };
    const Row rows[] = {
        {0, 100, 50, 50.0, 0},  {0, 100, 150, 100.0, 0},  {0, 100, -5, 0.0, 0}, {0, 3, 1, 100.0 / 3, 0},
        {100, 0, 25, 75.0, 0},  {-10, 10, 5, 75.0, 0},    {7, 7, 7, 0.0, 11},   {0, 0, 5, 0.0, 11},
        {1, 100, kLow, 0.0, 6}, {kLow, kHigh, 0, 0.0, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.min << ".." << row.max << " at " << row.value);
        cProgressBar bar;
        bar.SetMin(row.min);
        bar.SetMax(row.max);
        bar.SetValue(row.value);
        try {
            const double percent = bar.Percent();
            EXPECT_EQ(0, row.error) << "no error; Percent gave " << percent;
            EXPECT_DOUBLE_EQ(row.percent, percent);
        } catch (const Error& error) {
            EXPECT_EQ(row.error, error.Number());
        }
    }
}

TEST(cProgressBarModel, PictureIsCopiedWhenSet) {
    TestHost host(60, 20);
    cProgressBar bar;
    bar.SetBorderStyle(0);
    bar.SetBackColor(kYellow);
    bar.SetDrawObject(&host);
    const ComPtr<IPicture> picture = MakePicture(8, 8, [](int, int) { return kRed; });
    bar.SetPicture(picture.get());
    EXPECT_EQ(60 * 20, host.surface.Count({0, 0, 60, 20}, kRed));

    Repaint(picture.get(), kGreen);
    bar.Draw();
    EXPECT_EQ(60 * 20, host.surface.Count({0, 0, 60, 20}, kRed)) << "the bar keeps its copy";

    bar.SetPicture(picture.get());
    EXPECT_EQ(60 * 20, host.surface.Count({0, 0, 60, 20}, kGreen)) << "a new intake takes the change";

    bar.SetPicture(nullptr);
    EXPECT_EQ(60 * 20, host.surface.Count({0, 0, 60, 20}, kYellow)) << "no picture: the back colour";
}

TEST(cProgressBarModel, FontIsKeptByReference) {
    TestHost host(300, 40);
    cProgressBar bar;
    const ComPtr<IFont> font = MakeFont(L"Tahoma", 8, false);
    bar.SetBackColor(kWhite);
    bar.SetForeColor(kBlack);
    bar.SetText(L"WWWW");
    bar.SetShowText(true);
    bar.SetFont(font.get());
    bar.SetDrawObject(&host);
    EXPECT_EQ(font.get(), bar.Font());
    const int smallWidth = InkWidth(host.surface, kBlack);
    ASSERT_GT(smallWidth, 0) << "no caption painted";

    const int paints = host.Paints();
    CY size{};
    size.int64 = 16 * 10000;
    ASSERT_EQ(S_OK, font->put_Size(size));
    EXPECT_EQ(paints, host.Paints()) << "a change of the font object paints nothing by itself";

    bar.Draw();
    EXPECT_GT(InkWidth(host.surface, kBlack), smallWidth * 3 / 2) << "the larger font shows at the next paint";
}
