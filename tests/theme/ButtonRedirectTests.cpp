// pvRedirectButton with real windows and messages.
#include <windows.h>

#include <gtest/gtest.h>

#include "FakeControl.h"
#include "ScopedThemePlatform.h"
#include "TestWindow.h"
#include "UniqueHandle.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;

namespace {

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
