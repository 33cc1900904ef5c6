#include "WindowBase.h"

WindowBase::~WindowBase() {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

void WindowBase::RegisterClassOnce(HINSTANCE instance, WNDCLASSEXW windowClass) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, windowClass.lpszClassName, &existing)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowBase::Procedure;
    windowClass.hInstance = instance;
    if (!windowClass.hCursor) windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    RegisterClassExW(&windowClass);
}

HWND WindowBase::CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                              int width, int height, HWND parent, HMENU menu, HINSTANCE instance) {
    return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menu, instance, this);
}

void WindowBase::DestroyHandle() noexcept {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT WindowBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(msg, wParam, lParam);
}

LRESULT WindowBase::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    // A top-level window's WM_GETMINMAXINFO comes before WM_NCCREATE.
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        if (msg == WM_NCCREATE) return FALSE;
        if (msg == WM_CREATE) return -1;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
