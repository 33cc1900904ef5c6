// Drives a running Quillmark from outside, as any client would: finds its
// window by caption, presses Start with a window message, waits for the
// report to end and prints the window's place on the screen. With "close"
// it then closes the window.
//   scan_driver [tick] [close]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "resource.h"

namespace {

constexpr wchar_t kCaption[] = L"Quillmark - By Morvane";
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

}  // namespace

int main(int argc, char** argv) {
    bool tick = false, close = false;
    for (int i = 1; i < argc; ++i) {
        tick |= std::string_view(argv[i]) == "tick";
        close |= std::string_view(argv[i]) == "close";
    }
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = FindWindowW(nullptr, kCaption)) && IsWindowVisible(window); }, 60)) {
        std::fprintf(stderr, "scan_driver: no window captioned Quillmark - By Morvane\n");
        return 1;
    }
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
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fflush(stdout);
    if (close) PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}
