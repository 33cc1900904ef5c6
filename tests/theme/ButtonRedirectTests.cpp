// pvRedirectButton with real windows and real messages: what reaches the
// button's own processing, the "Hot" and "Painted" properties, redrawing and
// what gets repainted.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ErrorRecorder.h"
#include "FakeControl.h"
#include "MessageRecorder.h"
#include "ScopedThemePlatform.h"
#include "Subclasses.h"
#include "TestPictures.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;
using Lines = std::vector<std::string>;

namespace {

constexpr int kButtonX = 20;
constexpr int kButtonY = 20;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 30;

// One graphical command button on a test window, its own processing
// recorded, subclassed by FixThemeSupport (version 6). Not painted yet.
class ButtonRedirectTest : public testing::Test {
protected:
    void SetUp() override {
        platform_.SetComCtlVersion(6);
        if (!pvIsThemed()) GTEST_SKIP() << "visual styles are off on this system";
        button_.window =
            window_.AddChild(L"BUTTON", L"Go", BS_PUSHBUTTON, kButtonX, kButtonY, kButtonWidth, kButtonHeight);
        button_.caption = L"Go";
        button_.font = MakeFont(L"Tahoma", 80000, FW_NORMAL);
        own_.emplace(button_.window);
        ASSERT_TRUE(FixThemeSupport({&button_}));
        ValidateRect(button_.window, nullptr);
        own_->Clear();
    }

    HWND Button() const { return button_.window; }

    Lines Trace(const std::set<UINT>& interesting) const { return own_->Trace(interesting); }
    // The trace with each run of one message counted once.
    enum MergeRepeats { kMergeRepeats };
    Lines Trace(const std::set<UINT>& interesting, MergeRepeats) const {
        Lines lines = Trace(interesting);
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        return lines;
    }

    // Whether a point of the client area waits to be repainted.
    bool PendingAt(int x, int y) const {
        HRGN pending = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetUpdateRgn(Button(), pending, FALSE);
        const bool inside = kind != ERROR && kind != NULLREGION && PtInRegion(pending, x, y);
        DeleteObject(pending);
        return inside;
    }
    bool PendingCorner() const { return PendingAt(0, 0); }
    bool PendingCentre() const { return PendingAt(kButtonWidth / 2, kButtonHeight / 2); }

    POINT ScreenPoint(int x, int y) const {
        POINT point{x, y};
        ClientToScreen(Button(), &point);
        return point;
    }

    ScopedThemePlatform platform_;
    ErrorRecorder errors_;
    FakeControl button_;
    TestWindow window_;
    std::optional<MessageRecorder> own_;
};

const std::set<UINT> kRedrawAndFocus{WM_SETREDRAW, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE};

TEST_F(ButtonRedirectTest, ThePointerHoveringAndLeavingTurnsHotOnAndOff) {
    SetCursorPos(5, 5);
    PumpMessages(50);
    InvalidateRect(Button(), nullptr, FALSE);
    UpdateWindow(Button());
    ASSERT_TRUE(pvGetPainted(Button()));
    own_->Clear();

    // Entering: the first move asks for tracking, the hover notice follows.
    const POINT centre = ScreenPoint(kButtonWidth / 2, kButtonHeight / 2);
    SetCursorPos(centre.x, centre.y);
    EXPECT_TRUE(PumpUntil([&] { return own_->Saw(WM_MOUSEHOVER); }, 2000)) << "no hover notice";
    EXPECT_EQ((Lines{"WM_MOUSEMOVE", "WM_MOUSEHOVER"}), Trace({WM_MOUSEMOVE, WM_MOUSEHOVER, WM_MOUSELEAVE}));
    EXPECT_TRUE(pvGetHot(Button()));
    EXPECT_EQ(reinterpret_cast<HANDLE>(1), GetPropA(Button(), "Hot"));
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    TrackMouseEvent(&query);
    EXPECT_EQ(Button(), query.hwndTrack);
    EXPECT_TRUE(query.dwFlags & TME_LEAVE) << "tracking flags " << query.dwFlags;

    // Moving on inside while hot asks for nothing: no second hover notice.
    // (On a virtual desktop Wine may deliver a move more than once.)
    own_->Clear();
    SetCursorPos(centre.x + 3, centre.y + 2);
    PumpMessages(150);
    EXPECT_EQ((Lines{"WM_MOUSEMOVE"}), Trace({WM_MOUSEMOVE, WM_MOUSEHOVER, WM_MOUSELEAVE}, kMergeRepeats));
    EXPECT_TRUE(pvGetHot(Button()));

    // Leaving clears it.
    own_->Clear();
    SetCursorPos(5, 5);
    EXPECT_TRUE(PumpUntil([&] { return own_->Saw(WM_MOUSELEAVE); }, 2000)) << "no leave notice";
    EXPECT_EQ((Lines{"WM_MOUSELEAVE"}), Trace({WM_MOUSEHOVER, WM_MOUSELEAVE}));
    EXPECT_FALSE(pvGetHot(Button()));
    EXPECT_EQ(nullptr, GetPropA(Button(), "Hot"));

    // The next move asks again.
    own_->Clear();
    SetCursorPos(centre.x, centre.y);
    EXPECT_TRUE(PumpUntil([&] { return own_->Saw(WM_MOUSEHOVER); }, 2000)) << "no hover notice";
    EXPECT_EQ((Lines{"WM_MOUSEMOVE", "WM_MOUSEHOVER"}), Trace({WM_MOUSEMOVE, WM_MOUSEHOVER, WM_MOUSELEAVE}));
    EXPECT_TRUE(pvGetHot(Button()));
    SetCursorPos(5, 5);
    PumpMessages(50);
}

TEST_F(ButtonRedirectTest, HoverAndLeaveRepaintTheShapeOnly) {
    platform_.UseRoundedButtonShape();
    for (UINT msg : {WM_MOUSEHOVER, WM_MOUSELEAVE}) {
        SCOPED_TRACE(msg == WM_MOUSEHOVER ? "WM_MOUSEHOVER" : "WM_MOUSELEAVE");
        InvalidateRect(Button(), nullptr, FALSE);
        SendMessageA(Button(), msg, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(msg == WM_MOUSEHOVER, pvGetHot(Button()));
        EXPECT_TRUE(PendingCentre());
        EXPECT_FALSE(PendingCorner()) << "the pending repaint of the corners was not dropped";
    }
}

TEST_F(ButtonRedirectTest, MovesRepaintTheShapeUntilTheFirstThemedPaint) {
    platform_.UseRoundedButtonShape();
    ASSERT_FALSE(pvGetPainted(Button()));
    InvalidateRect(Button(), nullptr, FALSE);
    SendMessageA(Button(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(PendingCentre());
    EXPECT_FALSE(PendingCorner());

    UpdateWindow(Button());
    EXPECT_TRUE(pvGetPainted(Button()));
    EXPECT_EQ(reinterpret_cast<HANDLE>(1), GetPropA(Button(), "Painted"));
    EXPECT_FALSE(own_->Saw(WM_PAINT)) << "the themed paint reached the button's own procedure";

    SendMessageA(Button(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    EXPECT_FALSE(PendingCentre()) << "a move after the first themed paint repainted the button";
    EXPECT_TRUE(own_->Saw(WM_MOUSEMOVE));
}

TEST_F(ButtonRedirectTest, FocusRunsTheControlWithRedrawOffThenRepaintsTheShape) {
    platform_.UseRoundedButtonShape();
    pvSetHot(Button(), true);
    SetFocus(Button());
    EXPECT_EQ((Lines{"WM_SETREDRAW(0)", "WM_SETFOCUS hidden", "WM_SETREDRAW(1) hidden"}), Trace(kRedrawAndFocus));
    EXPECT_TRUE(IsWindowVisible(Button()));
    EXPECT_TRUE(PendingCentre());
    EXPECT_FALSE(PendingCorner());
    EXPECT_TRUE(pvGetHot(Button())) << "gaining the focus changed Hot";

    own_->Clear();
    ValidateRect(Button(), nullptr);
    SetFocus(window_.hWnd());
    EXPECT_EQ((Lines{"WM_KILLFOCUS"}), Trace(kRedrawAndFocus));
    EXPECT_FALSE(pvGetHot(Button()));
    EXPECT_TRUE(PendingCentre());
    EXPECT_FALSE(PendingCorner());
}

TEST_F(ButtonRedirectTest, EnableRunsTheControlWithRedrawOffThenRepaintsEverythingWithoutErase) {
    platform_.UseRoundedButtonShape();
    for (BOOL enable : {FALSE, TRUE}) {
        SCOPED_TRACE(enable ? "enabling" : "disabling");
        own_->Clear();
        ValidateRect(Button(), nullptr);
        EnableWindow(Button(), enable);
        EXPECT_EQ((Lines{"WM_SETREDRAW(0)", "WM_ENABLE hidden", "WM_SETREDRAW(1) hidden"}), Trace(kRedrawAndFocus));
        EXPECT_TRUE(IsWindowVisible(Button()));
        EXPECT_TRUE(PendingCentre());
        EXPECT_TRUE(PendingCorner()) << "an enable change repaints the whole client area";
        UpdateWindow(Button());
        EXPECT_FALSE(own_->Saw(WM_ERASEBKGND)) << "the repaint erased the background";
    }
}

TEST_F(ButtonRedirectTest, AClickMakesItHotAndRepaintsAtEachButton) {
    MessageRecorder parent(window_.hWnd());
    const LPARAM at = MAKELPARAM(10, 10);
    SendMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ((Lines{"WM_LBUTTONDOWN", "WM_SETREDRAW(0)", "WM_SETFOCUS hidden", "WM_SETREDRAW(1) hidden"}),
              Trace({WM_LBUTTONDOWN, WM_SETREDRAW, WM_SETFOCUS, WM_LBUTTONUP}));
    EXPECT_TRUE(pvGetHot(Button()));
    EXPECT_TRUE(SendMessageA(Button(), BM_GETSTATE, 0, 0) & BST_PUSHED) << "the button's own press did not run";
    EXPECT_TRUE(PendingCentre());

    ValidateRect(Button(), nullptr);
    SendMessageA(Button(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(own_->Saw(WM_LBUTTONUP));
    EXPECT_TRUE(parent.Saw(WM_COMMAND)) << "the click did not reach the parent";
    EXPECT_TRUE(pvGetHot(Button())) << "releasing the button changed Hot";
    EXPECT_TRUE(PendingCentre());

    ValidateRect(Button(), nullptr);
    SendMessageA(Button(), WM_RBUTTONUP, 0, at);
    EXPECT_TRUE(own_->Saw(WM_RBUTTONUP));
    EXPECT_TRUE(PendingCentre());
}

TEST_F(ButtonRedirectTest, AHiddenButtonIsLeftToItsOwnHandling) {
    ShowWindow(Button(), SW_HIDE);
    own_->Clear();
    SendMessageA(Button(), WM_PAINT, 0, 0);
    SendMessageA(Button(), WM_SETFOCUS, 0, 0);
    SendMessageA(Button(), WM_ENABLE, TRUE, 0);
    EXPECT_EQ((Lines{"WM_PAINT hidden", "WM_SETFOCUS hidden", "WM_ENABLE hidden"}),
              Trace({WM_PAINT, WM_SETREDRAW, WM_SETFOCUS, WM_ENABLE}));
    EXPECT_FALSE(pvGetPainted(Button()));
}

TEST_F(ButtonRedirectTest, TheClassicThemeLeavesEveryMessageToTheControl) {
    platform_.SetThemeState(TRUE, FALSE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
    pvSetHot(Button(), true);
    const std::vector<UINT> sent{WM_PAINT,      WM_SETFOCUS,  WM_ENABLE,    WM_MOUSEMOVE, WM_MOUSEHOVER,
                                 WM_MOUSELEAVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_KILLFOCUS};
    for (UINT msg : sent) SendMessageA(Button(), msg, msg == WM_ENABLE ? TRUE : 0, MAKELPARAM(5, 5));
    const std::set<UINT> interesting(sent.begin(), sent.end());
    std::set<UINT> withRedraw = interesting;
    withRedraw.insert(WM_SETREDRAW);
    EXPECT_EQ(own_->Trace(interesting), own_->Trace(withRedraw)) << "redrawing was switched";
    std::vector<UINT> reached;
    for (const auto& message : own_->Only(interesting)) reached.push_back(message.msg);
    EXPECT_EQ(sent, reached);
    EXPECT_TRUE(pvGetHot(Button())) << "WM_MOUSELEAVE or WM_KILLFOCUS cleared Hot under the classic theme";
    EXPECT_FALSE(pvGetPainted(Button()));

    own_->Clear();
    pvSetHot(Button(), false);
    SendMessageA(Button(), WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(pvGetHot(Button())) << "WM_MOUSEHOVER set Hot under the classic theme";
}

int themeActiveCalls = 0;

BOOL WINAPI ThemeActiveOnlyOnce() {
    return ++themeActiveCalls == 1;
}

TEST_F(ButtonRedirectTest, RedrawComesBackOnWhenTheStylesGoAwayDuringTheFocusChange) {
    platform_.SetThemeState(TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
    themeActiveCalls = 0;
    platform_->IsThemeActive = &ThemeActiveOnlyOnce;
    SetFocus(Button());
    EXPECT_EQ((Lines{"WM_SETREDRAW(0)", "WM_SETFOCUS hidden", "WM_SETREDRAW(1) hidden"}), Trace(kRedrawAndFocus));
    EXPECT_TRUE(IsWindowVisible(Button())) << "the button was left without redraw, invisible";
}

// Installed above the module's subclass: sees WM_NCDESTROY after it.
struct AfterDestroy {
    static inline bool subclassLeft = true;
    static inline bool hotLeft = true;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            subclassLeft = SubclassData(hwnd, &pvRedirectButton).has_value();
            hotLeft = GetPropA(hwnd, "Hot") != nullptr || GetPropA(hwnd, "Painted") != nullptr;
            RemoveWindowSubclass(hwnd, &Proc, 2);
        }
        return result;
    }
};

TEST_F(ButtonRedirectTest, DestroyingTheButtonRemovesTheSubclassAndTheProperties) {
    pvSetHot(Button(), true);
    pvSetPainted(Button(), true);
    SetWindowSubclass(Button(), &AfterDestroy::Proc, 2, 0);
    DestroyWindow(Button());
    EXPECT_FALSE(AfterDestroy::subclassLeft);
    EXPECT_FALSE(AfterDestroy::hotLeft);
}

TEST_F(ButtonRedirectTest, InvalidateDropsThePendingRepaintAndInvalidatesTheShape) {
    // Wine's light theme gives the whole rectangle as the shape.
    InvalidateRect(Button(), nullptr, TRUE);
    pvInvalidateButton(Button());
    EXPECT_TRUE(PendingCentre());
    EXPECT_TRUE(PendingCorner());

    platform_.UseRoundedButtonShape();
    InvalidateRect(Button(), nullptr, TRUE);
    pvInvalidateButton(Button());
    EXPECT_TRUE(PendingCentre());
    EXPECT_FALSE(PendingCorner());
    UpdateWindow(Button());
    EXPECT_FALSE(own_->Saw(WM_ERASEBKGND)) << "the erase of the dropped repaint survived";
}

TEST_F(ButtonRedirectTest, ThemedPaintMarksPaintedAndNeverReachesTheControl) {
    EXPECT_FALSE(pvGetPainted(Button()));
    InvalidateRect(Button(), nullptr, FALSE);
    UpdateWindow(Button());
    EXPECT_TRUE(pvGetPainted(Button()));
    EXPECT_FALSE(own_->Saw(WM_PAINT));
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(Button(), &pending, FALSE)) << "the themed paint left the area invalid";
    EXPECT_TRUE(errors_.Names().empty()) << "reported " << errors_.Names().front();
}

}  // namespace
