#include "TestWindow.h"

#include "MessagePump.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarkTestWindow";

// Made once, active for the whole program, ended with the process.
HWND Host() {
    static const HWND host = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hbrBackground = CreateSolidBrush(TestWindow::kBackground);  // the class's for good
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);
        const HWND window = CreateWindowExW(0, kClassName, L"tests", WS_POPUP | WS_VISIBLE, 200, 200, 320, 200, nullptr,
                                            nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        return window;
    }();
    return host;
}

}  // namespace

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

TestWindow::TestWindow()
    : hwnd_(CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"test", WS_CHILD | WS_VISIBLE, 0, 0, 320, 200, Host(),
                            nullptr, nullptr, nullptr)) {
    DoEvents();
}

TestWindow::~TestWindow() {
    DestroyWindow(hwnd_);
    DoEvents();
}

HWND TestWindow::AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
                          int height) const {
    return CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_, nullptr,
                           nullptr, nullptr);
}
