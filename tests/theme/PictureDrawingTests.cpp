// The drawing procedures behind the button's picture and corners, and the
// small conversions, on real GDI surfaces.
#include <windows.h>

#include <gtest/gtest.h>
#include <climits>
#include <string>
#include <vector>

#include "Error.h"
#include "ErrorRecorder.h"
#include "FailingPicture.h"
#include "TestPictures.h"
#include "XpThemeInternals.h"

using namespace mdXpThemeSupport;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A red 4 x 4 square at (2, 2) in an 8 x 8 picture of the mask colour.
COLORREF RedSquare(int x, int y) {
    return x >= 2 && x < 6 && y >= 2 && y < 6 ? kRed : kMagenta;
}

TEST(DrawTransparentPictureTest, AnIconIsLaidOverTheMaskColourSoItsOpenAreasStayOpen) {
    // The icon's own open pixels, not the mask colour, make the frame.
    const COLORREF open = RGB(1, 2, 3);
    const auto icon = MakeIconPicture(
        16, 16, [=](int x, int y) { return x >= 4 && x < 12 && y >= 4 && y < 12 ? kRed : open; }, open);
    const Surface target(24, 24, kGreen);
    pvDrawTransparentPicture(icon.get(), target.hdc(), 4, 4, 16, 16, kMagenta, 0, 0, 0, 0);
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(5, 5))) << "an open area of the icon was not transparent";
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(18, 18)));
    EXPECT_EQ(Hex(kRed), Hex(target.Pixel(8, 8)));
    EXPECT_EQ(Hex(kRed), Hex(target.Pixel(15, 15)));
}

TEST(DrawTransparentPictureTest, AnExplicitSourceSizeIsStretchedToTheDestination) {
    const Surface target(20, 20, kGreen);
    pvDrawTransparentPicture(MakeBitmapPicture(8, 8, RedSquare).get(), target.hdc(), 0, 0, 16, 16, kMagenta, 0, 0, 8,
                             8);
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(3, 3)));
    EXPECT_EQ(Hex(kRed), Hex(target.Pixel(4, 4)));
    EXPECT_EQ(Hex(kRed), Hex(target.Pixel(11, 11)));
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(12, 12)));
}

TEST(DrawTransparentPictureTest, PicturesItCannotLayDownDrawNothing) {
    ErrorRecorder errors;
    struct Row {
        const char* name;
        ComPtr<IPicture> picture;
        std::vector<std::string> reported;
    };
    const Row rows[] = {
        {"a metafile", MakeMetafilePicture(), {}},
        {"an empty picture (handle 0)", MakeEmptyPicture(), {}},
        {"no picture", nullptr, {}},
        {"a picture whose handle cannot be read", MakeFailingPicture(), {"pvDrawTransparentPicture"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        errors.Clear();
        const Surface target(20, 20, kGreen);
        pvDrawTransparentPicture(row.picture.get(), target.hdc(), 0, 0, 16, 16, kMagenta, 0, 0, 0, 0);
        EXPECT_EQ(-1, [&] {
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x)
                    if (target.Pixel(x, y) != kGreen) return y * 20 + x;
            return -1;
        }()) << "the target changed";
        EXPECT_EQ(row.reported, errors.Names());
    }
}

TEST(DrawDisabledPictureTest, ThePictureIsEmbossedAndItsMaskColourLeftOpen) {
    const Surface target(20, 20, kGreen);
    const auto picture =
        MakeBitmapPicture(8, 8, [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6 ? kBlack : kMagenta; });
    pvDrawDisabledPicture(picture.get(), target.hdc(), 5, 5, 8, 8, kMagenta);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_3DHILIGHT);
    EXPECT_EQ(Hex(shadow), Hex(target.Pixel(7, 7))) << "the dark square is not in the shadow colour";
    EXPECT_EQ(Hex(shadow), Hex(target.Pixel(10, 10)));
    EXPECT_EQ(Hex(highlight), Hex(target.Pixel(11, 11))) << "no highlight below and right of it";
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(5, 5))) << "the mask colour was drawn";
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(12, 6)));
}

TEST(DrawDisabledPictureTest, NoPictureDrawsNothingAndAnUnreadableOneIsReported) {
    ErrorRecorder errors;
    const Surface target(10, 10, kGreen);
    pvDrawDisabledPicture(MakeEmptyPicture().get(), target.hdc(), 0, 0, 8, 8, kMagenta);
    pvDrawDisabledPicture(nullptr, target.hdc(), 0, 0, 8, 8, kMagenta);
    EXPECT_TRUE(errors.Names().empty());
    pvDrawDisabledPicture(MakeFailingPicture().get(), target.hdc(), 0, 0, 8, 8, kMagenta);
    EXPECT_EQ(std::vector<std::string>{"pvDrawDisabledPicture"}, errors.Names());
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(1, 1)));
}

TEST(DrawRectTest, FillsTheRectangleAndReportsAnOverflow) {
    ErrorRecorder errors;
    const Surface target(10, 10, kGreen);
    pvDrawRect(target.hdc(), 2, 3, 4, 5, kRed);
    EXPECT_EQ(Hex(kRed), Hex(target.Pixel(2, 3)));
    EXPECT_EQ(Hex(kRed), Hex(target.Pixel(5, 7)));
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(6, 7)));
    EXPECT_EQ(Hex(kGreen), Hex(target.Pixel(5, 8)));
    EXPECT_TRUE(errors.Names().empty());

    pvDrawRect(target.hdc(), INT_MAX, 0, 1, 10, kBlack);
    pvDrawRect(target.hdc(), 0, INT_MIN, 10, -1, kBlack);
    EXPECT_EQ((std::vector<std::string>{"pvDrawRect", "pvDrawRect"}), errors.Names());
    EXPECT_EQ(L"Overflow", errors.Descriptions().front());
}

TEST(HimetricToPixelsTest, ConvertsAtTheScreensResolutionRoundingHalvesToEven) {
    {
        const HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        if (dpi != 96) GTEST_SKIP() << "the expected values are for 96 dots per inch, the screen has " << dpi;
    }
    struct Row {
        double himetric;
        std::int32_t pixels;
    };
    const Row rows[] = {
        {0, 0},         {2540, 96},      {423, 16},    {846, 32}, {26.4, 1}, {13.2, 0}, {39.6875, 2},  // 1.5 goes to 2
        {119.0625, 4},                                                                                 // 4.5 goes to 4
        {-39.6875, -2}, {-119.0625, -4}, {-2540, -96},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.himetric) + " HIMETRIC");
        EXPECT_EQ(row.pixels, pvHimetricToPixels(row.himetric));
    }
    EXPECT_THROW(pvHimetricToPixels(1e12), Error);
    EXPECT_THROW(pvHimetricToPixels(-1e12), Error);
}

TEST(PickPictureTest, TakesTheFirstOnlyWhenItHoldsAPicture) {
    const auto first = MakeBitmapPicture(2, 2, [](int, int) { return kRed; });
    const auto second = MakeBitmapPicture(2, 2, [](int, int) { return kGreen; });
    const auto empty = MakeEmptyPicture();
    EXPECT_TRUE(pvPickPicture(first, second) == first);
    EXPECT_TRUE(pvPickPicture(empty, second) == second);
    EXPECT_TRUE(pvPickPicture(nullptr, second) == second);
    EXPECT_TRUE(pvPickPicture(first, nullptr) == first);
    EXPECT_TRUE(pvPickPicture(empty, empty) == empty) << "the second is answered even when empty";
    EXPECT_FALSE(pvPickPicture(nullptr, nullptr));
    EXPECT_THROW(pvPickPicture(MakeFailingPicture(), second), Error);
}

}  // namespace
