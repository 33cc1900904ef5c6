// pvDrawButton into real surfaces: the face of the state, the corners, the
// focus rectangle and the picture.
#include <windows.h>

#include <gtest/gtest.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <cmath>

#include "FakeControl.h"
#include "Pictures.h"
#include "ScopedThemePlatform.h"
#include "Surface.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"

using namespace mdXpThemeSupport;
using Names = std::vector<std::string>;

namespace {

constexpr int kWidth = 96, kHeight = 56;

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

auto Is(COLORREF colour) {
    return [colour](COLORREF c) { return c == colour; };
}

// A graphical command button and its control object, painted into a surface.
class ButtonPaint : public testing::Test {
protected:
    void SetUp() override {
        button.window = window.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, kWidth, kHeight);
        theme.reset(OpenThemeData(button.window, L"BUTTON"));
        if (!theme) GTEST_SKIP() << "no visual style draws buttons on this system";
        button.parent = &form;
        button.font = MakeFont(L"Tahoma", 8);
        SetFocus(window.hWnd());
        GetThemeBackgroundContentRect(theme.get(), nullptr, BP_PUSHBUTTON, PBS_NORMAL, &client, &content);
    }

    Surface Paint() const {
        Surface surface(kWidth, kHeight, kWhite);
        pvDrawButton(button.window, surface.hDC(), button);
        return surface;
    }

    // The bare face of a state over a background, drawn by the theme itself.
    Surface Face(int state, COLORREF background = kWhite) const {
        Surface surface(kWidth, kHeight, background);
        DrawThemeBackground(theme.get(), surface.hDC(), BP_PUSHBUTTON, state, &client, &client);
        return surface;
    }

    // A picture of the size centred in the content rectangle down to `bottom`.
    RECT Centred(int width, int height, int bottom) const {
        const int x = Round((content.right - content.left - width) / 2.0 + content.left);
        const int y = Round((bottom - content.top - height) / 2.0 + content.top);
        return {x, y, x + width, y + height};
    }

    ScopedThemePlatform platform;
    FakeContainer form;
    FakeControl button;
    TestWindow window;
    UniqueTheme theme;
    const RECT client{0, 0, kWidth, kHeight};
    RECT content{};
};

}  // namespace

TEST_F(ButtonPaint, EachStatePaintsItsThemedFaceAndTheFocusItsRectangle) {
    const struct {
        bool enabled, hot;
        std::int32_t value;
        bool isDefault;
        int state;
    } rows[] = {{true, false, 0, false, PBS_NORMAL},
                {true, true, 0, false, PBS_HOT},
                {true, false, 1, false, PBS_PRESSED},
                {false, false, 0, false, PBS_DISABLED},
                {true, false, 0, true, PBS_DEFAULTED}};
    for (const auto& row : rows) {
        button.enabled = row.enabled;
        button.value = row.value;
        button.isDefault = row.isDefault;
        pvSetHot(button.window, row.hot);
        EXPECT_TRUE(SameImage(Face(row.state), Paint())) << "state " << row.state;
    }
    EXPECT_FALSE(SameImage(Face(PBS_NORMAL), Face(PBS_PRESSED))) << "a wrong state would not show";
    button.isDefault = false;
    SetFocus(button.window);
    Surface expected = Face(PBS_DEFAULTED);
    DrawFocusRect(expected.hDC(), &content);
    EXPECT_TRUE(SameImage(expected, Paint()));
    EXPECT_TRUE(ScopedThemePlatform::errors.empty());
}

TEST_F(ButtonPaint, CornersShowTheParentsBackground) {
    platform.UseRoundedButtonShape();
    EXPECT_EQ(Face(PBS_NORMAL, TestWindow::kBackground).Pixel(kWidth - 1, 0), Paint().Pixel(kWidth - 1, 0));
    EXPECT_EQ(Face(PBS_NORMAL).Pixel(kWidth / 2, 2), Paint().Pixel(kWidth / 2, 2)) << "inside, the face alone";
}

TEST_F(ButtonPaint, APictureIsRenderedUprightOrThroughItsMaskColourOrEmbossedWhenDisabled) {
    const RECT place = Centred(12, 12, content.bottom);
    // Without the mask colour, rendered upright (Wine's mirrored stretch drops the first row).
    button.picture = MakePicture(12, 12, [](int, int y) { return y < 6 ? kRed : kBlue; });
    EXPECT_EQ((RECT{place.left, place.top + 6, place.right, place.bottom}), Paint().Bounds(Is(kBlue)));
    button.maskColor = kMagenta;
    for (const bool enabled : {true, false}) {
        // A square in a magenta frame: red when enabled, black to be embossed.
        const COLORREF ink = enabled ? kRed : kBlack;
        button.picture = MakePicture(12, 12, [=](int x, int y) { return x % 9 > 2 && y % 9 > 2 ? ink : kMagenta; });
        button.enabled = enabled;
        button.useMaskColor = enabled;  // plays no part when disabled
        const Surface painted = Paint();
        const RECT square{place.left + 3, place.top + 3, place.left + 9, place.top + 9};
        EXPECT_EQ(square, painted.Bounds(Is(enabled ? kRed : GetSysColor(COLOR_3DSHADOW)))) << enabled;
        const Surface face = Face(enabled ? PBS_NORMAL : PBS_DISABLED);
        EXPECT_EQ(face.Pixel(place.left, place.top), painted.Pixel(place.left, place.top)) << "the mask colour is open";
    }
}
