// pvDrawButton into real surfaces: the face of the state, the corners, the
// focus rectangle, the caption's place and the picture's.
#include <windows.h>

#include <gtest/gtest.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <algorithm>
#include <cmath>
#include <string>

#include "DCGuards.h"
#include "ErrorRecorder.h"
#include "FakeControl.h"
#include "OleObjects.h"
#include "ScopedThemePlatform.h"
#include "TestPictures.h"
#include "TestWindow.h"
#include "Text.h"
#include "UniqueHandle.h"
#include "XpThemeInternals.h"

using namespace mdXpThemeSupport;

namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 56;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom << ")";
}

template <typename Test>
Box BoundingBox(const Surface& surface, Test test) {
    Box box{surface.Width(), surface.Height(), -1, -1};
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (test(surface.Pixel(x, y))) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

bool IsInk(COLORREF color) {
    return GetRValue(color) < 0x60 && GetGValue(color) < 0x60 && GetBValue(color) < 0x60;
}

// A graphical command button on a test window and its control object; the
// painting goes into a surface of the button's size.
class ButtonPaintTest : public testing::Test {
protected:
    void SetUp() override {
        button_.window = window_.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, kWidth, kHeight);
        theme_.reset(OpenThemeData(button_.window, L"BUTTON"));
        if (!theme_) GTEST_SKIP() << "no visual style draws buttons on this system";
        button_.parent = &form_;
        button_.font = MakeFont(L"Tahoma", 80000, FW_NORMAL);
        SetFocus(window_.hWnd());
    }

    Surface Paint(COLORREF before = kWhite) {
        Surface surface(kWidth, kHeight, before);
        pvDrawButton(button_.window, surface.hdc(), button_);
        return surface;
    }

    // The bare face of a state over a background, drawn by the theme itself.
    Surface Face(int state, COLORREF background = kWhite) const {
        Surface surface(kWidth, kHeight, background);
        const RECT client{0, 0, kWidth, kHeight};
        DrawThemeBackground(theme_.get(), surface.hdc(), BP_PUSHBUTTON, state, &client, &client);
        return surface;
    }

    RECT Content(int state) const {
        const RECT client{0, 0, kWidth, kHeight};
        RECT content{};
        GetThemeBackgroundContentRect(theme_.get(), nullptr, BP_PUSHBUTTON, state, &client, &content);
        return content;
    }

    // The caption measured as pvDrawButton measures it: word-wrapped in the
    // content rectangle, in the button's font.
    RECT Measured(const std::wstring& caption, const RECT& content) const {
        const Surface scratch(kWidth, kHeight, kWhite);
        const SelectionGuard selection(scratch.hdc(), FontHandle(button_.font->get(), kErrorSource));
        RECT measured = content;
        DrawTextA(scratch.hdc(), ToAnsi(caption).c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK);
        return measured;
    }

    // Where the theme puts the ink of a caption drawn in the given rectangle.
    Box CaptionInk(const std::wstring& caption, const RECT& where) const {
        const Surface alone(kWidth, kHeight, kWhite);
        const SelectionGuard selection(alone.hdc(), FontHandle(button_.font->get(), kErrorSource));
        RECT rect = where;
        DrawThemeText(theme_.get(), alone.hdc(), BP_PUSHBUTTON, PBS_NORMAL, caption.c_str(), -1,
                      DT_CENTER | DT_WORDBREAK, 0, &rect);
        return BoundingBox(alone, IsInk);
    }

    ScopedThemePlatform platform_;
    ErrorRecorder errors_;
    FakeContainer form_;
    FakeControl button_;
    TestWindow window_;
    UniqueTheme theme_;
};

TEST_F(ButtonPaintTest, EachStatePaintsItsThemedFace) {
    struct Row {
        const char* name;
        bool enabled;
        bool hot;
        std::int32_t value;
        bool isDefault;
        int state;
    };
    const Row rows[] = {
        {"normal", true, false, 0, false, PBS_NORMAL},      {"hot", true, true, 0, false, PBS_HOT},
        {"pressed", true, false, 1, false, PBS_PRESSED},    {"disabled", false, false, 0, false, PBS_DISABLED},
        {"defaulted", true, false, 0, true, PBS_DEFAULTED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        button_.enabled = row.enabled;
        button_.value = row.value;
        button_.isDefault = row.isDefault;
        pvSetHot(button_.window, row.hot);
        EXPECT_EQ(0, Paint().CountDifferences(Face(row.state))) << "pixels differ from the face of state " << row.state;
    }
    // The pressed face is not the normal one, so a wrong state would show.
    EXPECT_LT(100, Face(PBS_NORMAL).CountDifferences(Face(PBS_PRESSED)));
    EXPECT_TRUE(errors_.Names().empty()) << "reported " << errors_.Names().front();
}

TEST_F(ButtonPaintTest, AFocusedButtonGetsTheFocusRectangleOnItsContentRectangle) {
    SetFocus(button_.window);
    const Surface painted = Paint();
    Surface expected = Face(PBS_DEFAULTED);
    const RECT content = Content(PBS_DEFAULTED);
    DrawFocusRect(expected.hdc(), &content);
    EXPECT_EQ(0, painted.CountDifferences(expected));
    EXPECT_LT(0, painted.CountDifferences(Face(PBS_DEFAULTED))) << "no focus rectangle";
}

TEST_F(ButtonPaintTest, CornersShowTheParentBackground) {
    // Wine's light theme shapes the button as its whole rectangle: no corners.
    platform_.UseRoundedButtonShape();
    const Surface painted = Paint();
    const Surface overParent = Face(PBS_NORMAL, TestWindow::kBackground);
    const Surface overWhite = Face(PBS_NORMAL);
    for (const POINT corner :
         {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, kHeight - 1}, POINT{kWidth - 1, kHeight - 1}}) {
        SCOPED_TRACE("corner " + std::to_string(corner.x) + ", " + std::to_string(corner.y));
        ASSERT_NE(overParent.Pixel(corner.x, corner.y), overWhite.Pixel(corner.x, corner.y));
        EXPECT_EQ(Hex(overParent.Pixel(corner.x, corner.y)), Hex(painted.Pixel(corner.x, corner.y)));
    }
    EXPECT_EQ(Hex(overWhite.Pixel(kWidth / 2, kHeight / 2)), Hex(painted.Pixel(kWidth / 2, kHeight / 2)));
}

TEST_F(ButtonPaintTest, CornersShowBackColorWhenTheParentBackgroundFails) {
    platform_.UseRoundedButtonShape();
    platform_.FailParentBackground();
    struct Row {
        const char* name;
        OLE_COLOR backColor;
        COLORREF expected;
    };
    const Row rows[] = {
        {"plain colour", RGB(200, 30, 0), RGB(200, 30, 0)},
        {"system colour: highlight", 0x80000000u | COLOR_HIGHLIGHT, GetSysColor(COLOR_HIGHLIGHT)},
        {"system colour: only the low byte counts", 0x80000100u | COLOR_INFOBK, GetSysColor(COLOR_INFOBK)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        button_.backColor = row.backColor;
        const Surface painted = Paint();
        const Surface overBackColor = Face(PBS_NORMAL, row.expected);
        EXPECT_EQ(Hex(overBackColor.Pixel(0, 0)), Hex(painted.Pixel(0, 0)));
        EXPECT_EQ(Hex(overBackColor.Pixel(kWidth - 1, kHeight - 1)), Hex(painted.Pixel(kWidth - 1, kHeight - 1)));
        // Inside the shape the face alone shows.
        EXPECT_EQ(Hex(Face(PBS_NORMAL).Pixel(kWidth / 2, 2)), Hex(painted.Pixel(kWidth / 2, 2)));
    }
}

TEST_F(ButtonPaintTest, CaptionWithoutAPictureIsCentred) {
    const std::wstring caption = L"Scan now";
    button_.caption = caption;
    for (const bool emptyPicture : {false, true}) {
        SCOPED_TRACE(emptyPicture ? "a picture whose handle is 0" : "no picture");
        button_.picture = emptyPicture ? MakeEmptyPicture() : nullptr;
        const RECT content = Content(PBS_NORMAL);
        const RECT measured = Measured(caption, content);
        const int top = static_cast<int>(std::nearbyint((content.bottom - measured.bottom) / 2.0 + 2));
        const RECT expected{content.left, top, content.right, top + measured.bottom};
        const Box ink = BoundingBox(Paint(), IsInk);
        EXPECT_EQ(CaptionInk(caption, expected), ink);
        EXPECT_LT(ink.left, ink.right) << "no caption drawn";
    }
}

TEST_F(ButtonPaintTest, WithAPictureTheCaptionSitsAtTheFootAndThePictureAboveIt) {
    const std::wstring caption = L"Scan";
    button_.caption = caption;
    button_.picture = MakeBitmapPicture(8, 8, [](int, int) { return kRed; });
    button_.useMaskColor = true;
    button_.maskColor = kMagenta;
    const Surface painted = Paint();

    const RECT content = Content(PBS_NORMAL);
    const RECT measured = Measured(caption, content);
    const RECT captionRect{content.left, content.bottom - measured.bottom + 1, content.right, content.bottom};
    EXPECT_EQ(CaptionInk(caption, captionRect), BoundingBox(painted, IsInk));

    const int x = static_cast<int>(std::nearbyint((content.right - content.left - 8) / 2.0 + content.left));
    const int y = static_cast<int>(std::nearbyint((captionRect.top - content.top - 8) / 2.0 + content.top));
    EXPECT_EQ((Box{x, y, x + 7, y + 7}), BoundingBox(painted, [](COLORREF c) { return c == kRed; }));
}

TEST_F(ButtonPaintTest, WithoutACaptionThePictureIsCentredInTheContentRectangle) {
    button_.picture = MakeBitmapPicture(10, 6, [](int, int) { return kRed; });
    button_.useMaskColor = true;
    const RECT content = Content(PBS_NORMAL);
    const int x = static_cast<int>(std::nearbyint((content.right - content.left - 10) / 2.0 + content.left));
    const int y = static_cast<int>(std::nearbyint((content.bottom - content.top - 6) / 2.0 + content.top));
    EXPECT_EQ((Box{x, y, x + 9, y + 5}), BoundingBox(Paint(), [](COLORREF c) { return c == kRed; }));
}

TEST_F(ButtonPaintTest, WithoutTheMaskColourThePictureIsRenderedUpright) {
    // Top half red, bottom half blue.
    button_.picture = MakeBitmapPicture(8, 8, [](int, int y) { return y < 4 ? kRed : kBlue; });
    button_.useMaskColor = false;
    const Surface painted = Paint();
    const Box red = BoundingBox(painted, [](COLORREF c) { return c == kRed; });
    const Box blue = BoundingBox(painted, [](COLORREF c) { return c == kBlue; });
    ASSERT_LE(red.left, red.right) << "no red drawn";
    ASSERT_LE(blue.left, blue.right) << "no blue drawn";
    EXPECT_LT(red.bottom, blue.top) << "the picture came out upside down";
    // Wine's mirrored stretch drops the first row; the rest sits in place.
    const RECT content = Content(PBS_NORMAL);
    const int y = static_cast<int>(std::nearbyint((content.bottom - content.top - 8) / 2.0 + content.top));
    EXPECT_EQ(y + 7, blue.bottom);
    EXPECT_EQ(y + 4, blue.top);
}

TEST_F(ButtonPaintTest, TheMaskColourComesOutTransparent) {
    // A red square in a magenta frame.
    button_.picture =
        MakeBitmapPicture(12, 12, [](int x, int y) { return x >= 3 && x < 9 && y >= 3 && y < 9 ? kRed : kMagenta; });
    button_.useMaskColor = true;
    button_.maskColor = kMagenta;
    const Surface painted = Paint();
    EXPECT_EQ(-1, BoundingBox(painted, [](COLORREF c) { return c == kMagenta; }).right) << "magenta was drawn";
    const Box red = BoundingBox(painted, [](COLORREF c) { return c == kRed; });
    EXPECT_EQ(5, red.right - red.left) << red;
    const Surface face = Face(PBS_NORMAL);
    EXPECT_EQ(Hex(face.Pixel(red.left - 2, red.top - 2)), Hex(painted.Pixel(red.left - 2, red.top - 2)));
}

TEST_F(ButtonPaintTest, ADisabledButtonEmbossesItsPicture) {
    // A black square in a magenta frame; no DisabledPicture, so Picture.
    button_.picture = MakeBitmapPicture(
        12, 12, [](int x, int y) { return x >= 3 && x < 9 && y >= 3 && y < 9 ? RGB(0, 0, 0) : kMagenta; });
    button_.maskColor = kMagenta;
    button_.useMaskColor = false;  // plays no part when disabled
    button_.enabled = false;
    const Surface painted = Paint();
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const Box shaded = BoundingBox(painted, [=](COLORREF c) { return c == shadow; });
    EXPECT_EQ(5, shaded.right - shaded.left) << shaded;
    EXPECT_EQ(5, shaded.bottom - shaded.top) << shaded;
    EXPECT_EQ(-1, BoundingBox(painted, [](COLORREF c) { return c == kMagenta || c == 0; }).right)
        << "the picture was drawn as it is";
    const Surface face = Face(PBS_DISABLED);
    EXPECT_EQ(Hex(face.Pixel(shaded.left - 2, shaded.top - 2)), Hex(painted.Pixel(shaded.left - 2, shaded.top - 2)))
        << "the mask colour was not left open";
}

TEST_F(ButtonPaintTest, MissingPropertiesGoToTheHookAndThePaintGoesOn) {
    FakeControl bare;  // a control that has only a window and Enabled
    bare.window = button_.window;
    bare.style.reset();
    bare.value.reset();
    bare.isDefault.reset();
    bare.picture.reset();
    bare.downPicture.reset();
    bare.disabledPicture.reset();
    bare.useMaskColor.reset();
    bare.maskColor.reset();
    bare.backColor.reset();
    bare.caption.reset();
    bare.font.reset();
    Surface painted(kWidth, kHeight, kWhite);
    pvDrawButton(bare.window, painted.hdc(), bare);
    EXPECT_EQ(0, painted.CountDifferences(Face(PBS_NORMAL))) << "the face was not painted";
    for (const std::string& name : errors_.Names()) EXPECT_EQ("pvDrawButton", name);
    EXPECT_LE(3u, errors_.Names().size()) << "Value, Picture and Caption were not reported";
}

}  // namespace
