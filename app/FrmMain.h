#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <memory>
#include <string>

#include "Accelerators.h"
#include "ComPtr.h"
#include "FormControls.h"
#include "KeptFocus.h"
#include "NetworkStackWindow.h"
#include "PictureBox.h"
#include "ScanLog.h"
#include "UniqueHandle.h"
#include "WindowBase.h"
#include "cProgressBar.h"
#include "resource.h"

// The program's one window: the Start button, the output box, the progress
// bar's picture box, the exclusion list and the links to the maker's page.
class FrmMain final : public WindowBase {
public:
    static constexpr wchar_t kCaption[] = L"Quillmark - By Morvane";
    static constexpr wchar_t kMakerPage[] = L"https://www.facebook.com/morvane";
    static constexpr wchar_t kLogFileName[] = L"quillmark_log.txt";
    static constexpr int kClientWidthPx = 436;
    static constexpr int kClientHeightPx = 237;

    // Creates the window, runs its load handler and shows it. The log file
    // lies in logFolder (the program's folder unless a caller says otherwise).
    // A failure while the window is made leaves no window: null, or the
    // failure itself when it comes before the window does.
    static std::unique_ptr<FrmMain> Create(HINSTANCE instance, const std::wstring& logFolder);
    ~FrmMain() override;

    // A control by its id (resource.h).
    HWND Control(int id) const noexcept { return GetDlgItem(hWnd(), id); }
    cProgressBar& PB1() noexcept { return *pb1_; }
    IFont* Font() const noexcept { return font_.get(); }
    // The window's controls as the visual-style module reads them.
    const FormControls& Controls() const noexcept { return controls_; }

    void AddToLogs(const std::wstring& sMsg);
    const std::wstring& LogPath() const noexcept { return logPath_; }

    // The Click of Command1: the service scan.
    void Command1_Click();

    // The item "Network stack..." of the system menu (and Ctrl+N): opens the
    // network stack window, or brings it to the front when it is open.
    void OpenNetworkStack();
    NetworkStackWindow* NetworkStack() const noexcept { return networkStack_.get(); }

private:
    explicit FrmMain(std::wstring logPath);

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnCreate();
    void AddNetworkStackItem();
    void Form_Load();
    void CreateControls();
    void OnCommand(int id, int code);
    LRESULT OnCtlColorStatic(HDC hdc, HWND control);
    bool OnSetCursor(HWND under);
    void OnClose();
    void Link_Click();
    void Picture1_Paint();

    std::wstring logPath_;
    std::unique_ptr<ScanLog> log_;
    ComPtr<IFont> font_;
    FormControls controls_;
    PictureBox picture1_;
    UniqueBitmap linkPicture_;
    HCURSOR handCursor_ = nullptr;
    KeptFocus focus_;
    std::unique_ptr<cProgressBar> pb1_;
    Accelerators accelerators_;
    std::unique_ptr<NetworkStackWindow> networkStack_;
};
