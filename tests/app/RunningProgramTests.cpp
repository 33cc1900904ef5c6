#include <gtest/gtest.h>

#include <stdexcept>

#include "AppFixture.h"
#include "DCGuards.h"
#include "ExpectedBar.h"
#include "MessagePump.h"
#include "WindowBase.h"

using RunningProgram = ScanFixture;

// The load handler's bar in Picture1, blue on white, full after a scan, painted at every repaint
// and left standing by one whose pass fails (the box is not erased first).
TEST_F(RunningProgram, Picture1ShowsTheBarBeforeAndAfterAScan) {
    for (const wchar_t* name : {L"Tcpip", L"NetBT", L"Beep"}) scratch.CreateKey(std::wstring(kServices) + L"\\" + name);
    const HWND picture1 = form->Control(IDC_PICTURE1);
    EXPECT_EQ(form->Font(), form->PB1().Font()) << "the window's font object itself";
    Surface expected(339, 12), actual(339, 12);
    auto shown = [&] {
        DoEvents();
        actual.CopyFrom(WindowDC(picture1).get());
        return SameImage(expected, actual);
    };
    DrawExpectedBar(expected, {}, Frame::kThinSunken, kWhite, kBlue);
    EXPECT_TRUE(shown()) << "before the scan: empty";
    PressStart();
    EXPECT_EQ(3, form->PB1().Max()) << "one step per service key";
    DrawExpectedBar(expected, {1, 1, 338, 11}, Frame::kThinSunken, kWhite, kBlue);
    EXPECT_TRUE(shown()) << "after the scan: full";
    for (const bool failing : {false, true}) {
        if (failing) form->PB1().SetMin(form->PB1().Max());
        InvalidateRect(picture1, nullptr, TRUE);
        UpdateWindow(picture1);
        EXPECT_TRUE(shown()) << (failing ? "after a failed repaint" : "after a repaint");
    }
}

BOOL WINAPI FailingGetMessage(MSG*, HWND, UINT, UINT) {
    return -1;
}

// The loop ends with WM_QUIT's exit code, or with -1 when no message can be
// fetched (then there is no exit code to return).
TEST(MessageLoop, EndsWithTheQuitCodeOrMinusOneWhenFetchingFails) {
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop());
    EXPECT_EQ(-1, RunMessageLoop(&FailingGetMessage));
}

// A window whose handling throws at one message: at WM_CREATE the creation
// fails and leaves no window; at any other the message goes to the default
// procedure.
class ThrowingWindow : public WindowBase {
public:
    explicit ThrowingWindow(UINT failing) : failing_(failing) {
        WNDCLASSEXW windowClass{};
        windowClass.lpszClassName = L"QuillmarkThrowingWindow";
        RegisterClassOnce(GetModuleHandleW(nullptr), windowClass);
        CreateHandle(0, windowClass.lpszClassName, L"abc", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                     GetModuleHandleW(nullptr));
    }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == failing_) throw std::runtime_error("failing");
        return DefaultHandling(msg, wParam, lParam);
    }

    UINT failing_;
};

TEST(WindowBase, AThrowFailsTheCreationOrGoesToTheDefaultProcedure) {
    EXPECT_EQ(nullptr, ThrowingWindow(WM_CREATE).hWnd());
    EXPECT_EQ(nullptr, FindWindowW(L"QuillmarkThrowingWindow", nullptr)) << "a window was left behind";
    const ThrowingWindow window(WM_GETTEXTLENGTH);
    ASSERT_NE(nullptr, window.hWnd());
    EXPECT_EQ(3, SendMessageW(window.hWnd(), WM_GETTEXTLENGTH, 0, 0)) << "the default procedure's answer";
}
