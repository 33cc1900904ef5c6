#pragma once

#include <windows.h>

#include <functional>

// A visible window of the test's own class, with a solid teal background
// that its children's corners can show; destroyed with its children when the
// test ends. It lives in one active top-level window that the whole program
// shares (under Wine, destroying an active top-level window takes seconds).
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

// Handles every waiting message; with a time, keeps doing so until it is up
// (timers, hover notices).
void PumpMessages(DWORD milliseconds = 0);

// Handles messages until done() answers true or the time is up; answers
// done() at the end.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);
