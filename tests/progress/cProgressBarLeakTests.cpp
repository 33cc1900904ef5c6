#include <gtest/gtest.h>

#include <functional>

#include "ClassicPaintFixture.h"
#include "TestHost.h"
#include "TestPictures.h"

// Wine runs out of GDI handles after about 65,000: any object a pass of one
// kind fails to release ends its painting long before the last pass.
TEST_F(ClassicPaint, SeventyThousandPassesOfEachKindKeepPainting) {
    constexpr int kPasses = 72'000;
    const ComPtr<IPicture> noBitmap = MakeIconPicture();
    const ComPtr<IFont> font = MakeFont(L"Tahoma", 8, true);
    TestHost host(339, 12);
    bar.SetFont(font.get());
    bar.SetText(L"Scanning");
    bar.SetShowText(true);
    bar.SetSegments(true);
    bar.SetDrawObject(&host);

    struct Kind {
        const char* name;
        std::function<void()> enter, leave;
    };
    const Kind kinds[] = {
        {"thin frame: brushes, region, pens, font", [] {}, [] {}},
        {"flat frame", [&] { bar.SetAppearance(0); }, [&] { bar.SetAppearance(1); }},
        {"failing after the clip", [&] { bar.SetBarPicture(noBitmap.get()); }, [&] { bar.SetBarPicture(nullptr); }},
    };
    // Made before the passes: a leak would leave no handle for it afterwards.
    GdiSurface expected(339, 12);
    DrawExpectedBar(expected, {1, 1, 102, 11}, Frame::kThinSunken, kGreen, kRed);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        kind.enter();
        for (int i = 0; i < kPasses; ++i) bar.SetValue(i % 101);
        kind.leave();

        // New colours and a new position (30% of 337 ends at 102): only a
        // pass that can still make its brushes, region and pens paints this.
        bar.SetShowText(false);
        bar.SetSegments(false);
        bar.SetBarColor(kRed);
        bar.SetBackColor(kGreen);
        bar.SetValue(30);
        EXPECT_TRUE(SameImage(expected, host.surface));

        bar.SetShowText(true);
        bar.SetSegments(true);
        bar.SetBarColor(kBlue);
        bar.SetBackColor(kYellow);
    }
}
