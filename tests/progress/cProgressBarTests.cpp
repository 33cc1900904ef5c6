#include "cProgressBar.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "Pictures.h"
#include "Raises.h"
#include "TestHost.h"

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
