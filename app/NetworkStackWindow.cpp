#include "NetworkStackWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "DCGuards.h"
#include "Escape.h"
#include "LiveRegistry.h"
#include "OleObjects.h"
#include "Presentation.h"
#include "ProgressBarSettings.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarkNetworkStackWindow";
constexpr UINT kProgressMessage = WM_APP + 1;  // wParam blocks read, lParam blocks in all
constexpr UINT kReadDoneMessage = WM_APP + 2;

constexpr int kMarginPx = 8;
constexpr int kGapPx = 6;
constexpr int kRowHeightPx = 24;
constexpr int kLabelWidthPx = 64;
constexpr int kMachineWidthPx = 220;
constexpr int kButtonWidthPx = 88;
constexpr int kCheckWidthPx = 200;
constexpr int kProgressWidthPx = 160;
constexpr int kProgressHeightPx = 14;
constexpr int kMaxVerdictLines = 4;
constexpr int kClientWidthPx = 1040;
constexpr int kClientHeightPx = 540;
constexpr int kMinClientWidthPx = 620;
constexpr int kMinClientHeightPx = 320;
constexpr COLORREF kAlarmColour = RGB(192, 0, 0);

constexpr wchar_t kNoVerdicts[] = L"No sign of a silenced security agent in the stored configuration";
constexpr wchar_t kLimits[] =
    L"The registry cannot show WFP filters added without the persistent flag, blocks on an agent's cloud addresses "
    L"without a program condition, firewall rules and profile settings pushed by Group Policy, or rules the running "
    L"firewall holds without storing them: an empty list is no proof of a clean machine.";

struct ColumnLayout {
    InventoryTable::Column column;
    int widthPx;
};
constexpr std::array<ColumnLayout, InventoryTable::kColumnCount> kColumns{{
    {InventoryTable::kBlock, 110},
    {InventoryTable::kMark, 40},
    {InventoryTable::kName, 230},
    {InventoryTable::kPath, 190},
    {InventoryTable::kProvider, 120},
    {InventoryTable::kInstalled, 115},
    {InventoryTable::kVendor, 105},
    {InventoryTable::kLastWrite, 115},
}};

constexpr std::array<ACCEL, 4> kShortcuts{{
    {FVIRTKEY | FCONTROL, 'C', IDC_NS_COPY},
    {FVIRTKEY | FCONTROL, 'S', IDC_NS_SAVE},
    {FVIRTKEY, VK_F5, IDC_NS_REFRESH},
    {FVIRTKEY, VK_ESCAPE, IDCANCEL},
}};

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring Shown(std::string_view text) {
    return inventory::Widen(inventory::EscapeField(text));
}

// The machine a user typed, without the spaces around it and the
// backslashes of a UNC name before it.
std::wstring MachineName(const std::wstring& typed) {
    const std::size_t begin = typed.find_first_not_of(L" \t\\");
    const std::size_t end = typed.find_last_not_of(L" \t");
    return begin == std::wstring::npos ? std::wstring() : typed.substr(begin, end - begin + 1);
}

class OpenClipboardGuard {
public:
    explicit OpenClipboardGuard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardGuard() {
        if (open_) CloseClipboard();
    }
    OpenClipboardGuard(const OpenClipboardGuard&) = delete;
    OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;

    explicit operator bool() const noexcept { return open_; }

private:
    bool open_;
};

bool PutOnClipboard(HWND owner, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    void* locked = GlobalLock(memory.get());
    if (!locked) return false;
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    const OpenClipboardGuard clipboard(owner);
    if (!clipboard || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard's now
    return true;
}

UniqueFont MessageFont(LONG weight) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
    metrics.lfMessageFont.lfWeight = weight;
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace

NetworkStackWindow::NetworkStackWindow(Options options) : options_(std::move(options)) {}

// The reader's thread ends first: it posts to the window.
NetworkStackWindow::~NetworkStackWindow() {
    reader_.reset();
    DestroyHandle();
}

std::unique_ptr<NetworkStackWindow> NetworkStackWindow::Create(HINSTANCE instance, Options options) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    std::unique_ptr<NetworkStackWindow> window(new NetworkStackWindow(std::move(options)));
    WNDCLASSEXW windowClass{};
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUILLMARK));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLMARK), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassOnce(instance, windowClass);

    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    constexpr DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidthPx, kClientHeightPx};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    if (!window->CreateHandle(exStyle, kClassName, kCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance))
        return nullptr;
    ShowWindow(window->hWnd(), SW_SHOWNORMAL);
    UpdateWindow(window->hWnd());
    SetFocus(window->Control(IDC_NS_LIST));
    window->Refresh();
    return window;
}

LRESULT NetworkStackWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETMINMAXINFO:
            OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            focus_.OnActivate(hWnd(), LOWORD(wParam) != WA_INACTIVE, Control(IDC_NS_LIST));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case kProgressMessage:
            OnProgress(wParam, static_cast<std::size_t>(lParam));
            return 0;
        case kReadDoneMessage:
            OnReadDone();
            return 0;
    }
    return DefaultHandling(msg, wParam, lParam);
}

// A failure here fails the window's creation.
void NetworkStackWindow::OnCreate() {
    font_ = MessageFont(FW_NORMAL);
    boldFont_ = MessageFont(FW_BOLD);
    {
        const WindowDC dc(hWnd());
        const SelectionGuard selected(dc.get(), font_.get());
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc.get(), &metrics)) lineHeightPx_ = metrics.tmHeight;
    }
    CreateControls();
    barFont_ = CreateOleFont(L"Verdana", 6.75, FW_BOLD);
    bar_ = std::make_unique<cProgressBar>();
    ConfigureProgressBar(*bar_, progressBox_, barFont_.get());
    reader_ = std::make_unique<InventoryReader>(options_.read, hWnd(), kProgressMessage, kReadDoneMessage);
    accelerators_.Install(hWnd(), kShortcuts);
    SetStatus(L"", false);
    Layout();
}

void NetworkStackWindow::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hWnd(), GWLP_HINSTANCE));
    struct NewControl {
        int id;
        const wchar_t* windowClass;
        const wchar_t* text;
        DWORD style;
        DWORD exStyle;
    };
    // In tab order: creation order is the order the keyboard walks.
    const NewControl controls[] = {
        {IDC_NS_MACHINE_LABEL, L"STATIC", L"&Computer:", SS_LEFT | SS_CENTERIMAGE, 0},
        {IDC_NS_MACHINE, L"EDIT", options_.machine.c_str(), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {IDC_NS_REFRESH, L"BUTTON", L"&Refresh", BS_PUSHBUTTON | WS_TABSTOP, 0},
        {IDC_NS_ALL, L"BUTTON", L"Show &Windows' own entries", BS_AUTOCHECKBOX | WS_TABSTOP, 0},
        {IDC_NS_SUMMARY, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0},
        {IDC_NS_VERDICTS, L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0},
        {IDC_NS_STATUS, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0},
        {IDC_NS_LIST, WC_LISTVIEWW, L"", LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, 0},
        {IDC_NS_COPY, L"BUTTON", L"C&opy", BS_PUSHBUTTON | WS_TABSTOP, 0},
        {IDC_NS_SAVE, L"BUTTON", L"&Save as...", BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    for (const NewControl& wanted : controls) {
        HWND control =
            CreateWindowExW(wanted.exStyle, wanted.windowClass, wanted.text, WS_CHILD | WS_VISIBLE | wanted.style, 0, 0,
                            0, 0, hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(wanted.id)), instance, nullptr);
        if (!control) throw std::runtime_error("cannot create the network stack window's controls");
        const HFONT font = wanted.id == IDC_NS_SUMMARY ? boldFont_.get() : font_.get();
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // The bar's host shows while a read runs.
    progressBox_.Create(hWnd(), IDC_NS_PROGRESS, 0, 0, 0, 0, 0);
    progressBox_.Paint = [this] {
        if (bar_) bar_->Draw();
    };
    ShowWindow(progressBox_.hWnd(), SW_HIDE);

    const HWND list = Control(IDC_NS_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (const ColumnLayout& layout : kColumns) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(InventoryTable::Title(layout.column));
        column.cx = layout.widthPx;
        column.iSubItem = static_cast<int>(layout.column);
        SendMessageW(list, LVM_INSERTCOLUMNW, layout.column, reinterpret_cast<LPARAM>(&column));
    }

    // What the verdicts cannot show, over them; the tooltip is the window's
    // own and goes with it.
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd(), nullptr, instance, nullptr);
    if (tooltip) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hWnd();
        tool.uId = reinterpret_cast<UINT_PTR>(Control(IDC_NS_VERDICTS));
        tool.lpszText = const_cast<wchar_t*>(kLimits);
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 420);
    }
}

void NetworkStackWindow::Layout() {
    RECT client{};
    GetClientRect(hWnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const auto place = [&](int id, int x, int y, int w, int h) {
        MoveWindow(Control(id), x, y, std::max(w, 0), std::max(h, 0), TRUE);
    };
    int y = kMarginPx;
    int x = kMarginPx;
    place(IDC_NS_MACHINE_LABEL, x, y, kLabelWidthPx, kRowHeightPx);
    x += kLabelWidthPx;
    place(IDC_NS_MACHINE, x, y, kMachineWidthPx, kRowHeightPx);
    x += kMachineWidthPx + kGapPx;
    place(IDC_NS_REFRESH, x, y, kButtonWidthPx, kRowHeightPx);
    x += kButtonWidthPx + 2 * kGapPx;
    place(IDC_NS_ALL, x, y, kCheckWidthPx, kRowHeightPx);
    y += kRowHeightPx + kGapPx;

    const int fullWidth = width - 2 * kMarginPx;
    place(IDC_NS_SUMMARY, kMarginPx, y, fullWidth, lineHeightPx_ + 2);
    y += lineHeightPx_ + 2 + kGapPx / 2;
    const int verdictHeight = verdictLines_ * lineHeightPx_ + 4;
    place(IDC_NS_VERDICTS, kMarginPx, y, fullWidth, verdictHeight);
    y += verdictHeight + kGapPx / 2;

    // The bar, while a read runs, then what the window has to say.
    const int statusHeight = std::max(lineHeightPx_ + 2, kProgressHeightPx);
    int statusX = kMarginPx;
    if (Reading()) {
        MoveWindow(progressBox_.hWnd(), kMarginPx, y + (statusHeight - kProgressHeightPx) / 2, kProgressWidthPx,
                   kProgressHeightPx, TRUE);
        statusX += kProgressWidthPx + kGapPx;
    }
    place(IDC_NS_STATUS, statusX, y, width - kMarginPx - statusX, statusHeight);
    y += statusHeight + kGapPx;

    const int buttonsY = height - kMarginPx - kRowHeightPx;
    place(IDC_NS_LIST, kMarginPx, y, fullWidth, buttonsY - kGapPx - y);
    place(IDC_NS_SAVE, width - kMarginPx - kButtonWidthPx, buttonsY, kButtonWidthPx, kRowHeightPx);
    place(IDC_NS_COPY, width - kMarginPx - 2 * kButtonWidthPx - kGapPx, buttonsY, kButtonWidthPx, kRowHeightPx);
}

void NetworkStackWindow::OnMinMaxInfo(MINMAXINFO& info) const {
    RECT frame{0, 0, kMinClientWidthPx, kMinClientHeightPx};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_EXSTYLE)));
    info.ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
}

void NetworkStackWindow::Refresh() {
    if (!reader_ || reader_->Reading()) return;
    const std::wstring machine = MachineName(WindowText(Control(IDC_NS_MACHINE)));
    inventory::Source source;
    if (!machine.empty()) source = {inventory::Source::Kind::kRemote, inventory::Narrow(machine)};
    if (!reader_->Start(std::move(source))) return;
    bar_->SetMax(1);
    bar_->SetValue(0);
    ShowWindow(progressBox_.hWnd(), SW_SHOWNA);
    SetStatus(L"Reading " + (machine.empty() ? std::wstring(L"this computer") : machine) + L"...", false);
    Layout();
}

void NetworkStackWindow::OnProgress(std::size_t done, std::size_t total) {
    if (!bar_ || total == 0) return;
    bar_->SetMax(static_cast<std::int32_t>(total));
    bar_->SetValue(static_cast<std::int32_t>(std::min(done, total)));
}

void NetworkStackWindow::OnReadDone() {
    std::optional<InventoryReader::Result> result = reader_->TakeResult();
    if (!result) return;
    ShowWindow(progressBox_.hWnd(), SW_HIDE);
    if (result->report) {
        report_ = std::move(result->report);
        ShowReport();
        wchar_t time[64] = L"";
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 64);
        SetStatus(L"Read at " + std::wstring(time), false);
    } else {
        std::wstring text = Shown(result->name) + L": " + Shown(result->failure) + L".";
        if (report_) text += L" The list still shows " + Shown(report_->hive) + L".";
        SetStatus(text, true);
    }
    Layout();
}

void NetworkStackWindow::ShowReport() {
    const bool all = SendMessageW(Control(IDC_NS_ALL), BM_GETCHECK, 0, 0) == BST_CHECKED;
    table_.Fill(*report_, all);
    const HWND list = Control(IDC_NS_LIST);
    SendMessageW(list, LVM_SETITEMCOUNT, table_.Size(), 0);
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    InvalidateRect(list, nullptr, TRUE);

    SetWindowTextW(Control(IDC_NS_SUMMARY),
                   (Shown(report_->hive) + L": " + inventory::Widen(inventory::SummaryText(*report_))).c_str());
    const std::vector<std::string> verdicts = inventory::VerdictSentences(*report_);
    std::wstring text;
    for (const std::string& verdict : verdicts) text += (text.empty() ? L"" : L"\r\n") + Shown(verdict);
    verdictsFound_ = !verdicts.empty();
    verdictLines_ = std::clamp(static_cast<int>(verdicts.size()), 1, kMaxVerdictLines);
    ShowScrollBar(Control(IDC_NS_VERDICTS), SB_VERT, static_cast<int>(verdicts.size()) > kMaxVerdictLines);
    SetWindowTextW(Control(IDC_NS_VERDICTS), verdictsFound_ ? text.c_str() : kNoVerdicts);
}

void NetworkStackWindow::SetStatus(const std::wstring& text, bool failure) {
    statusIsFailure_ = failure;
    SetWindowTextW(Control(IDC_NS_STATUS), text.c_str());
}

void NetworkStackWindow::OnCommand(int id, int code) {
    // Buttons notify BN_CLICKED (0), shortcuts 1.
    if (code != BN_CLICKED && code != 1) return;
    switch (id) {
        case IDC_NS_REFRESH:
            Refresh();
            break;
        case IDC_NS_ALL:
            if (report_) ShowReport();
            break;
        case IDC_NS_COPY: {
            // In a box of text, the keys copy its text.
            const HWND focus = GetFocus();
            if (focus == Control(IDC_NS_MACHINE) || focus == Control(IDC_NS_VERDICTS))
                SendMessageW(focus, WM_COPY, 0, 0);
            else
                CopyRows(false);
            break;
        }
        case IDC_NS_SAVE:
            OnSaveCommand();
            break;
        case IDOK:
            OnEnter();
            break;
        case IDCANCEL:
            OnClose();
            break;
    }
}

// Enter, as a dialog passes it on: on a row it copies the row, in the box it
// reads the computer named, on a button it presses the button.
void NetworkStackWindow::OnEnter() {
    const HWND focus = GetFocus();
    if (focus == Control(IDC_NS_LIST)) {
        CopyRows(true);
    } else if (focus == Control(IDC_NS_MACHINE)) {
        Refresh();
    } else if (focus == Control(IDC_NS_REFRESH) || focus == Control(IDC_NS_COPY) || focus == Control(IDC_NS_SAVE)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
    }
}

LRESULT NetworkStackWindow::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_NS_LIST) return 0;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            const auto row = static_cast<std::size_t>(item.iItem);
            const auto column = static_cast<std::size_t>(item.iSubItem);
            if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0 && row < table_.Size() &&
                column < InventoryTable::kColumnCount)
                lstrcpynW(item.pszText, table_.Cell(row, column).c_str(), item.cchTextMax);
            return 0;
        }
        case LVN_COLUMNCLICK: {
            table_.SortBy(static_cast<std::size_t>(reinterpret_cast<NMLISTVIEW&>(header).iSubItem));
            const HWND list = Control(IDC_NS_LIST);
            LVITEMW none{};
            none.stateMask = LVIS_SELECTED;
            SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
            ShowSortArrows();
            InvalidateRect(list, nullptr, TRUE);
            return 0;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec < table_.Size() &&
                table_.IsError(draw.nmcd.dwItemSpec))
                draw.clrText = kAlarmColour;
            return CDRF_DODEFAULT;
        }
        case NM_RETURN:
            CopyRows(true);
            return 0;
    }
    return 0;
}

void NetworkStackWindow::ShowSortArrows() const {
    const HWND headerControl = reinterpret_cast<HWND>(SendMessageW(Control(IDC_NS_LIST), LVM_GETHEADER, 0, 0));
    for (std::size_t column = 0; column < InventoryTable::kColumnCount; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(headerControl, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == table_.SortColumn()) item.fmt |= table_.Ascending() ? HDF_SORTUP : HDF_SORTDOWN;
        SendMessageW(headerControl, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    }
}

void NetworkStackWindow::CopyRows(bool focusedOnly) {
    const HWND list = Control(IDC_NS_LIST);
    std::vector<std::size_t> rows;
    const UINT which = focusedOnly ? LVNI_FOCUSED : LVNI_SELECTED;
    for (auto item = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which); item >= 0;
         item = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), which)) {
        if (static_cast<std::size_t>(item) < table_.Size()) rows.push_back(static_cast<std::size_t>(item));
        if (focusedOnly) break;
    }
    if (focusedOnly && rows.empty()) return;
    if (rows.empty())
        for (std::size_t row = 0; row < table_.Size(); ++row) rows.push_back(row);
    if (!PutOnClipboard(hWnd(), table_.Tsv(rows))) SetStatus(L"The clipboard cannot be written just now.", true);
}

void NetworkStackWindow::OnSaveCommand() {
    static constexpr wchar_t kFilter[] =
        L"Text (*.txt)\0*.txt\0Tab-separated lines (*.tsv)\0*.tsv\0JSON lines (*.jsonl)\0*.jsonl\0";
    static constexpr std::array<inventory::Format, 3> kFormats{inventory::Format::kText, inventory::Format::kTsv,
                                                               inventory::Format::kJsonl};
    std::wstring file(32768, L'\0');
    constexpr wchar_t kSuggested[] = L"network-stack.txt";
    std::copy(std::begin(kSuggested), std::end(kSuggested), file.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hWnd();
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return;
    const std::size_t type = std::clamp<std::size_t>(dialog.nFilterIndex, 1, kFormats.size()) - 1;
    SaveAs(file.c_str(), kFormats.at(type));
}

bool NetworkStackWindow::SaveAs(const std::wstring& path, inventory::Format format) {
    if (!report_) {
        SetStatus(L"Nothing to save yet: no reading has ended.", true);
        return false;
    }
    inventory::RenderOptions options;
    options.format = format;
    options.all = SendMessageW(Control(IDC_NS_ALL), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const std::string bytes = inventory::RenderReport(*report_, options);
    const UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        const auto error = static_cast<LSTATUS>(GetLastError());
        SetStatus(L"Could not save " + path + L": " + inventory::Widen(inventory::SystemMessage(error)) + L".", true);
        return false;
    }
    SetStatus(L"Saved " + path, false);
    return true;
}

LRESULT NetworkStackWindow::OnCtlColorStatic(HDC hdc, HWND control) {
    const bool alarm = (control == Control(IDC_NS_VERDICTS) && verdictsFound_) ||
                       (control == Control(IDC_NS_STATUS) && statusIsFailure_);
    SetTextColor(hdc, alarm ? kAlarmColour : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// A read in progress is stopped at its next block (a remote call under way
// ends at its own time-out); the window goes at once.
void NetworkStackWindow::OnClose() {
    ShowWindow(hWnd(), SW_HIDE);
    if (reader_) reader_->Stop();
    const bool endsProgram = options_.endsProgram;
    DestroyHandle();
    if (endsProgram) PostQuitMessage(0);
}
