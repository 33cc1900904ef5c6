#include <windows.h>

#include <gtest/gtest.h>

#include <new>

#include "AppFixture.h"
#include "FailingAllocation.h"
#include "Text.h"
#include "resource.h"

namespace {

struct Expected {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    RECT pixels;  // left, top, right, bottom in the client area
    bool visible;
    bool tabStop;
};

const Expected kLayout[] = {
    {IDC_COMMAND1, L"Button", L"Start", {348, 204, 348 + 85, 204 + 29}, true, true},
    {IDC_CHECK1, L"Button", L"Show Microsoft Services", {200, 220, 200 + 143, 220 + 13}, true, true},
    {IDC_TEXT1, L"Edit", L"", {4, 18, 4 + 427, 18 + 181}, true, true},
    {IDC_PICTURE1, L"QuillmarkPictureBox", L"", {4, 204, 4 + 339, 204 + 12}, true, true},
    {IDC_LABEL1, L"Static", L"Detects Services Attached To The Network", {4, 4, 4 + 215, 4 + 12}, true, false},
    {IDC_LIST1, L"ListBox", L"", {94, 14, 94 + 337, 14 + 26}, false, false},
    {IDC_LABEL4, L"Static", L"Follow Morvane on Facebook", {22, 220, 22 + 156, 220 + 12}, true, false},
    {IDC_IMAGE2, L"Static", L"", {4, 218, 4 + 16, 218 + 16}, true, false},
};

RECT ClientRectOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

class FrmMainTest : public ScanFixture {};

TEST_F(FrmMainTest, WindowHasItsCaptionSizeAndIcon) {
    EXPECT_EQ(L"Quillmark - By Morvane", WindowText(form->hWnd()));
    RECT client{};
    GetClientRect(form->hWnd(), &client);
    EXPECT_EQ(436, client.right);
    EXPECT_EQ(237, client.bottom);
    EXPECT_TRUE(IsWindowVisible(form->hWnd()));
    EXPECT_NE(0u, GetClassLongPtrW(form->hWnd(), GCLP_HICON));
}

TEST_F(FrmMainTest, ControlsStandWhereTheLayoutPutsThem) {
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(e.text)) + " id " + std::to_string(e.id));
        HWND control = form->Control(e.id);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(e.windowClass, ClassOf(control));
        if (e.id != IDC_TEXT1) {
            EXPECT_EQ(e.text, WindowText(control));
        }
        const RECT r = ClientRectOf(control);
        EXPECT_EQ(e.pixels.left, r.left);
        EXPECT_EQ(e.pixels.top, r.top);
        EXPECT_EQ(e.pixels.right, r.right);
        EXPECT_EQ(e.pixels.bottom, r.bottom);
        EXPECT_EQ(e.visible, IsWindowVisible(control) != FALSE);
        EXPECT_EQ(e.tabStop, (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0);
    }
    EXPECT_EQ(L"", WindowText(Text1())) << "the output box opens empty";
    const LONG textStyle = GetWindowLongW(Text1(), GWL_STYLE);
    EXPECT_TRUE(textStyle & ES_MULTILINE);
    EXPECT_TRUE(textStyle & WS_VSCROLL);
}

TEST_F(FrmMainTest, TabOrderStartsAtTheStartButtonWhichHasTheFocus) {
    HWND first = form->Control(IDC_COMMAND1);
    EXPECT_EQ(first, GetFocus());
    std::vector<HWND> order{first};
    for (HWND next = GetNextDlgTabItem(form->hWnd(), first, FALSE); next && next != first;
         next = GetNextDlgTabItem(form->hWnd(), next, FALSE))
        order.push_back(next);
    const std::vector<HWND> expected{first, form->Control(IDC_CHECK1), Text1(), form->Control(IDC_PICTURE1)};
    EXPECT_EQ(expected, order);
}

TEST_F(FrmMainTest, EveryControlWithTextUsesVerdanaBold) {
    for (const Expected& e : kLayout) {
        if (e.id == IDC_IMAGE2) continue;  // a picture, no text
        SCOPED_TRACE(e.id);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(form->Control(e.id), WM_GETFONT, 0, 0));
        ASSERT_NE(nullptr, font);
        LOGFONTW lf{};
        ASSERT_NE(0, GetObjectW(font, sizeof lf, &lf));
        EXPECT_STREQ(L"Verdana", lf.lfFaceName);
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        EXPECT_EQ(-9, lf.lfHeight) << "6.75 points at 96 dots per inch";
        EXPECT_EQ(ANSI_CHARSET, lf.lfCharSet);
    }
}

TEST_F(FrmMainTest, HiddenListHoldsTheNineExcludedServices) {
    HWND list = form->Control(IDC_LIST1);
    const char* expected[] = {"AFD",    "Dhcp",    "Dnscache", "Dot3svc", "LmHosts",
                              "RasAcd", "Wlansvc", "WwanSvc",  "WZCSVC"};
    ASSERT_EQ(9, SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < 9; ++i) {
        wchar_t item[128] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(L"System\\CurrentControlSet\\Services\\" + FromAnsi(expected[i]), std::wstring(item));
    }
}

TEST_F(FrmMainTest, LinksShowAsLinks) {
    HWND label = form->Control(IDC_LABEL4);
    HWND image = form->Control(IDC_IMAGE2);
    HDC dc = GetDC(label);
    SendMessageW(form->hWnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), GetTextColor(dc)) << "the link's text in the highlight colour";
    ReleaseDC(label, dc);

    const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_POINTER));
    ASSERT_NE(nullptr, hand);
    for (HWND link : {label, image}) {
        SetCursor(nullptr);
        EXPECT_TRUE(SendMessageW(form->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(hand, GetCursor());
    }
    EXPECT_FALSE(
        SendMessageW(form->hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Text1()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
        << "other controls keep their own pointer";

    const auto picture = reinterpret_cast<HBITMAP>(SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bm{};
    ASSERT_NE(0, GetObjectW(picture, sizeof bm, &bm));
    EXPECT_EQ(16, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
}

TEST_F(FrmMainTest, ProgressBarStartsAtItsInitialPosition) {
    EXPECT_EQ(0, form->PB1().Value());
    EXPECT_EQ(100, form->PB1().Max());
}

// Memory running out at each allocation in turn while the window is made:
// either no window comes of it, or a whole one whose Start button scans.
TEST_F(FrmMainTest, AFailureWhileTheWindowIsMadeLeavesNoWindowOrAWholeOne) {
    form.reset();
    for (int failAt = 0;; ++failAt) {
        SCOPED_TRACE(failAt);
        FailAllocationAfter(failAt);
        try {
            form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path());
        } catch (const std::bad_alloc&) {
        }
        const bool failed = StopFailingAllocations();
        if (!form) {
            ASSERT_TRUE(failed) << "no window, and nothing failed";
            EXPECT_EQ(nullptr, FindWindowW(nullptr, FrmMain::kCaption)) << "a window was left behind";
            continue;
        }
        ASSERT_EQ(8u, form->Controls().List().size()) << "the window shows with controls missing";
        PressStart();
        EXPECT_EQ(5u, BoxLines().size()) << "no scan report";
        form.reset();
        if (!failed) break;
    }
}
