#include "TestWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarkTestWindow";

// Made once, active for the whole program, ended with the process.
HWND Host() {
    static const HWND host = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        // Owned by the class for the life of the process.
        windowClass.hbrBackground = CreateSolidBrush(TestWindow::kBackground);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);
        const HWND window = CreateWindowExW(0, kClassName, L"tests", WS_POPUP | WS_VISIBLE, 200, 200, 320, 200, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(window);
        return window;
    }();
    return host;
}

}  // namespace

TestWindow::TestWindow() {
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"test", WS_CHILD | WS_VISIBLE, 0, 0, 320, 200, Host(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
}

TestWindow::~TestWindow() {
    DestroyWindow(hwnd_);
    PumpMessages();
}

HWND TestWindow::AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
                          int height) const {
    return CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void PumpMessages(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (milliseconds) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done() && GetTickCount64() < end) PumpMessages(10);
    return done();
}
