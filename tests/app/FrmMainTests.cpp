// The main window as its user meets it, over a services tree of the test's
// own as HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services and with its log
// file in a scratch folder: the scan against the oracle, the scan log and the
// bar in Picture1; and the message loop and window base it stands on.
#include "FrmMain.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "DCGuards.h"
#include "ExpectedBar.h"
#include "MessagePump.h"
#include "ProgramFile.h"
#include "ScratchFolder.h"
#include "ScratchKey.h"
#include "ServiceScan.h"
#include "ServicesTrees.h"
#include "TestWindow.h"
#include "Text.h"
#include "UniqueHandle.h"
#include "WindowBase.h"

namespace {

class MainWindow : public testing::Test {
protected:
    static constexpr wchar_t kServices[] = L"System\\CurrentControlSet\\Services";

    MainWindow() {
        scratch.CreateKey(kServices);
        form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path());
        EXPECT_NE(nullptr, form);
        DoEvents();
    }
    ~MainWindow() override {
        form.reset();
        DoEvents();
    }

    // As a user's click arrives: the button's notification to its window.
    void PressStart() const {
        SendMessageW(form->hWnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Control(IDC_COMMAND1)));
    }
    HWND Box() const { return form->Control(IDC_TEXT1); }
    std::string LogBytes() const { return folder.ReadBytes(FrmMain::kLogFileName); }

    ScratchKey scratch;
    RootOverride machineRoot{HKEY_LOCAL_MACHINE, scratch.get()};
    ScratchFolder folder;
    std::unique_ptr<FrmMain> form;
};

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

}  // namespace

// Seeded random services trees (1 to 60, 1 to QUILLMARK_SOAK_TREES for a soak
// run, or the one seed QUILLMARK_SEED names to replay a failure: see
// DEVELOPERS.md) against the oracle, the check box unticked, ticked and greyed
// by turns: ticking "Show Microsoft Services" shows the hidden services, a
// greyed box shows none. The hidden services are the exclusion list's: any
// key path that begins with an entry, so that an empty entry hides all and an
// empty list none. The bar takes a step per key.
TEST_F(MainWindow, TheScanReportsWhatTheOracleExpectsOfRandomTrees) {
    const char *one = std::getenv("QUILLMARK_SEED"), *soak = std::getenv("QUILLMARK_SOAK_TREES");
    const int first = one ? std::atoi(one) : 1, last = one ? first : soak ? std::atoi(soak) : 60;
    const HWND list = form->Control(IDC_LIST1), check = form->Control(IDC_CHECK1);
    SetWindowLongW(check, GWL_STYLE, (GetWindowLongW(check, GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTO3STATE);
    const auto scan = [&](int tick, bool none, bool all) {
        SendMessageW(check, BM_SETCHECK, tick, 0);
        DeleteFileW(folder.File(FrmMain::kLogFileName).c_str());
        PressStart();
        // The report's second line, its date, as the log holds it.
        const std::wstring box = WindowText(Box());
        const std::size_t begin = box.find(L"\r\n") + 2;
        const std::string date = ToAnsi(box.substr(begin, box.find(L"\r\n", begin) - begin));
        EXPECT_EQ(0u, date.rfind("Date: ", 0)) << date;
        const ExpectedReport expected = ReportOf(scratch, kServices, none, all, date);
        EXPECT_EQ(expected.box, WindowText(Box()));
        EXPECT_EQ(expected.log, LogBytes());
        EXPECT_EQ(expected.keys, form->PB1().Max());
        EXPECT_EQ(expected.keys, form->PB1().Value());
    };
    for (int seed = first; seed <= last && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        scratch.DeleteTree(kServices);
        scratch.CreateKey(kServices);
        WriteRandomServices(seed, scratch, kServices);
        scan(seed % 3, seed % 3 == BST_INDETERMINATE, seed % 3 == BST_CHECKED);
    }
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    scan(BST_UNCHECKED, true, false);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    scan(BST_UNCHECKED, false, true);
    scratch.DeleteTree(L"System");
    form->PB1().SetValue(33);
    scan(BST_UNCHECKED, true, false);
}

// A user's format may give a date longer than any fixed buffer: 26 era fields
// ("gg,") nearly fill the 80 characters a format may hold and give some 130.
TEST(ServiceScanDateLine, CarriesADateOfAnyLength) {
    wchar_t saved[80] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    std::wstring format;
    for (int i = 0; i < 26; ++i) format += L"gg,";
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format.c_str()));
    const std::wstring line = ServiceScan::DateLine();
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    const std::wstring date = line.substr(6, line.find(L" Time: ") - 6), era = date.substr(0, date.find(L',') + 1);
    ASSERT_GT(era.size(), 1u) << testing::PrintToString(line);
    std::wstring expected = L"Date: ";
    for (int i = 0; i < 26; ++i) expected += era;
    EXPECT_EQ(expected + L" Time: ", line.substr(0, expected.size() + 7));
}

// Each line goes to the file as 8-bit text ended by CR LF and to the box,
// joined by CR LF, zero characters shown as blanks, the caret at the end; a
// file that cannot be written loses the line from the file only.
TEST_F(MainWindow, LogLinesGoToTheFileAsAnsiTextAndToTheBox) {
    ASSERT_TRUE(UniqueFile(
        CreateFileW(folder.File(FrmMain::kLogFileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    const std::wstring accented = L"caf\u00e9 \u00fc";
    form->AddToLogs(L"");
    EXPECT_EQ(L"", WindowText(Box())) << "an empty line to an empty box leaves it empty";
    form->AddToLogs(accented);
    form->AddToLogs(L"");
    form->AddToLogs(std::wstring(L"a\0b\0", 4));
    {
        // Another process holding the file without sharing it.
        const UniqueFile lock(CreateFileW(folder.File(FrmMain::kLogFileName).c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        form->AddToLogs(L"while locked");
    }
    form->AddToLogs(L"last");
    EXPECT_EQ(accented + L"\r\n\r\na b \r\nwhile locked\r\nlast", WindowText(Box()));
    EXPECT_EQ("\r\n" + ToAnsi(accented) + "\r\n\r\n" + std::string("a\0b\0", 4) + "\r\nlast\r\n", LogBytes());
    DWORD start = 0, end = 0;
    SendMessageW(Box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(static_cast<DWORD>(GetWindowTextLengthW(Box())), start);
    EXPECT_EQ(start, end);
}

// The file keeps what it held and grows across runs of the program, in the
// folder it is given, with or without a separator at its end; a folder that
// is not there loses the file, never the box.
TEST_F(MainWindow, TheLogFileIsAppendedAcrossRunsInTheFolderGiven) {
    form->AddToLogs(L"first run");
    form.reset();
    form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path() + L"\\");
    EXPECT_EQ(folder.File(FrmMain::kLogFileName), form->LogPath());
    form->AddToLogs(L"again");
    EXPECT_EQ("first run\r\nagain\r\n", LogBytes());
    EXPECT_EQ(L"again", WindowText(Box())) << "a new window's box starts empty";
    // The start-up's folder: the one that holds the program.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(JoinPath(ProgramFolder(), ProgramName() + L".exe").c_str()));
    EXPECT_EQ(L"app_tests", ProgramName());

    form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path() + L"\\missing\\folder");
    form->AddToLogs(L"still shown");
    EXPECT_EQ(L"still shown", WindowText(Box()));
}

// The load handler's bar in Picture1, blue on white, full after a scan, painted at every repaint
// and left standing by one whose pass fails (the box is not erased first).
TEST_F(MainWindow, Picture1ShowsTheBarBeforeAndAfterAScan) {
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
    DrawExpectedBar(expected, {1, 1, 338, 11}, Frame::kThinSunken, kWhite, kBlue);
    EXPECT_TRUE(shown()) << "after the scan: full";
    for (const bool failing : {false, true}) {
        if (failing) form->PB1().SetMin(form->PB1().Max());
        InvalidateRect(picture1, nullptr, TRUE);
        UpdateWindow(picture1);
        EXPECT_TRUE(shown()) << (failing ? "after a failed repaint" : "after a repaint");
    }
}

// The loop ends with WM_QUIT's exit code, or with -1 when no message can be
// fetched (then there is no exit code to return).
TEST(MessageLoop, EndsWithTheQuitCodeOrMinusOneWhenFetchingFails) {
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop());
    EXPECT_EQ(-1, RunMessageLoop([](MSG*, HWND, UINT, UINT) -> BOOL { return -1; }));
}

TEST(WindowBase, AThrowFailsTheCreationOrGoesToTheDefaultProcedure) {
    EXPECT_EQ(nullptr, ThrowingWindow(WM_CREATE).hWnd());
    EXPECT_EQ(nullptr, FindWindowW(L"QuillmarkThrowingWindow", nullptr)) << "a window was left behind";
    const ThrowingWindow window(WM_GETTEXTLENGTH);
    ASSERT_NE(nullptr, window.hWnd());
    EXPECT_EQ(3, SendMessageW(window.hWnd(), WM_GETTEXTLENGTH, 0, 0)) << "the default procedure's answer";
}
