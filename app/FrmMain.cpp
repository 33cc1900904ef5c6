#include "FrmMain.h"

#include <shellapi.h>

#include <array>

#include "OleObjects.h"
#include "ProgramFile.h"
#include "ProgressBarSettings.h"
#include "ServiceScan.h"
#include "Text.h"
#include "mdXpThemeSupport.h"
#include "resource.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarkMainWindow";
constexpr ErrorSource kErrorSource{L"FrmMain"};
constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) {
    return twips / kTwipsPerPixel;
}

struct ControlLayout {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int leftTwips, topTwips, widthTwips, heightTwips;
};

// In tab order: creation order is the order the keyboard walks.
constexpr std::array<ControlLayout, 7> kStandardControls{{
    {IDC_COMMAND1, L"BUTTON", L"Start", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 0, 5220, 3060, 1275, 435},
    {IDC_CHECK1, L"BUTTON", L"Show Microsoft Services", BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE, 0, 3000, 3300, 2145,
     195},
    {IDC_TEXT1, L"EDIT", L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE,
     WS_EX_CLIENTEDGE, 60, 270, 6405, 2715},
    {IDC_PICTURE1, nullptr, nullptr, WS_TABSTOP, 0, 60, 3060, 5085, 180},
    {IDC_LABEL1, L"STATIC", L"Detects Services Attached To The Network", SS_LEFT | WS_VISIBLE, 0, 60, 60, 3225, 180},
    // Never shown: it holds the exclusion list.
    {IDC_LIST1, L"LISTBOX", L"", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER, 0, 1410, 210, 5055, 390},
    {IDC_LABEL4, L"STATIC", L"Follow Morvane on Facebook", SS_LEFT | SS_NOTIFY | WS_VISIBLE, 0, 330, 3300, 2340, 180},
}};

constexpr ControlLayout kImage2Layout{IDC_IMAGE2, L"STATIC", L"", SS_BITMAP | SS_NOTIFY | WS_VISIBLE, 0, 60,
                                      3270,       240,       240};

constexpr std::array<const wchar_t*, 9> kHiddenServices{
    L"System\\CurrentControlSet\\Services\\AFD",      L"System\\CurrentControlSet\\Services\\Dhcp",
    L"System\\CurrentControlSet\\Services\\Dnscache", L"System\\CurrentControlSet\\Services\\Dot3svc",
    L"System\\CurrentControlSet\\Services\\LmHosts",  L"System\\CurrentControlSet\\Services\\RasAcd",
    L"System\\CurrentControlSet\\Services\\Wlansvc",  L"System\\CurrentControlSet\\Services\\WwanSvc",
    L"System\\CurrentControlSet\\Services\\WZCSVC",
};

}  // namespace

FrmMain::FrmMain(std::wstring logPath) : logPath_(std::move(logPath)) {}

// The window goes first: its controls' subclasses still read the control
// objects while it is destroyed.
FrmMain::~FrmMain() {
    DestroyHandle();
}

std::unique_ptr<FrmMain> FrmMain::Create(HINSTANCE instance, const std::wstring& logFolder) {
    std::unique_ptr<FrmMain> form(new FrmMain(JoinPath(logFolder, kLogFileName)));
    WNDCLASSEXW windowClass{};
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUILLMARK));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLMARK), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassOnce(instance, windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    constexpr DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidthPx, kClientHeightPx};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!form->CreateHandle(exStyle, kClassName, kCaption, style, x, y, width, height, nullptr, nullptr, instance))
        return nullptr;

    ShowWindow(form->hWnd(), SW_SHOWNORMAL);
    UpdateWindow(form->hWnd());
    SetFocus(form->Control(IDC_COMMAND1));
    return form;
}

LRESULT FrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != IDM_NETWORK_STACK) break;
            OpenNetworkStack();
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            break;
        case WM_ACTIVATE:
            focus_.OnActivate(hWnd(), LOWORD(wParam) != WA_INACTIVE, Control(IDC_COMMAND1));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
}

// A failure here fails the window's creation.
void FrmMain::OnCreate() {
    CreateControls();
    log_ = std::make_unique<ScanLog>(Control(IDC_TEXT1), logPath_);
    Form_Load();
    AddNetworkStackItem();
}

// The window's one way to the network stack window, beside its fixed layout.
void FrmMain::AddNetworkStackItem() {
    static constexpr std::array<ACCEL, 1> kShortcuts{{{FVIRTKEY | FCONTROL, 'N', IDM_NETWORK_STACK}}};
    if (HMENU menu = GetSystemMenu(hWnd(), FALSE)) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, IDM_NETWORK_STACK, L"Net&work stack...\tCtrl+N");
    }
    accelerators_.Install(hWnd(), kShortcuts);
}

void FrmMain::OpenNetworkStack() {
    if (networkStack_ && networkStack_->hWnd()) {
        ShowWindow(networkStack_->hWnd(), SW_RESTORE);
        SetForegroundWindow(networkStack_->hWnd());
        return;
    }
    networkStack_.reset();
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hWnd(), GWLP_HINSTANCE));
    networkStack_ = NetworkStackWindow::Create(instance, {});
}

void FrmMain::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hWnd(), GWLP_HINSTANCE));
    font_ = CreateOleFont(L"Verdana", 6.75, FW_BOLD);
    const HFONT font = FontHandle(font_.get(), kErrorSource);
    SendMessageW(hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    auto create = [&](const ControlLayout& c) {
        HWND control = c.windowClass
                           ? CreateWindowExW(c.exStyle, c.windowClass, c.text, WS_CHILD | c.style, Px(c.leftTwips),
                                             Px(c.topTwips), Px(c.widthTwips), Px(c.heightTwips), hWnd(),
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr)
                           : picture1_.Create(hWnd(), c.id, Px(c.leftTwips), Px(c.topTwips), Px(c.widthTwips),
                                              Px(c.heightTwips), c.style | WS_VISIBLE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    for (const ControlLayout& layout : kStandardControls) create(layout);
    picture1_.Paint = [this] { Picture1_Paint(); };
    HWND image = create(kImage2Layout);

    for (const wchar_t* item : kHiddenServices)
        SendMessageW(Control(IDC_LIST1), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    linkPicture_.reset(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_LINK_PICTURE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(linkPicture_.get()));
    handCursor_ = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_HAND_POINTER));
    controls_.Collect(hWnd(), font_);
}

void FrmMain::Form_Load() {
    FixThemeSupport(controls_.List());
    pb1_ = std::make_unique<cProgressBar>();
    ConfigureProgressBar(*pb1_, picture1_, font_.get());
}

void FrmMain::Picture1_Paint() {
    if (pb1_) pb1_->Draw();
}

void FrmMain::OnCommand(int id, int code) {
    if (id == IDM_NETWORK_STACK) OpenNetworkStack();
    if (id == IDC_COMMAND1 && code == BN_CLICKED) Command1_Click();
    if ((id == IDC_LABEL4 || id == IDC_IMAGE2) && code == STN_CLICKED) Link_Click();
}

void FrmMain::Command1_Click() {
    ServiceScan(*log_, *pb1_, Control(IDC_LIST1), Control(IDC_CHECK1)).Run();
}

void FrmMain::Link_Click() {
    ShellExecuteA(hWnd(), "Open", ToAnsi(kMakerPage).c_str(), "", "", SW_SHOWNORMAL);
}

LRESULT FrmMain::OnCtlColorStatic(HDC hdc, HWND control) {
    // The output box is read-only; it keeps the look of a box that holds text.
    const int background = control == Control(IDC_TEXT1) ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(hdc, GetSysColor(control == Control(IDC_LABEL4) ? COLOR_HIGHLIGHT : COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

bool FrmMain::OnSetCursor(HWND under) {
    if (!handCursor_ || (under != Control(IDC_LABEL4) && under != Control(IDC_IMAGE2))) return false;
    SetCursor(handCursor_);
    return true;
}

void FrmMain::OnClose() {
    // Closing the window ends the program at once, also in the middle of a scan.
    ExitProcess(0);
}

void FrmMain::AddToLogs(const std::wstring& sMsg) {
    log_->AddToLogs(sMsg);
}
