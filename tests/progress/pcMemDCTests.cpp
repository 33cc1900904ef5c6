#include "pcMemDC.h"

#include <gtest/gtest.h>

#include "GdiSurface.h"
#include "TestPictures.h"

namespace {

// The size of the bitmap the DC really holds.
SIZE SelectedBitmapSize(HDC dc) {
    BITMAP bitmap{};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

}  // namespace

TEST(pcMemDC, SurfaceGrowsOnlyWhenARequestExceedsIt) {
    pcMemDC surface;
    EXPECT_EQ(nullptr, surface.hDC(0, 20)) << "no width: nothing is created";
    EXPECT_EQ(0, surface.Width());

    const HDC first = surface.hDC(200, 20);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, surface.hDC(150, 20)) << "a smaller request keeps the surface";
    EXPECT_EQ(200, surface.Width());
    EXPECT_EQ(first, surface.hDC(0, 0));

    // Taller: a new surface of exactly the request, narrower than before.
    const HDC second = surface.hDC(150, 30);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(150, surface.Width());
    EXPECT_EQ(30, surface.Height());
    const SIZE held = SelectedBitmapSize(second);
    EXPECT_EQ(150, held.cx);
    EXPECT_EQ(30, held.cy);
}

TEST(pcMemDC, SizeSettersKeepTheSizesTrueToTheBitmap) {
    pcMemDC surface;
    surface.SetWidth(40);
    EXPECT_EQ(nullptr, surface.hDC(0, 0)) << "one size alone makes no surface";
    surface.SetHeight(10);
    ASSERT_NE(nullptr, surface.hDC(0, 0));

    // On an object that holds a surface the setters re-create it.
    surface.SetWidth(300);
    const SIZE wider = SelectedBitmapSize(surface.hDC(0, 0));
    EXPECT_EQ(300, wider.cx);
    EXPECT_EQ(10, wider.cy);
    surface.SetHeight(5);
    const SIZE lower = SelectedBitmapSize(surface.hDC(0, 0));
    EXPECT_EQ(300, lower.cx);
    EXPECT_EQ(5, lower.cy);
}

TEST(pcMemDC, DrawOfNoSizeCopiesTheWholeSurface) {
    pcMemDC surface;
    const HDC dc = surface.hDC(200, 20);
    ASSERT_NE(nullptr, dc);
    const RECT all{0, 0, 200, 20};
    const UniqueBrush red(CreateSolidBrush(kRed));
    FillRect(dc, &all, red.get());

    GdiSurface target(300, 40, kWhite);
    surface.Draw(target.hDC(), 0, 0, 0, 0, 10, 5);
    EXPECT_EQ(200 * 20, target.Count({10, 5, 210, 25}, kRed));
    EXPECT_EQ(200 * 20, target.Count({0, 0, 300, 40}, kRed)) << "nothing beyond the surface's size";

    target.Fill(kWhite);
    surface.Draw(target.hDC(), 190, 0, 5, 3, 0, 0);
    EXPECT_EQ(15, target.Count({0, 0, 300, 40}, kRed)) << "a given size copies just that block";
}

TEST(pcMemDC, CreateFromPictureCopiesTheBitmap) {
    auto pattern = [](int x, int y) { return RGB(x * 16, y * 16, 0x80); };
    const ComPtr<IPicture> picture = MakePicture(16, 16, pattern);
    ASSERT_TRUE(picture);
    pcMemDC copy;
    copy.CreateFromPicture(picture.get());
    EXPECT_EQ(16, copy.Width());
    EXPECT_EQ(16, copy.Height());

    GdiSurface expected(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) expected.SetPixel(x, y, pattern(x, y));
    GdiSurface actual(16, 16);
    copy.Draw(actual.hDC(), 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(SameImage(expected, actual));
}

TEST(pcMemDC, PictureThatIsNoBitmapGivesNoSurface) {
    const ComPtr<IPicture> icon = MakeIconPicture();
    ASSERT_TRUE(icon);
    pcMemDC copy;
    copy.CreateFromPicture(icon.get());
    EXPECT_EQ(0, copy.Width());
    EXPECT_EQ(0, copy.Height());
    EXPECT_EQ(nullptr, copy.hDC(0, 0));
}
