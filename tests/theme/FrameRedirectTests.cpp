// pvRedirectFrame: the frame's print and mouse-leave messages go to the
// default window procedure, whatever the theme.
#include <windows.h>

#include <gtest/gtest.h>
#include <optional>

#include "FakeControl.h"
#include "MessageRecorder.h"
#include "ScopedThemePlatform.h"
#include "TestPictures.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

namespace {

TEST(FrameRedirectTest, PrintClientAndMouseLeaveAreAnsweredByTheDefaultProcedure) {
    struct Row {
        const char* name;
        BOOL themeActive;
    };
    for (const Row& row : {Row{"visual styles", TRUE}, Row{"classic theme", FALSE}}) {
        SCOPED_TRACE(row.name);
        ScopedThemePlatform platform;
        platform.SetComCtlVersion(6);
        platform.SetThemeState(TRUE, row.themeActive, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
        FakeControl frame;
        TestWindow window;
        frame.kind = ThemeControlKind::Frame;
        frame.window = window.AddChild(L"BUTTON", L"Frame", BS_GROUPBOX, 10, 10, 150, 100);
        // The frame's own processing answers these itself, so an answer that
        // reached it would show.
        MessageRecorder own(frame.window, {WM_PRINTCLIENT, WM_MOUSELEAVE, WM_APP});
        ASSERT_TRUE(FixThemeSupport({&frame}));

        const Surface surface(150, 100, RGB(1, 2, 3));
        const auto hdc = reinterpret_cast<WPARAM>(surface.hdc());
        const LRESULT printDefault = DefWindowProcA(frame.window, WM_PRINTCLIENT, hdc, PRF_CLIENT);
        const LRESULT leaveDefault = DefWindowProcA(frame.window, WM_MOUSELEAVE, 0, 0);
        ASSERT_NE(MessageRecorder::kAnswer, printDefault);
        EXPECT_EQ(printDefault, SendMessageA(frame.window, WM_PRINTCLIENT, hdc, PRF_CLIENT));
        EXPECT_EQ(leaveDefault, SendMessageA(frame.window, WM_MOUSELEAVE, 0, 0));
        EXPECT_FALSE(own.Saw(WM_PRINTCLIENT)) << "the frame's own procedure saw WM_PRINTCLIENT";
        EXPECT_FALSE(own.Saw(WM_MOUSELEAVE)) << "the frame's own procedure saw WM_MOUSELEAVE";

        // Every other message goes on down the chain.
        EXPECT_EQ(MessageRecorder::kAnswer, SendMessageA(frame.window, WM_APP, 0, 0));
        EXPECT_TRUE(own.Saw(WM_APP));
        const int textLength = static_cast<int>(SendMessageA(frame.window, WM_GETTEXTLENGTH, 0, 0));
        EXPECT_EQ(5, textLength) << "WM_GETTEXTLENGTH did not reach the frame's own procedure";
    }
}

}  // namespace
