// The program as a process: started, found by its caption, driven from
// outside with window messages as any client would.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "AppFixture.h"
#include "ProgramFile.h"
#include "ScratchFolder.h"
#include "UniqueHandle.h"

namespace {

std::wstring ProgramPath() {
    return ProgramFolder() + L"\\..\\..\\quillmark.exe";
}

std::wstring LogPath() {
    return ProgramFolder() + L"\\..\\..\\quillmark_log.txt";
}

// Text of another process's control: WM_GETTEXT is carried across processes.
std::wstring RemoteText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

class RunningProgram {
public:
    RunningProgram() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + ProgramPath() + L"\"";
        EXPECT_TRUE(
            CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
            << GetLastError();
        process_.reset(info_.hProcess);
        thread_.reset(info_.hThread);
        WaitFor([&] {
            window_ = FindWindowW(nullptr, L"Quillmark - By Morvane");
            DWORD owner = 0;
            if (window_) GetWindowThreadProcessId(window_, &owner);
            return window_ && owner == info_.dwProcessId && IsWindowVisible(window_);
        });
    }
    ~RunningProgram() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 1);
    }

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    DWORD ThreadId() const { return info_.dwThreadId; }
    HANDLE Process() const { return process_.get(); }

    void PressStart() const {
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(IDC_COMMAND1)));
    }

private:
    PROCESS_INFORMATION info_{};
    UniqueKernelHandle process_;
    UniqueKernelHandle thread_;
    HWND window_ = nullptr;
};

}  // namespace

TEST(Program, CarriesVersionInformationAndNoManifest) {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        return VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value
                   ? std::wstring(value)
                   : std::wstring();
    };
    EXPECT_EQ(L"Quillmark", text(L"ProductName"));
    EXPECT_FALSE(text(L"FileDescription").empty());
    EXPECT_FALSE(text(L"ProductVersion").empty());

    // Without a manifest the common controls of version 6 are not asked for.
    const HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(nullptr, FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)));  // RT_MANIFEST
    EXPECT_NE(nullptr, FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)));  // RT_GROUP_ICON
    FreeLibrary(image);
}

TEST(Program, OpensItsWindowWithTheStartButtonFocused) {
    RunningProgram program;
    ASSERT_NE(nullptr, program.Window());
    RECT client{};
    GetClientRect(program.Window(), &client);
    EXPECT_EQ(436, client.right);
    EXPECT_EQ(237, client.bottom);

    RECT start{};
    GetWindowRect(program.Control(IDC_COMMAND1), &start);
    MapWindowPoints(HWND_DESKTOP, program.Window(), reinterpret_cast<POINT*>(&start), 2);
    EXPECT_EQ(348, start.left);
    EXPECT_EQ(204, start.top);

    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(WaitFor([&] { return GetGUIThreadInfo(program.ThreadId(), &gui) && gui.hwndFocus; }));
    EXPECT_EQ(program.Control(IDC_COMMAND1), gui.hwndFocus);
}

TEST(Program, ScansWhenStartIsPressedAndLogsBesideItself) {
    RunningProgram program;
    ASSERT_NE(nullptr, program.Window());
    const std::size_t logBefore = ReadFileBytes(LogPath()).size();
    program.PressStart();
    HWND output = program.Control(IDC_TEXT1);
    const std::wstring ending = L"Done, Scan Complete.\r\n" + std::wstring(56, L'\'');
    ASSERT_TRUE(WaitFor([&] {
        const std::wstring text = RemoteText(output);
        return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
    }));

    const auto lines = SplitLines(RemoteText(output));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(L"Scanning...", lines[0]);
    EXPECT_EQ(0u, lines[1].rfind(L"Date: ", 0));
    EXPECT_EQ(L"Done, Scan Complete.", lines[lines.size() - 2]);
    EXPECT_EQ(std::wstring(56, L'\''), lines.back());

    // The log gained exactly the report's lines.
    const std::string added = ReadFileBytes(LogPath()).substr(logBefore);
    EXPECT_EQ(lines.size(), SplitLines(added).size() - 1) << "each line ends with CR LF";
}

TEST(Program, ClosingDuringAScanEndsTheProcessAtOnce) {
    RunningProgram program;
    ASSERT_NE(nullptr, program.Window());
    const std::string logBefore = ReadFileBytes(LogPath());
    // The close waits in the queue behind the click and arrives at the
    // scan's first yield.
    program.PressStart();
    PostMessageW(program.Window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.Process(), 20000));
    DWORD code = 1;
    GetExitCodeProcess(program.Process(), &code);
    EXPECT_EQ(0u, code);
    EXPECT_EQ(logBefore, ReadFileBytes(LogPath())) << "no line of the interrupted scan was written";
}

// Three runs, each started from inside a yield of the one before, and the
// window closed during the innermost: the process ends at once with what the
// three runs had written. The program runs as a child copy of this test
// program, whose services tree the parent makes.
TEST(Program, ClosingDuringTheInnermostOfThreeNestedRunsEndsTheProcess) {
    ScratchKey scratch;
    for (const wchar_t* name : {L"Filter1", L"Filter2", L"Filter3"})
        scratch.SetText(std::wstring(L"System\\CurrentControlSet\\Services\\") + name, "Group", "TDI");
    ScratchFolder folder;
    SetEnvironmentVariableW(L"QUILLMARK_CHILD_ROOT", scratch.Path().c_str());
    SetEnvironmentVariableW(L"QUILLMARK_CHILD_LOG", folder.Path().c_str());
    std::wstring command = L"\"" + ProgramFolder() +
                           L"\\app_tests.exe\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=ChildProcess.DISABLED_NestedRunsUntilClosed";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    SetEnvironmentVariableW(L"QUILLMARK_CHILD_ROOT", nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.get(), 60000));
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(0u, code);

    const auto lines = SplitLines(folder.ReadBytes(L"quillmark_log.txt"));
    ASSERT_EQ(16u, lines.size()) << "five lines of each run, then the end of the last line";
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ("Scanning...", lines[run * 5]);
        EXPECT_EQ("HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Filter1", lines[run * 5 + 4]);
    }
}

TEST(ChildProcess, DISABLED_NestedRunsUntilClosed) {
    wchar_t root[512] = {}, log[512] = {};
    if (!GetEnvironmentVariableW(L"QUILLMARK_CHILD_ROOT", root, 512) ||
        !GetEnvironmentVariableW(L"QUILLMARK_CHILD_LOG", log, 512))
        GTEST_SKIP() << "started by the parent test only";
    UniqueHKey services;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, root, 0, KEY_READ, services.put()));
    RootOverride machine(HKEY_LOCAL_MACHINE, services.get());
    const auto form = FrmMain::Create(GetModuleHandleW(nullptr), log);
    int runs = 1;
    OnBoxLine next(
        form->Control(IDC_TEXT1), L"Services\\Filter1",
        [&] {
            if (runs++ < 3)
                PostMessageW(form->hWnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                             reinterpret_cast<LPARAM>(form->Control(IDC_COMMAND1)));
            else
                PostMessageW(form->hWnd(), WM_CLOSE, 0, 0);
        },
        OnBoxLine::kEveryTime);
    form->Command1_Click();
    ADD_FAILURE() << "closing the window did not end the process";
}
