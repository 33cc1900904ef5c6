#include <gtest/gtest.h>

#include "DCGuards.h"
#include "ExpectedBar.h"
#include "FrmMain.h"
#include "MessagePump.h"
#include "ScratchFolder.h"
#include "ScratchKey.h"

// The window as the program makes it, scanning a small services tree.
TEST(RunningProgram, AfterAScanPicture1ShowsTheFullBarInBlue) {
    ScratchKey machine;
    const std::wstring services = L"System\\CurrentControlSet\\Services\\";
    machine.SetText(services + L"Tcpip", "Group", "TDI");
    machine.SetText(services + L"NetBT", "Group", "Streams Drivers");
    machine.SetText(services + L"Beep", "Group", "Base");
    const RootOverride machineRoot(HKEY_LOCAL_MACHINE, machine.get());
    const ScratchFolder logFolder;
    const auto form = FrmMain::Create(GetModuleHandleW(nullptr), logFolder.Path());
    ASSERT_TRUE(form);

    cProgressBar& pb1 = form->PB1();
    const HWND picture1 = form->Control(IDC_PICTURE1);
    ASSERT_NE(nullptr, pb1.DrawObject());
    EXPECT_EQ(picture1, pb1.DrawObject()->hWnd());
    EXPECT_EQ(0, pb1.Min());
    EXPECT_EQ(100, pb1.Max());
    EXPECT_EQ(L"5", pb1.Tag());
    EXPECT_TRUE(pb1.ShowText());
    EXPECT_EQ(form->Font(), pb1.Font()) << "the window's font object itself";
    EXPECT_EQ(0xFF0000, pb1.BarColor());
    EXPECT_EQ(0xFF0000, pb1.ForeColor());
    EXPECT_EQ(0xFFFFFF, pb1.BackColor());
    EXPECT_EQ(1, pb1.BorderStyle());

    // What the screen shows of Picture1 once every waiting paint is done.
    auto shown = [&](GdiSurface& surface) {
        DoEvents();
        const WindowDC dc(picture1);
        surface.CopyFrom(dc.get());
    };
    GdiSurface expected(339, 12), actual(339, 12);
    DrawExpectedBar(expected, {}, Frame::kThinSunken, kWhite, kBlue);
    shown(actual);
    EXPECT_TRUE(SameImage(expected, actual)) << "before the scan: empty";

    form->Command1_Click();
    EXPECT_EQ(3, pb1.Max()) << "one step per service key";
    EXPECT_EQ(3, pb1.Value());
    DrawExpectedBar(expected, {1, 1, 338, 11}, Frame::kThinSunken, kWhite, kBlue);
    shown(actual);
    EXPECT_TRUE(SameImage(expected, actual)) << "after the scan: full, in blue";

    // A repaint of the picture box paints the bar again.
    actual.Fill(kSentinel);
    InvalidateRect(picture1, nullptr, TRUE);
    UpdateWindow(picture1);
    shown(actual);
    EXPECT_TRUE(SameImage(expected, actual)) << "after a repaint";

    // A repaint whose pass fails (no range to show) leaves the last bar:
    // the box is not erased before its paint.
    pb1.SetMin(pb1.Max());
    InvalidateRect(picture1, nullptr, TRUE);
    UpdateWindow(picture1);
    shown(actual);
    EXPECT_TRUE(SameImage(expected, actual)) << "after a failed repaint";
}
