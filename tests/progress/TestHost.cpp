#include "TestHost.h"

TestHost::TestHost(int width, int height, Window window) : surface(width, height) {
    if (window == Window::kPresent)
        hwnd_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr);
}

TestHost::~TestHost() {
    if (hwnd_) DestroyWindow(hwnd_);
}
