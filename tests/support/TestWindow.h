#pragma once

#include <windows.h>

#include <string>

// A window's text.
std::wstring WindowText(HWND window);

// A visible window of a teal background for the test's controls, the child of one active
// top-level window that the program shares (Wine takes seconds to destroy an active one).
class TestWindow {
public:
    static constexpr COLORREF kBackground = RGB(0, 128, 128);

    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hWnd() const noexcept { return hwnd_; }
    // A visible child window at (x, y) in the client area.
    HWND AddChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
                  int height) const;

private:
    HWND hwnd_ = nullptr;
};
