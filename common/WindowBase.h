#pragma once

#include <windows.h>

// The base of the program's window classes: one object per window. The
// object is the window's `this` from WM_NCCREATE (hWnd() is set there) to
// WM_NCDESTROY (hWnd() is cleared), and every message in between goes to
// HandleMessage. No exception leaves the window procedure: one thrown while
// the window is being created fails the creation (CreateWindowEx answers
// null); one thrown at any other message hands that message to the default
// procedure.
class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND hWnd() const noexcept { return hwnd_; }

protected:
    WindowBase() noexcept = default;
    // A window still alive is destroyed; its last messages no longer reach
    // the object, whose derived part is gone by then. A class whose window
    // must see them destroys it in its own destructor.
    virtual ~WindowBase();

    // Registers the class once per process, with this base's procedure and,
    // unless the class names another, the arrow pointer.
    static void RegisterClassOnce(HINSTANCE instance, WNDCLASSEXW windowClass);
    // CreateWindowExW for this object; null when the creation fails.
    HWND CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
    void DestroyHandle() noexcept;

    // The messages of this window; the default procedure unless overridden.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};
