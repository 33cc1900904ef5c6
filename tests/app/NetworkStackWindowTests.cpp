// The network stack window, as its user meets it: over a made-up machine as
// HKEY_LOCAL_MACHINE, read back with list-view messages, the clipboard and
// the files it saves, beside the command-line program's output.
#include <windows.h>

#include <commctrl.h>
#include <process.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <thread>

#include "BuiltProgram.h"
#include "FrmMain.h"
#include "MessagePump.h"
#include "NetworkStackWindow.h"
#include "ScratchFolder.h"
#include "ScratchKey.h"
#include "SystemKeyWriter.h"
#include "TestWindow.h"

namespace {

using namespace std::chrono_literals;

// A machine named ACME-PC with one third-party service, one of Windows' own
// and a Winsock catalog entry without its item (an error line).
constexpr char kMachine[] = R"([ControlSet001\Control\ComputerName\ActiveComputerName]
ComputerName=sz:ACME-PC
[ControlSet001\Services\Acme]
Group=sz:NDIS
ImagePath=sz:C:\Program Files\Acme\acme.sys
DisplayName=sz:Acme Filter
[ControlSet001\Services\Tcpip]
Group=sz:PNP_TDI
ImagePath=expand:System32\drivers\tcpip.sys
[ControlSet001\Services\WinSock2\Parameters\Protocol_Catalog9\Catalog_Entries\000000000001]
)";
constexpr wchar_t kHeader[] = L"Block\tMark\tName\tPath / DLL\tProvider / service\tInstalled\tVendor\tLast write\r\n";
constexpr wchar_t kAcme[] = L"services\t3p\tAcme Filter\tC:\\Program Files\\Acme\\acme.sys\tAcme\t\t\t{time}\r\n";
constexpr wchar_t kTcpip[] = L"services\tos\tTcpip\tSystem32\\drivers\\tcpip.sys\tTcpip\t\t\t{time}\r\n";
constexpr wchar_t kCatalogError[] =
    L"winsock-protocols\terror\tno PackedCatalogItem (REG_BINARY)\t"
    L"Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries\\000000000001\t\t\t\t\r\n";

// A key's last write is when the test wrote it.
std::wstring WithoutTimes(const std::wstring& text) {
    return std::regex_replace(text, std::wregex(LR"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)"), L"{time}");
}

template <typename Condition>
bool PumpUntil(Condition condition) {
    for (const auto until = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < until;) {
        DoEvents();
        if (condition()) return true;
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

// A key as the user presses it (the shortcut tables read the Ctrl key's state).
void Press(HWND target, UINT key, bool control = false) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    DoEvents();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

std::wstring Clipboard() {
    if (!OpenClipboard(nullptr)) return L"(closed)";
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"(empty)";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return WithoutTimes(text);
}

// A read that runs until it is stopped, on a thread the test can watch.
struct EndlessRead {
    struct State {
        UniqueKernelHandle thread;  // set before calls counts the read
        std::atomic<int> calls{0};
    };
    std::shared_ptr<State> state = std::make_shared<State>();

    inventory::Report operator()(const inventory::Source&, const inventory::InventoryProgress& progress) const {
        HANDLE thread = nullptr;
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0);
        state->thread.reset(thread);
        ++state->calls;
        for (;;) {
            progress(0, 11);
            std::this_thread::sleep_for(5ms);
        }
    }
};

// The window over the made-up machine as HKEY_LOCAL_MACHINE, or over the
// machine the command-line program reads too, or none yet.
enum class Opened { kMadeUp, kThisMachine, kNoWindow };
struct Harness {
    explicit Harness(Opened setup) {
        if (setup == Opened::kMadeUp) {
            inventory::tools::WriteSystemKeys(scratch.get(), inventory::tools::ParseRegText(kMachine), true);
            machineRoot.emplace(HKEY_LOCAL_MACHINE, scratch.get());
        }
        if (setup == Opened::kNoWindow) return;
        window = NetworkStackWindow::Create(GetModuleHandleW(nullptr), {});
        WaitForRead();
    }
    ~Harness() {
        window.reset();
        DoEvents();
    }

    void WaitForRead() const {
        EXPECT_TRUE(window && PumpUntil([&] { return !window->Reading() && Status().rfind(L"Reading", 0) != 0; }));
    }
    HWND Control(int id) const { return window->Control(id); }
    std::wstring Status() const { return WindowText(Control(IDC_NS_STATUS)); }
    void Click(int id) const {
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        DoEvents();
    }
    void Select(std::initializer_list<int> rows, UINT state = LVIS_SELECTED) const {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Control(IDC_NS_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
        item.state = state;
        for (const int row : rows)
            SendMessageW(Control(IDC_NS_LIST), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // The list view's rows as tab-separated lines, read back cell by cell.
    std::wstring Rows() const {
        std::wstring rows;
        for (LRESULT row = 0; row < SendMessageW(Control(IDC_NS_LIST), LVM_GETITEMCOUNT, 0, 0); ++row) {
            for (int column = 0; column < 8; ++column) {
                wchar_t cell[512] = {};
                LVITEMW item{};
                item.iSubItem = column;
                item.pszText = cell;
                item.cchTextMax = 512;
                SendMessageW(Control(IDC_NS_LIST), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
                rows += (column ? L"\t" : L"") + std::wstring(cell);
            }
            rows += L"\r\n";
        }
        return WithoutTimes(rows);
    }

    ScratchKey scratch;
    std::optional<RootOverride> machineRoot;
    ScratchFolder folder;
    std::unique_ptr<NetworkStackWindow> window;
};

TEST(NetworkStackWindowUse, ShowsCopiesSavesAndReadsAsItsUserAsks) {
    const std::wstring keptRows = L". The list still shows ACME-PC.";
    using enum Opened;
    const struct {
        const char* what;
        Opened setup;
        std::function<std::wstring(Harness&)> act;
        std::wstring expected;
    } rows[] = {
        {"the rows: the text view's entries and the error line, drawn red", kMadeUp,
         [](Harness& t) {
             std::wstring shown = WindowText(t.Control(IDC_NS_SUMMARY)) + L"\r\n" +
                                  WindowText(t.Control(IDC_NS_VERDICTS)) + L"\r\n" + t.Rows() + L"red:";
             for (DWORD_PTR row = 0; row < 2; ++row) {
                 NMLVCUSTOMDRAW draw{};
                 draw.nmcd.hdr = {t.Control(IDC_NS_LIST), IDC_NS_LIST, static_cast<UINT>(NM_CUSTOMDRAW)};
                 draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
                 draw.nmcd.dwItemSpec = row;
                 SendMessageW(t.window->hWnd(), WM_NOTIFY, IDC_NS_LIST, reinterpret_cast<LPARAM>(&draw));
                 shown += draw.clrText == RGB(192, 0, 0) ? L" yes" : L" no";
             }
             return shown;
         },
         std::wstring(L"ACME-PC: 1 third-party; 1 unreadable\r\n"
                      L"No sign of a silenced security agent in the stored configuration\r\n") +
             kAcme + kCatalogError + L"red: no yes"},
        {"Tab walks Computer, Refresh, the box, the list, Copy, Save as...; the focus outlives a deactivation", kMadeUp,
         [](Harness& t) {
             SetFocus(t.Control(IDC_NS_MACHINE));
             std::wstring walk;
             for (int i = 0; i < 7; ++i) {
                 walk += std::to_wstring(GetDlgCtrlID(GetFocus())) + L" ";
                 Press(GetFocus(), VK_TAB);
             }
             SendMessageW(t.window->hWnd(), WM_ACTIVATE, WA_INACTIVE, 0);
             SetFocus(nullptr);
             SendMessageW(t.window->hWnd(), WM_ACTIVATE, WA_ACTIVE, 0);
             return walk + L"then " + std::to_wstring(GetDlgCtrlID(GetFocus()));
         },
         L"202 203 204 208 209 210 202 then 203"},
        {"shrunk, it keeps its minimum size; the list takes what the window gains", kMadeUp,
         [](Harness& t) {
             RECT client[2]{}, list[2]{};
             for (const int i : {0, 1}) {
                 SetWindowPos(t.window->hWnd(), nullptr, 0, 0, 100 + 1200 * i, 100 + 700 * i,
                              SWP_NOMOVE | SWP_NOZORDER);
                 GetClientRect(t.window->hWnd(), &client[i]);
                 GetWindowRect(t.Control(IDC_NS_LIST), &list[i]);
                 OffsetRect(&list[i], -list[i].left, -list[i].top);
             }
             return std::to_wstring(client[0].right) + L"x" + std::to_wstring(client[0].bottom) +
                    L", the list grows by " +
                    std::to_wstring(list[1].right - list[0].right - (client[1].right - client[0].right)) + L"x" +
                    std::to_wstring(list[1].bottom - list[0].bottom - (client[1].bottom - client[0].bottom));
         },
         L"620x320, the list grows by 0x0"},
        {"Ctrl+C copies the selected rows, Copy (by Enter) all when none is, Enter on a row that row", kMadeUp,
         [](Harness& t) {
             t.Click(IDC_NS_ALL);
             t.Select({0, 2});
             Press(t.Control(IDC_NS_LIST), 'C', true);
             std::wstring copied = Clipboard();
             t.Select({});
             SetFocus(t.Control(IDC_NS_COPY));
             Press(t.Control(IDC_NS_COPY), VK_RETURN);
             copied += Clipboard();
             t.Select({1}, LVIS_FOCUSED);
             SetFocus(t.Control(IDC_NS_LIST));
             Press(t.Control(IDC_NS_LIST), VK_RETURN);
             return copied + Clipboard();
         },
         kHeader + std::wstring(kAcme) + kCatalogError + kHeader + kAcme + kTcpip + kCatalogError + kHeader + kTcpip},
        {"a header click sorts by its column, a second one the other way", kMadeUp,
         [](Harness& t) {
             t.Click(IDC_NS_ALL);
             NMLISTVIEW click{};
             click.hdr = {t.Control(IDC_NS_LIST), IDC_NS_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
             click.iSubItem = InventoryTable::kName;
             std::wstring sorted;
             for (int i = 0; i < 2; ++i) {
                 SendMessageW(t.window->hWnd(), WM_NOTIFY, IDC_NS_LIST, reinterpret_cast<LPARAM>(&click));
                 sorted += t.Rows();
             }
             return sorted;
         },
         kAcme + std::wstring(kCatalogError) + kTcpip + kTcpip + kCatalogError + kAcme},
        {"an unreachable machine (by Enter in the box) and a name the code page cannot hold (by Refresh): why, and "
         "the rows kept",
         kMadeUp,
         [](Harness& t) {
             std::wstring said;
             for (const wchar_t* name : {L"no-such-machine.invalid", L"\u03a9mega"}) {
                 SetWindowTextW(t.Control(IDC_NS_MACHINE), name);
                 SetFocus(t.Control(IDC_NS_MACHINE));
                 if (name[0] == L'n')
                     Press(t.Control(IDC_NS_MACHINE), VK_RETURN);
                 else
                     t.Click(IDC_NS_REFRESH);
                 t.WaitForRead();
                 said += t.Status() + L"\r\n";
             }
             return std::regex_replace(said, std::wregex(L"registry: [^.]*"), L"registry: (why)") + t.Rows();
         },
         L"no-such-machine.invalid: cannot connect to its registry: (why)" + keptRows +
             L"\r\n\u03a9mega: cannot connect: the name holds characters this system's code page (1252) cannot "
             L"hold" +
             keptRows + L"\r\n" + kAcme + kCatalogError},
        {"Save writes what the command-line program writes for this machine, in each format", kThisMachine,
         [](Harness& t) {
             t.Click(IDC_NS_ALL);
             std::wstring differences;
             using enum inventory::Format;
             for (const auto& [format, arguments] : {std::pair{kText, L"--all"}, std::pair{kTsv, L"--format tsv"},
                                                     std::pair{kJsonl, L"--format jsonl"}}) {
                 const std::string written = RunBuiltProgram(L"quillmark-inventory.exe", arguments).out;
                 if (!t.window->SaveAs(t.folder.File(L"saved"), format) || written.empty() ||
                     t.folder.ReadBytes(L"saved") != written)
                     differences += std::wstring(arguments) + L" differs; ";
             }
             return differences;
         },
         L""},
        {"saving where nothing can be written says so and keeps the rows", kMadeUp,
         [](Harness& t) {
             const std::wstring file = t.folder.File(L"no such folder\\x.txt");
             const bool saved = t.window->SaveAs(file, inventory::Format::kTsv);
             return std::to_wstring(saved) + std::to_wstring(t.Status().rfind(L"Could not save " + file + L": ", 0)) +
                    L"\r\n" + t.Rows();
         },
         L"00\r\n" + std::wstring(kAcme) + kCatalogError},
        {"a second Refresh starts no second read; closing mid-read ends the reader's thread", kNoWindow,
         [](Harness& t) {
             EndlessRead read;
             NetworkStackWindow::Options options;
             options.read = read;
             t.window = NetworkStackWindow::Create(GetModuleHandleW(nullptr), std::move(options));
             PumpUntil([&] { return read.state->calls > 0; });
             t.Click(IDC_NS_REFRESH);
             RECT bar{};
             GetClientRect(t.Control(IDC_NS_PROGRESS), &bar);
             const bool barShown = IsWindowVisible(t.Control(IDC_NS_PROGRESS)) && bar.right > 0 && bar.bottom > 0;
             SendMessageW(t.window->hWnd(), WM_CLOSE, 0, 0);
             const bool ended = WaitForSingleObject(read.state->thread.get(), 0) == WAIT_OBJECT_0;
             return std::to_wstring(read.state->calls) + L" read, bar shown " + std::to_wstring(barShown) +
                    L", thread ended " + std::to_wstring(ended) + L", window gone " +
                    std::to_wstring(t.window->hWnd() == nullptr);
         },
         L"1 read, bar shown 1, thread ended 1, window gone 1"},
        {"the main window's system menu item and Ctrl+N open the window", kNoWindow,
         [](Harness& t) {
             const auto form = FrmMain::Create(GetModuleHandleW(nullptr), t.folder.Path());
             wchar_t item[64] = {};
             GetMenuStringW(GetSystemMenu(form->hWnd(), FALSE), IDM_NETWORK_STACK, item, 64, MF_BYCOMMAND);
             std::wstring opened = item;
             for (const bool shortcut : {false, true}) {
                 if (shortcut)
                     Press(form->hWnd(), 'N', true);
                 else
                     PostMessageW(form->hWnd(), WM_SYSCOMMAND, IDM_NETWORK_STACK, 0);
                 opened += L", " + std::to_wstring(
                                       PumpUntil([] { return FindWindowW(nullptr, NetworkStackWindow::kCaption); }));
                 SendMessageW(FindWindowW(nullptr, NetworkStackWindow::kCaption), WM_CLOSE, 0, 0);
             }
             return opened;
         },
         L"Net&work stack...\tCtrl+N, 1, 1"},
        {"/inventory opens the window alone; closing it ends the program", kNoWindow,
         [](Harness&) {
             const UniqueKernelHandle process(reinterpret_cast<HANDLE>(_wspawnl(
                 _P_NOWAIT, BuiltProgramPath(L"quillmark.exe").c_str(), L"quillmark", L"/inventory", nullptr)));
             HWND found = nullptr;
             PumpUntil([&] {
                 found = FindWindowW(nullptr, NetworkStackWindow::kCaption);
                 DWORD owner = 0;
                 GetWindowThreadProcessId(found, &owner);
                 return owner == GetProcessId(process.get());
             });
             const bool mainWindow = FindWindowW(nullptr, FrmMain::kCaption) != nullptr;
             PostMessageW(found, WM_CLOSE, 0, 0);
             DWORD exitCode = 1;
             const bool ended = WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0 &&
                                GetExitCodeProcess(process.get(), &exitCode);
             return L"window " + std::to_wstring(found != nullptr) + L", main window " + std::to_wstring(mainWindow) +
                    L", ended " + std::to_wstring(ended) + L" with " + std::to_wstring(exitCode);
         },
         L"window 1, main window 0, ended 1 with 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Harness harness(row.setup);
        EXPECT_EQ(row.expected, row.act(harness));
    }
}

}  // namespace
