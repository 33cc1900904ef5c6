// The graphical command button under a visual style: the state and picture
// chosen from the button window and the control object, the painting into
// real surfaces, and the redirection of its messages.
#include <windows.h>

#include <gtest/gtest.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <cmath>

#include "FakeControl.h"
#include "OleObjects.h"
#include "Pictures.h"
#include "ScopedThemePlatform.h"
#include "Surface.h"
#include "TestWindow.h"
#include "UniqueHandle.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;

// Each row's words set up one situation: the button "disabled", "hot",
// "pushed", "checked" or "grayed" (Value 1 or 2), "focused" (else the focus
// is on a text box), "default" (or "no-default": a kind without Default);
// the window's active control "active:text", "active:other" (another command
// button) or "active:this"; a picture property "no-..." (not set) or
// "empty-..." (handle 0); or a property that cannot be read: "unreadable-..."
// or "no-parent".
TEST(ButtonLook, StateAndPictureFollowTheButtonAndTheControl) {
    enum Drawn { kNone, kPicture, kDown, kDisabled };
    struct Row {
        const char* words;
        int state;
        Drawn drawn;
        std::size_t errors = 0;
    };
    const Row rows[] = {
        {"disabled", PBS_DISABLED, kDisabled},
        {"disabled empty-disabled", PBS_DISABLED, kPicture},
        {"disabled hot pushed checked", PBS_DISABLED, kDisabled},
        {"hot checked", PBS_HOT, kDown},
        {"hot grayed", PBS_HOT, kDown},
        {"hot checked empty-down", PBS_HOT, kPicture},
        {"hot", PBS_HOT, kPicture},
        {"hot pushed", PBS_PRESSED, kDown},
        {"checked", PBS_PRESSED, kDown},
        {"pushed no-down", PBS_PRESSED, kPicture},
        {"checked empty-picture empty-down", PBS_PRESSED, kNone},
        {"focused", PBS_DEFAULTED, kPicture},
        {"default active:text", PBS_DEFAULTED, kPicture},
        {"default", PBS_DEFAULTED, kPicture},
        {"default active:other", PBS_NORMAL, kPicture},
        {"default active:this", PBS_NORMAL, kPicture},  // the window is in the background
        {"", PBS_NORMAL, kPicture},
        {"empty-picture", PBS_NORMAL, kNone},
        // A step that fails goes to the hook; a failing test runs the step it guards.
        {"unreadable-enabled checked", PBS_DISABLED, kDisabled, 1},
        {"unreadable-value", PBS_NORMAL, kPicture, 1},
        {"unreadable-picture", PBS_NORMAL, kNone, 1},
        {"no-default no-parent", PBS_NORMAL, kPicture},  // ignored without the hook
    };
    TestWindow window;
    const HWND hwnd = window.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, 90, 40);
    const HWND textBox = window.AddChild(L"EDIT", L"", WS_BORDER, 10, 60, 90, 20);
    auto solid = [](COLORREF colour) { return MakePicture(4, 4, [=](int, int) { return colour; }); };
    const ComPtr<IPicture> pictures[] = {nullptr, solid(kRed), solid(kGreen), solid(kBlue)};
    FakeContainer form;
    FakeControl textBoxControl, otherCommand;
    textBoxControl.kind = ThemeControlKind::Other;
    textBoxControl.isDefault.reset();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.words);
        const std::string words = " " + std::string(row.words) + " ";
        auto has = [&](const char* word) { return words.find(" " + std::string(word) + " ") != std::string::npos; };
        auto holding = [&](const char* name, Drawn drawn) -> std::optional<ComPtr<IPicture>> {
            if (has(("unreadable-" + std::string(name)).c_str())) return std::nullopt;
            if (has(("no-" + std::string(name)).c_str())) return ComPtr<IPicture>();
            if (has(("empty-" + std::string(name)).c_str())) return MakeEmptyPicture();
            return pictures[drawn];
        };
        FakeControl control;
        control.window = hwnd;
        control.parent = has("no-parent") ? nullptr : &form;
        control.enabled = !has("disabled");
        if (has("unreadable-enabled")) control.enabled.reset();
        control.value = has("checked") ? 1 : has("grayed") ? 2 : 0;
        if (has("unreadable-value")) control.value.reset();
        control.isDefault = has("default");
        if (has("no-default")) control.isDefault.reset();
        control.picture = holding("picture", kPicture);
        control.downPicture = holding("down", kDown);
        control.disabledPicture = holding("disabled", kDisabled);
        form.active = has("active:text")    ? &textBoxControl
                      : has("active:other") ? &otherCommand
                      : has("active:this")  ? &control
                                            : nullptr;
        SetFocus(has("focused") ? hwnd : textBox);
        SendMessageW(hwnd, BM_SETSTATE, has("pushed"), 0);
        pvSetHot(hwnd, has("hot"));

        const ScopedThemePlatform hook;
        const ButtonLook look = pvChooseButtonLook(hwnd, control);
        EXPECT_EQ(row.state, look.state);
        EXPECT_TRUE(look.picture == pictures[row.drawn]) << "expected picture " << row.drawn;
        EXPECT_EQ(has("focused"), look.focused);
        EXPECT_EQ(row.errors, ScopedThemePlatform::errors.size());
    }
}

namespace {

constexpr int kWidth = 96, kHeight = 56;

// A graphical command button and its control object, painted into a surface.
class ButtonPaint : public testing::Test {
protected:
    void SetUp() override {
        button.window = window.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, kWidth, kHeight);
        theme.reset(OpenThemeData(button.window, L"BUTTON"));
        if (!theme) GTEST_SKIP() << "no visual style draws buttons on this system";
        button.parent = &form;
        button.font = CreateOleFont(L"Tahoma", 8, FW_NORMAL);
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

    ScopedThemePlatform platform;
    FakeContainer form;
    FakeControl button;
    TestWindow window;
    UniqueTheme theme;
    const RECT client{0, 0, kWidth, kHeight};
    RECT content{};
};

// A graphical button of 90 x 30 subclassed by FixThemeSupport, rounded so that corners exist.
class ButtonRedirect : public testing::Test {
protected:
    void SetUp() override {
        platform.SetComCtlVersion(6);
        if (!pvIsThemed()) GTEST_SKIP() << "visual styles are off on this system";
        platform.UseRoundedButtonShape();
        button.window = window.AddChild(L"BUTTON", L"Go", BS_PUSHBUTTON, 20, 20, 90, 30);
        ASSERT_TRUE(FixThemeSupport({&button}));
    }

    // Whether a point of the client area waits to be repainted.
    bool PendingAt(int x, int y) const {
        const UniqueRegion pending(CreateRectRgn(0, 0, 0, 0));
        return GetUpdateRgn(button.window, pending.get(), FALSE) > NULLREGION && PtInRegion(pending.get(), x, y);
    }
    // Whether the button's own processing holds the focus state.
    bool FocusState() const { return SendMessageA(button.window, BM_GETSTATE, 0, 0) & BST_FOCUS; }

    ScopedThemePlatform platform;
    FakeControl button;
    TestWindow window;
};

}  // namespace

// The look's state (chosen as the table above shows) paints its face.
TEST_F(ButtonPaint, TheStatePaintsItsThemedFaceAndTheFocusItsRectangle) {
    button.value = 1;
    EXPECT_TRUE(SameImage(Face(PBS_PRESSED), Paint()));
    EXPECT_FALSE(SameImage(Face(PBS_NORMAL), Face(PBS_PRESSED))) << "a wrong state would not show";
    button.value = 0;
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
    // Centred in the content rectangle, halves rounded to even.
    const auto centred = [](LONG low, LONG high) { return std::lrint((high - low - 12) / 2.0 + low); };
    const LONG left = centred(content.left, content.right), top = centred(content.top, content.bottom);
    // Without the mask colour, rendered upright (Wine's mirrored stretch drops the first row).
    button.picture = MakePicture(12, 12, [](int, int y) { return y < 6 ? kRed : kBlue; });
    EXPECT_EQ((RECT{left, top + 6, left + 12, top + 12}), Paint().Bounds(kBlue));
    button.maskColor = kMagenta;
    for (const bool enabled : {true, false}) {
        // A square in a magenta frame: red when enabled, black to be embossed.
        const COLORREF ink = enabled ? kRed : kBlack;
        button.picture = MakePicture(12, 12, [=](int x, int y) { return x % 9 > 2 && y % 9 > 2 ? ink : kMagenta; });
        button.enabled = enabled;
        button.useMaskColor = enabled;  // plays no part when disabled
        const Surface painted = Paint();
        EXPECT_EQ((RECT{left + 3, top + 3, left + 9, top + 9}),
                  painted.Bounds(enabled ? kRed : GetSysColor(COLOR_3DSHADOW)))
            << enabled;
        const Surface face = Face(enabled ? PBS_NORMAL : PBS_DISABLED);
        EXPECT_EQ(face.Pixel(left, top), painted.Pixel(left, top)) << "the mask colour is open";
    }
}

// Each message still reaches the button's own processing (its focus state shows it), redrawing on
// again after it; it sets Hot and repaints the shape, or all after an enable change.
TEST_F(ButtonRedirect, EachMessageSetsHotAndRepaintsTheShapeOrAll) {
    const struct {
        UINT msg;
        bool hotBefore, hotAfter, focusState, corners;
    } rows[] = {
        {WM_MOUSEMOVE, false, false, false, false},  // only until the first themed paint
        {WM_MOUSEHOVER, false, true, false, false}, {WM_MOUSELEAVE, true, false, false, false},
        {WM_LBUTTONDOWN, false, true, true, false}, {WM_LBUTTONUP, true, true, true, false},
        {WM_RBUTTONUP, false, false, true, false},  {WM_KILLFOCUS, true, false, false, false},
        {WM_SETFOCUS, true, true, true, false},     {WM_ENABLE, false, false, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.msg);
        ValidateRect(button.window, nullptr);
        pvSetHot(button.window, row.hotBefore);
        SendMessageA(button.window, row.msg, row.msg == WM_ENABLE, MAKELPARAM(10, 10));
        EXPECT_EQ(row.hotAfter, pvGetHot(button.window));
        EXPECT_EQ(row.focusState, FocusState());
        EXPECT_TRUE(IsWindowVisible(button.window)) << "left without redraw";
        EXPECT_TRUE(PendingAt(45, 15));
        EXPECT_EQ(row.corners, PendingAt(0, 0));
        UpdateWindow(button.window);
        EXPECT_TRUE(pvGetPainted(button.window));
    }
    SendMessageA(button.window, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    EXPECT_FALSE(PendingAt(45, 15)) << "a move after the first themed paint repainted";
}
