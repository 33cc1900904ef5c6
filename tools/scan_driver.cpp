// Drives a running Quillmark from outside, as any client would: finds its
// window by caption, presses Start with a window message, waits for the
// report to end and prints the window's place on the screen. With "close"
// it then closes the window. With "inventory" it waits instead for the
// network stack window (quillmark.exe /inventory) to end its first reading.
//   scan_driver [tick] [close]
//   scan_driver inventory [close]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "resource.h"

namespace {

constexpr wchar_t kCaption[] = L"Quillmark - By Morvane";
constexpr wchar_t kNetworkStackCaption[] = L"Quillmark - Network stack";
constexpr std::wstring_view kLastLines =
    L"Done, Scan Complete.\r\n''''''''''''''''''''''''''''''''''''''''''''''''''''''''";

std::wstring RemoteText(HWND window) {
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

template <typename Condition>
bool WaitFor(Condition condition, int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The place of the window on the screen, for the screenshot.
void PrintPlace(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
}

HWND WaitForWindow(const wchar_t* caption) {
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = FindWindowW(nullptr, caption)) && IsWindowVisible(window); }, 60)) {
        std::fprintf(stderr, "scan_driver: no window captioned %ls\n", caption);
        return nullptr;
    }
    return window;
}

// A reading has ended when the bar is gone and the status line says how it went.
int WaitForInventory(bool close) {
    HWND window = WaitForWindow(kNetworkStackCaption);
    if (!window) return 1;
    const bool read = WaitFor(
        [&] {
            const std::wstring status = RemoteText(GetDlgItem(window, IDC_NS_STATUS));
            return !IsWindowVisible(GetDlgItem(window, IDC_NS_PROGRESS)) && !status.empty() &&
                   !status.starts_with(L"Reading");
        },
        120);
    if (!read) {
        std::fprintf(stderr, "scan_driver: the network stack window did not end its reading\n");
        return 1;
    }
    // The list repaints after the status line has changed.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    PrintPlace(window);
    if (close) PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool tick = false, close = false, inventory = false;
    for (int i = 1; i < argc; ++i) {
        tick |= std::string_view(argv[i]) == "tick";
        close |= std::string_view(argv[i]) == "close";
        inventory |= std::string_view(argv[i]) == "inventory";
    }
    if (inventory) return WaitForInventory(close);
    HWND window = WaitForWindow(kCaption);
    if (!window) return 1;
    if (tick) SendMessageW(GetDlgItem(window, IDC_CHECK1), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_COMMAND1)));
    HWND output = GetDlgItem(window, IDC_TEXT1);
    const bool done = WaitFor(
        [&] {
            const std::wstring text = RemoteText(output);
            return text.size() >= kLastLines.size() && std::wstring_view(text).ends_with(kLastLines);
        },
        120);
    if (!done) {
        std::fprintf(stderr, "scan_driver: the scan did not finish\n");
        return 1;
    }
    PrintPlace(window);
    if (close) PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}
